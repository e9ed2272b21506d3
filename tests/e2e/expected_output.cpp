// Helpers of the end-to-end tests: stamp masking and engine installs.
#include "e2e/expected_output.h"

#include <sstream>

namespace morvi::e2e {

// A stamp is '[', at least nine blanks or digits, and ']'.
std::string MaskStamps(const std::string& log) {
  std::string masked;
  size_t at = 0;
  while (at < log.size()) {
    size_t end = log[at] == '[' ? log.find_first_not_of(" 0123456789", at + 1) : at;
    if (end != at && end != std::string::npos && log[end] == ']' && end - at - 1 >= 9) {
      masked += "[T]";
      at = end + 1;
    } else {
      masked += log[at++];
    }
  }
  return masked;
}

std::string WithoutPrompts(std::string out) {
  for (size_t at = out.find(kPrompt); at != std::string::npos; at = out.find(kPrompt, at)) {
    out.erase(at, kPrompt.size());
  }
  return out;
}

namespace {

// Line forms, matched by Fits: '#' one or more digits, '@' one digit, '^' an
// optional minus sign, '~' any number of blanks (also none), '_' one or more
// blanks, '%' a coordinate move, '&' an optional promotion letter n, b or r,
// '$' one or more moves each followed by a blank; anything else stands for
// itself (no line form uses these signs).
bool Fits(std::string_view s, std::string_view p) {
  auto digits = [](std::string_view t) {
    size_t n = 0;
    while (n < t.size() && t[n] >= '0' && t[n] <= '9') ++n;
    return n;
  };
  auto move = [](std::string_view t) {
    return t.size() >= 4 && t[0] >= 'a' && t[0] <= 'h' && t[1] >= '1' && t[1] <= '8' && t[2] >= 'a' &&
           t[2] <= 'h' && t[3] >= '1' && t[3] <= '8';
  };
  while (!p.empty()) {
    const char c = p[0];
    p.remove_prefix(1);
    if (c == '#') {
      const size_t n = digits(s);
      if (n == 0) return false;
      s.remove_prefix(n);
    } else if (c == '@') {
      if (s.empty() || s[0] < '0' || s[0] > '9') return false;
      s.remove_prefix(1);
    } else if (c == '^') {
      if (!s.empty() && s[0] == '-') s.remove_prefix(1);
    } else if (c == '~' || c == '_') {
      size_t n = 0;
      while (n < s.size() && s[n] == ' ') ++n;
      if (c == '_' && n == 0) return false;
      s.remove_prefix(n);
    } else if (c == '%') {
      if (!move(s)) return false;
      s.remove_prefix(4);
    } else if (c == '&') {
      if (!s.empty() && (s[0] == 'n' || s[0] == 'b' || s[0] == 'r')) s.remove_prefix(1);
    } else if (c == '$') {
      int moves = 0;
      while (move(s) && s.size() >= 5 && s[4] == ' ') {
        s.remove_prefix(5);
        ++moves;
      }
      if (moves == 0) return false;
    } else {
      if (s.empty() || s[0] != c) return false;
      s.remove_prefix(1);
    }
  }
  return s.empty();
}

constexpr std::string_view kThinkingLine = " # ~^# # # $";
constexpr std::string_view kMoveLine = "#. ... %&";

// The statistics lines: the first words kept, and the forms of the line.
struct StatisticsForm {
  const char* start;
  std::string_view forms[2];
};
const StatisticsForm kStatisticsForms[] = {
    {"stat01: ", {"stat01: # # # # #", ""}},
    {"Score: ",
     {"Score: ^#.@@ Evals/Nodes: #/# in 0 ( 0.00 seconds) ",
      "Score: ^#.@@ Evals/Nodes: #/# in # (~#.@@ seconds)_#.@@ Nodes/sec"}},
    {"Evaluations Complete/Medium/Fast: ", {"Evaluations Complete/Medium/Fast: #/#/#/ ", ""}},
    {"QSkips/StaticSkips/NullSkips: ",
     {"QSkips/StaticSkips/NullSkips: #/0/# HashNodes/Hits: 0/0 AvgMoves/Node_#.@@", ""}},
};

bool FitsStatistics(std::string_view line, const StatisticsForm& form) {
  for (std::string_view pattern : form.forms) {
    if (!pattern.empty() && Fits(line, pattern)) return true;
  }
  return false;
}

// Calls visit(line, hasLineEnd) for each line of the text.
template <typename Visit>
void ForEachLine(const std::string& text, size_t from, Visit visit) {
  while (from < text.size()) {
    size_t end = text.find('\n', from);
    if (end == std::string::npos) {
      visit(std::string_view(text).substr(from), false);
      return;
    }
    visit(std::string_view(text).substr(from, end - from), true);
    from = end + 1;
  }
}

}  // namespace

bool IsThinkingLine(std::string_view line) { return Fits(line, kThinkingLine); }

std::string Skeleton(const std::string& out) {
  std::string kept;
  ForEachLine(out, 0, [&](std::string_view line, bool lineEnd) {
    if (lineEnd && IsThinkingLine(line)) return;
    std::string shown(line);
    for (const StatisticsForm& statistics : kStatisticsForms) {
      if (lineEnd && FitsStatistics(line, statistics)) shown = std::string(statistics.start) + "*";
    }
    kept += shown;
    if (lineEnd) kept += '\n';
  });
  return kept;
}

std::vector<std::string> ThinkingLines(const std::string& out, size_t from) {
  std::vector<std::string> lines;
  ForEachLine(out, from, [&](std::string_view line, bool lineEnd) {
    if (lineEnd && IsThinkingLine(line)) lines.emplace_back(line);
  });
  return lines;
}

std::vector<std::string> LineMoves(const std::string& line) {
  std::istringstream words(line);
  std::vector<std::string> moves;
  std::string word;
  for (int i = 0; words >> word; ++i) {
    if (i >= 4) moves.push_back(word);  // after depth, score, time and nodes
  }
  return moves;
}

std::vector<std::string> MoveLines(const std::string& out, size_t from) {
  std::vector<std::string> lines;
  ForEachLine(out, from, [&](std::string_view line, bool lineEnd) {
    if (lineEnd && Fits(line, kMoveLine)) lines.emplace_back(line);
  });
  return lines;
}

size_t CountOf(std::string_view text, std::string_view part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string_view::npos; at = text.find(part, at + part.size())) ++count;
  return count;
}

