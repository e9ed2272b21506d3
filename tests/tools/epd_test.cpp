// morvi-bench epd as a child process: the shipped suite at a fixed depth
// (each line's form, the forced answers, the closing count), positions that
// do not depend on the ones before them, the bm and am verdicts, refused
// lines, and the options.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/child_process.h"

namespace morvi::test {
namespace {

using test_support::RunResult;
using test_support::TempDir;

const std::string kSuite = std::string(MORVI_SOURCE_DIR) + "/tests/data/tactics.epd";
const std::string kMateInOne = "4r1k1/5ppp/8/8/8/8/2Q2PPP/6K1 b - - ";  // Re1#, alone

struct PositionLine {
  std::string id, expected, found, verdict, nodes;
};

bool IsNumber(const std::string& word) {
  const size_t start = word.starts_with('-') ? 1 : 0;
  return word.size() > start && word.find_first_not_of("0123456789", start) == std::string::npos;
}

// "ID bm|am MOVES found MOVE solved|unsolved score N depth N nodes N ms N".
bool ParsePositionLine(const std::string& text, PositionLine& line) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  const auto found = std::find(words.begin(), words.end(), "found");
  if (words.size() < 2 || (words[1] != "bm" && words[1] != "am") || words.end() - found != 11) return false;
  const std::vector<std::string> labels = {"score", "depth", "nodes", "ms"};
  for (size_t i = 0; i < labels.size(); ++i) {
    if (found[3 + 2 * i] != labels[i] || !IsNumber(found[4 + 2 * i])) return false;
  }
  line.id = words[0];
  for (auto word = words.begin() + 1; word != found; ++word) {
    if (!line.expected.empty()) line.expected += ' ';
    line.expected += *word;
  }
  line.found = found[1];
  line.verdict = found[2];
  line.nodes = found[8];
  return line.verdict == "solved" || line.verdict == "unsolved";
}

// Runs morvi-bench with the argument text through a script, since the child
// runner starts a program without arguments.
RunResult RunBench(const TempDir& dir, const std::string& arguments) {
  dir.Write("run.sh", "#!/bin/sh\nexec '" MORVI_BENCH "' " + arguments + "\n");
  std::filesystem::permissions(dir.File("run.sh"), std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add);
  return test_support::RunWithInput(dir.File("run.sh"), "");
}

// "epd 'FILE' OPTIONS", built by appending (GCC 12 warns about a false
// overlap in "text" + temporary string).
std::string EpdArguments(const std::string& file, const std::string& options) {
  std::string text = "epd '";
  text += file;
  text += "' ";
  text += options;
  return text;
}

RunResult RunEpd(const TempDir& dir, const std::string& epdText, const std::string& options = "--depth 3") {
  dir.Write("suite.epd", epdText);
  return RunBench(dir, EpdArguments(dir.File("suite.epd"), options));
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The position lines of an output, checked for their form, by id; the last
// line, the count, is left for the caller.
std::map<std::string, PositionLine> PositionLines(const std::string& out) {
  std::map<std::string, PositionLine> byId;
  std::vector<std::string> lines = Lines(out);
  if (!lines.empty()) lines.pop_back();
  for (const std::string& line : lines) {
    PositionLine parsed;
    if (ParsePositionLine(line, parsed)) {
      byId[parsed.id] = parsed;
    } else {
      ADD_FAILURE() << "not a position line: " << line;
    }
  }
  return byId;
}

const RunResult& SuiteRun() {
  static const TempDir dir;
  static const RunResult run = RunBench(dir, EpdArguments(kSuite, "--depth 5"));
  return run;
}

TEST(EpdSuite, SolvedAtDepthFiveWithTheForcedAnswers) {
  const RunResult& run = SuiteRun();
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
  ASSERT_FALSE(Lines(run.out).empty());
  EXPECT_EQ(Lines(run.out).back(), "solved 20 of 20");
  const auto lines = PositionLines(run.out);
  EXPECT_EQ(lines.size(), 20u);
  const std::map<std::string, std::string> forced = {
      {"mate1.back-rank", "e8e1"},      {"mate1.smothered", "g5f7"},       {"mate1.castling", "e1g1"},
      {"mate1.f7", "h5f7"},             {"mate2.doubled-rooks", "d2d8"},   {"mate2.queen-sacrifice", "d5g8"},
      {"mate2.black-smothered", "c5g1"}, {"mate3.double-check", "f7h6"},   {"win.discovered-attack", "d3h7"},
      {"win.knight-fork", "b5c7"},      {"win.pawn-fork", "d4d5"},         {"win.skewer", "f1b5"},
      {"win.en-passant-fork", "e5d6"},  {"promote.queen", "b7b8q"},        {"promote.capture", "d2e1q"},
      {"promote.knight-fork", "e7e8n"}};
  for (const auto& [id, move] : forced) {
    ASSERT_TRUE(lines.count(id)) << id;
    EXPECT_EQ(lines.at(id).found, move) << id;
  }
  for (const auto& [id, line] : lines) EXPECT_EQ(line.verdict, "solved") << id;
  EXPECT_EQ(lines.at("avoid.stalemate").expected, "bm Qa1# Qa5# am Qxe3");
}

TEST(EpdSuite, PositionsDoNotDependOnTheOnesBefore) {
  std::ifstream in(kSuite);
  std::vector<std::string> suite;
  for (std::string line; std::getline(in, line);) suite.push_back(line);
  ASSERT_GE(suite.size(), 3u);
  std::string reordered;
  for (size_t i = suite.size(); i-- > suite.size() - 3;) reordered += suite[i] + "\n";
  TempDir dir;
  const auto alone = PositionLines(RunEpd(dir, reordered, "--depth 5").out);
  const auto inSuite = PositionLines(SuiteRun().out);
  ASSERT_EQ(alone.size(), 3u);
  for (const auto& [id, line] : alone) {
    ASSERT_TRUE(inSuite.count(id)) << id;
    EXPECT_EQ(line.nodes, inSuite.at(id).nodes) << id;
    EXPECT_EQ(line.found, inSuite.at(id).found) << id;
  }
}

TEST(EpdVerdicts, BestAndAvoidedMovesInEitherNotation) {
  TempDir dir;
  const RunResult run = RunEpd(dir, kMateInOne + "bm e8e1; id \"coordinates\";\n" +
                                        kMateInOne + "bm h7h6 Re1#; id \"second-of-two\";\n" +
                                        kMateInOne + "bm h7h6; id \"wrong-bm\";\n" +
                                        kMateInOne + "am Re1#; id \"avoided\";\n" +
                                        kMateInOne + "bm Re1; am e8e1; id \"in-both\";\r\n" +
                                        "\n" +
                                        kMateInOne + "c0 \"quoted; semicolon\"; bm Re1#\n");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(Lines(run.out).back(), "solved 3 of 6");
  const auto lines = PositionLines(run.out);
  const std::map<std::string, std::string> verdicts = {
      {"coordinates", "solved"}, {"second-of-two", "solved"}, {"wrong-bm", "unsolved"},
      {"avoided", "unsolved"},   {"in-both", "unsolved"},     {"line-7", "solved"}};  // no id: its line
  for (const auto& [id, verdict] : verdicts) {
    ASSERT_TRUE(lines.count(id)) << id;
    EXPECT_EQ(lines.at(id).verdict, verdict) << id;
    EXPECT_EQ(lines.at(id).found, "e8e1") << id;
  }
}

TEST(EpdVerdicts, UnreadableLinesAreReportedAndLeftOutOfTheCount) {
  TempDir dir;
  const RunResult run = RunEpd(dir, "not a fen at all bm e4;\n" +
                                        kMateInOne + "bm Qh9;\n" +
                                        "7k/8/8/R7/8/8/8/RN3N1K w - - bm Nd2;\n" +
                                        kMateInOne + "id \"no-verdict\";\n" +
                                        kMateInOne + "bm Re1#; id \"good\";\n" +
                                        kMateInOne + "bm Re1#; id \"unclosed;\n");
  EXPECT_EQ(run.exitCode, 1);
  for (const char* report : {"line 1: bad FEN", "line 2: bm Qh9: no such legal move", "line 3: bm Nd2: ambiguous",
                             "line 4: neither bm nor am", "line 6: not an EPD line"}) {
    EXPECT_NE(run.err.find(report), std::string::npos) << report << "\n" << run.err;
  }
  EXPECT_EQ(PositionLines(run.out).count("good"), 1u);
  EXPECT_EQ(Lines(run.out).back(), "solved 1 of 1");
}

TEST(EpdOptions, UsageAndMissingFile) {
  TempDir dir;
  dir.Write("one.epd", kMateInOne + "bm Re1#;\n");
  const std::string one = dir.File("one.epd");
  for (const std::string& bad : {std::string("epd"), EpdArguments(one, "--depth 13"), EpdArguments(one, "--depth 0"),
                                 EpdArguments(one, "--time x"), EpdArguments(one, "--depth"),
                                 EpdArguments(one, one)}) {
    const RunResult run = RunBench(dir, bad);
    EXPECT_EQ(run.exitCode, 1) << bad;
    EXPECT_NE(run.err.find("usage: morvi-bench epd FILE"), std::string::npos) << bad;
  }
  const RunResult missing = RunBench(dir, EpdArguments(dir.File("absent.epd"), ""));
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("cannot read"), std::string::npos);

  const RunResult timed = RunBench(dir, EpdArguments(one, "--time 5"));
  EXPECT_EQ(timed.exitCode, 0);
  EXPECT_EQ(Lines(timed.out).back(), "solved 1 of 1");
}

}  // namespace
}  // namespace morvi::test
