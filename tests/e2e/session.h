// Helpers for driving one engine session step by step: send a few lines,
// wait for the answer that shows they were executed, then go on.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "e2e/expected_output.h"
#include "support/child_process.h"

namespace morvi::e2e {

// A one-line book: the engine's first moves are known for either colour.
inline constexpr std::string_view kBook = "e2e4e7e5g1f3b8c6f1c4f8c5\n";

// How long a session may take to end after "quit" or the end of its input,
// even in a sanitizer build while a long search runs.
inline constexpr int kPromptlyMs = 10000;
// How long any session may take to end at all.
inline constexpr int kHangGuardMs = 60000;

// count prompts of console mode.
inline std::string P(int count) {
  std::string prompts;
  for (int i = 0; i < count; ++i) prompts += kPrompt;
  return prompts;
}

// Sends "xboard" and waits for the engine thread's answer to it.
void StartXboard(test_support::ChildProcess& child);
// Sends the text and waits for `answer` after the output seen so far;
// returns the offset of the output at the time of sending.
size_t SendAndWait(test_support::ChildProcess& child, std::string_view text, std::string_view answer);
// Sends the text and waits for the engine's three statistics lines (after
// its move or a result).
size_t SendAndWaitForStats(test_support::ChildProcess& child, std::string_view text);
// Waits for a thinking line after offset `from`; false when none comes.
bool WaitForThinking(test_support::ChildProcess& child, size_t from);

// The printed board ("d" in console mode) for eight rows of eight
// characters, the top row first, '.' for an empty square.
std::string BoardText(std::initializer_list<std::string_view> rows);

}  // namespace morvi::e2e
