// Step-by-step session helpers of the end-to-end tests.
#include "e2e/session.h"

#include <gtest/gtest.h>

namespace morvi::e2e {

void StartXboard(test_support::ChildProcess& child) {
  child.Send("xboard\n");
  EXPECT_TRUE(child.WaitUntil([](const std::string& out) { return Normalised(out) == AfterStart(P(1) + "\n"); }))
      << child.Output();
}

size_t SendAndWait(test_support::ChildProcess& child, std::string_view text, std::string_view answer) {
  const size_t from = child.Output().size();
  child.Send(text);
  EXPECT_TRUE(child.WaitFor(answer, from)) << "no answer \"" << answer << "\" to \"" << text << "\" in\n"
                                           << child.Output().substr(from);
  return from;
}

size_t SendAndWaitForStats(test_support::ChildProcess& child, std::string_view text) {
  const size_t from = child.Output().size();
  child.Send(text);
  const bool done = child.WaitUntil([from](const std::string& out) {
    const size_t at = out.find("\nQSkips/StaticSkips/NullSkips: ", from);
    return at != std::string::npos && out.find('\n', at + 1) != std::string::npos;
  });
  EXPECT_TRUE(done) << "no statistics after \"" << text << "\" in\n" << child.Output().substr(from);
  return from;
}

bool WaitForThinking(test_support::ChildProcess& child, size_t from) {
  return child.WaitUntil([from](const std::string& out) { return !ThinkingLines(out, from).empty(); });
}

std::string BoardText(std::initializer_list<std::string_view> rows) {
  std::string text = "\n";
  int rank = 8;
  for (std::string_view row : rows) {
    text += std::to_string(rank--);
    for (char square : row) text += std::string{' ', square};
    text += '\n';
  }
  return text + "\n  a b c d e f g h\n\nBoard Audit Result: clean\n";
}

}  // namespace morvi::e2e