std::string RecordsOf(const std::string& log, std::initializer_list<std::string_view> categories) {
  std::string masked = MaskStamps(log);
  std::string kept;
  size_t at = masked.find("[T]");
  while (at != std::string::npos) {
    size_t next = masked.find("[T]", at + 3);
    std::string record = masked.substr(at, next == std::string::npos ? std::string::npos : next - at);
    size_t colon = record.find(": ");
    if (colon != std::string::npos) {
      std::string category = record.substr(3, colon - 3);
      category.erase(0, category.find_first_not_of(' '));
      for (std::string_view wanted : categories) {
        if (category == wanted) kept += record;
      }
    }
    at = next;
  }
  return kept;
}

EngineInstall::EngineInstall(std::string_view profile, std::string_view book) {
  exe_ = test_support::InstallProgram(dir_, MORVI_BINARY, "morvi");
  if (!profile.empty()) dir_.Write("morvi.ini", profile);
  if (!book.empty()) dir_.Write("morvi.book", book);
}

bool EngineInstall::WaitForLog(test_support::ChildProcess& child, std::string_view text, size_t count) const {
  return child.WaitUntil([&](const std::string&) { return CountOf(Log(), text) >= count; });
}

test_support::RunResult EngineInstall::Run(std::string_view input) const {
  return test_support::RunWithInput(exe_, input);
}

}  // namespace morvi::e2e
