// Helpers of the end-to-end tests: stamp masking and engine installs.
#include "e2e/expected_output.h"

#include <regex>
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

const std::regex kThinkingLine(R"( \d+ +-?\d+ \d+ \d+ ([a-h][1-8][a-h][1-8] )+)");
const std::regex kMoveLine(R"(\d+\. \.\.\. [a-h][1-8][a-h][1-8][nbr]?)");

// The statistics lines: the first words kept, and the whole line's form.
struct StatisticsForm {
  const char* start;
  std::regex form;
};
const StatisticsForm kStatisticsForms[] = {
    {"stat01: ", std::regex(R"(stat01: \d+ \d+ \d+ \d+ \d+)")},
    {"Score: ", std::regex(R"(Score: -?\d+\.\d\d Evals/Nodes: \d+/\d+ in )"
                           R"((0 \( 0\.00 seconds\) |[1-9]\d* \( *\d+\.\d\d seconds\) +\d+\.\d\d Nodes/sec))")},
    {"Evaluations Complete/Medium/Fast: ", std::regex(R"(Evaluations Complete/Medium/Fast: \d+/\d+/\d+/ )")},
    {"QSkips/StaticSkips/NullSkips: ",
     std::regex(R"(QSkips/StaticSkips/NullSkips: \d+/0/\d+ HashNodes/Hits: 0/0 AvgMoves/Node +\d+\.\d\d)")},
};

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

bool Matches(std::string_view line, const std::regex& form) {
  return std::regex_match(line.begin(), line.end(), form);
}

}  // namespace

bool IsThinkingLine(std::string_view line) { return Matches(line, kThinkingLine); }

std::string Skeleton(const std::string& out) {
  std::string kept;
  ForEachLine(out, 0, [&](std::string_view line, bool lineEnd) {
    if (lineEnd && IsThinkingLine(line)) return;
    std::string shown(line);
    for (const StatisticsForm& statistics : kStatisticsForms) {
      if (lineEnd && Matches(line, statistics.form)) shown = std::string(statistics.start) + "*";
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
    if (lineEnd && Matches(line, kMoveLine)) lines.emplace_back(line);
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
