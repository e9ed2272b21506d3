// A UCI GUI's side of a session with the engine, for the end-to-end tests:
// the session started with "uci" and answered with "uciok", lines sent and
// answers awaited, and the pieces of the output the tests look at.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "e2e/expected_output.h"

namespace morvi::e2e {

inline constexpr std::string_view kStart = "startpos";

// A UCI session with the engine: started with "uci", answered with "uciok".
class UciSession {
 public:
  explicit UciSession(std::string_view profile = {}, std::string_view book = {}) : engine_(profile) {
    if (!book.empty()) engine_.Dir().Write("morvi.book", book);
    child_ = std::make_unique<test_support::ChildProcess>(engine_.Exe());
    child_->Send("uci\n");
    EXPECT_TRUE(child_->WaitFor("uciok\n"));
  }
  void Send(const std::string& line) { child_->Send(line + "\n"); }
  // Sends the line and waits for text written after it; returns what the
  // engine wrote from the line on.
  std::string Ask(const std::string& line, std::string_view until) {
    const size_t mark = child_->Output().size();
    Send(line);
    EXPECT_TRUE(child_->WaitFor(until, mark)) << line;
    return child_->Output().substr(mark);
  }
  size_t Mark() const { return child_->Output().size(); }
  const std::string& Output() const { return child_->Output(); }
  test_support::ChildProcess& Child() { return *child_; }
  const EngineInstall& Install() const { return engine_; }
  test_support::RunResult Quit() {
    Send("quit");
    return child_->Finish();
  }

 private:
  EngineInstall engine_;
  std::unique_ptr<test_support::ChildProcess> child_;
};

inline size_t Count(const std::string& text, std::string_view what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  return lines;
}

// The move of the text's "bestmove" line, or "" when there is none.
inline std::string BestMove(const std::string& text) {
  size_t at = text.rfind("bestmove ");
  if (at == std::string::npos) return {};
  size_t end = text.find_first_of(" \n", at + 9);
  return text.substr(at + 9, end - at - 9);
}

}  // namespace morvi::e2e
