// The UCI options: the "uci" answer (identification, well-formed option lines,
// "uciok" last), every advertised spin option accepting its default and its
// range but nothing beyond, and "setoption" on the configuration keys and on
// the session's own options (Ponder, OwnBook, Move Overhead): what it changes,
// what it refuses, and the log text of each.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "base/config.h"
#include "base/text_scan.h"
#include "engine/search_choice.h"
#include "engine/uci_session.h"
#include "search/search_test_support.h"  // StdoutCapture

namespace morvi {
namespace {

struct SpinOption {
  std::string name;
  int value, min, max;
};

// What "setoption" can change: every integer key as stored, then Ponder,
// OwnBook and Move Overhead.
std::vector<int> Settings(const Configuration& c = config) {
  std::vector<int> values;
  for (const IntegerKey& key : kIntegerKeys) values.push_back(c.*key.parameter);
  values.push_back(uciSession.ponder);
  values.push_back(uciSession.ownBook);
  values.push_back(uciSession.moveOverheadMs);
  return values;
}

class UciOptionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Save();
    AdoptModernDefaults(config);  // as the session does at "uci"
  }
  void TearDown() override { Restore(); }

  // The "uci" answer, line by line.
  static std::vector<std::string> Identification() {
    testing::StdoutCapture capture;
    WriteUciIdentification();
    std::istringstream in(capture.Text());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  // Checks the shape of the answer and returns its spin options.
  static std::vector<SpinOption> CheckedSpinOptions() {
    static const std::regex check("option name (.+) type check default (true|false)");
    static const std::regex combo("option name (.+) type combo default (\\S+)( var \\S+)+");
    static const std::regex spin("option name (.+) type spin default (-?[0-9]+) min (-?[0-9]+) max (-?[0-9]+)");
    const std::vector<std::string> lines = Identification();
    EXPECT_GE(lines.size(), 3u);
    if (lines.size() < 3) return {};
    EXPECT_EQ(lines[0].rfind("id name Morvi ", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1].rfind("id author ", 0), 0u) << lines[1];
    EXPECT_EQ(lines.back(), "uciok");
    std::vector<SpinOption> spins;
    std::set<std::string> names;
    for (size_t i = 2; i + 1 < lines.size(); ++i) {
      std::smatch m;
      if (std::regex_match(lines[i], m, check) || std::regex_match(lines[i], m, combo)) {
        EXPECT_TRUE(names.insert(m[1]).second) << "twice: " << lines[i];
        continue;
      }
      if (!std::regex_match(lines[i], m, spin)) {
        ADD_FAILURE() << "malformed: " << lines[i];
        continue;
      }
      EXPECT_TRUE(names.insert(m[1]).second) << "twice: " << lines[i];
      SpinOption o{m[1], std::stoi(m[2]), std::stoi(m[3]), std::stoi(m[4])};
      EXPECT_LE(o.min, o.value) << lines[i];
      EXPECT_LE(o.value, o.max) << lines[i];
      spins.push_back(o);
    }
    return spins;
  }

  static const SpinOption* Find(const std::vector<SpinOption>& spins, const std::string& name) {
    for (const SpinOption& o : spins) {
      if (o.name == name) return &o;
    }
    return nullptr;
  }

 private:
  void Save() {
    savedConfig_ = config;
    savedPonder_ = uciSession.ponder;
    savedOwnBook_ = uciSession.ownBook;
    savedOverhead_ = uciSession.moveOverheadMs;
  }
  void Restore() {
    config = savedConfig_;
    uciSession.ponder = savedPonder_;
    uciSession.ownBook = savedOwnBook_;
    uciSession.moveOverheadMs = savedOverhead_;
  }
  Configuration savedConfig_;
  bool savedPonder_ = false, savedOwnBook_ = false;
  int savedOverhead_ = 0;
};

TEST_F(UciOptionsTest, AnswerIsWellFormedWithTheSessionDefaults) {
  const std::vector<std::string> lines = Identification();
  const auto has = [&](const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  };
  EXPECT_TRUE(has("option name Ponder type check default false"));
  EXPECT_TRUE(has("option name OwnBook type check default true"));

  const std::vector<SpinOption> spins = CheckedSpinOptions();
  const SpinOption* overhead = Find(spins, "Move Overhead");
  ASSERT_NE(overhead, nullptr);
  EXPECT_EQ(overhead->value, 30);
  EXPECT_EQ(overhead->min, 0);
  EXPECT_EQ(overhead->max, 5000);
  // Keys stored times 1024 are offered in the file's units; a key written
  // with a trailing blank in the file is offered without it.
  const SpinOption* early = Find(spins, "EarlyEndingCount");
  ASSERT_NE(early, nullptr);
  EXPECT_EQ(early->value, 20);
  EXPECT_NE(Find(spins, "CastlesFactorS"), nullptr);
  EXPECT_NE(Find(spins, "NormalizeS"), nullptr);
}

// A profile may hold values outside the offered ranges; the lines must stay
// well formed (min <= default <= max) and show the values in use.
TEST_F(UciOptionsTest, ValuesOutsideTheRangesStillGiveWellFormedLines) {
  config.NormalizeS = 40;
  config.QSkipMargin = -5;
  config.EarlyEndingCount = 150 * 1024;
  const std::vector<SpinOption> spins = CheckedSpinOptions();
  ASSERT_NE(Find(spins, "NormalizeS"), nullptr);
  EXPECT_EQ(Find(spins, "NormalizeS")->value, 40);
  ASSERT_NE(Find(spins, "QSkipMargin"), nullptr);
  EXPECT_EQ(Find(spins, "QSkipMargin")->value, -5);
  ASSERT_NE(Find(spins, "EarlyEndingCount"), nullptr);
  EXPECT_EQ(Find(spins, "EarlyEndingCount")->value, 150);
  // Such a value is accepted back.
  EXPECT_EQ(ApplyUciOption("NormalizeS", "40"), "Option set: NormalizeS = 40");
}

// GUIs send the advertised defaults back and offer the advertised ranges:
// every spin option takes its default, min and max (in any letter case),
// and refuses one past either end without changing anything.
TEST_F(UciOptionsTest, EverySpinOptionTakesItsRangeAndNothingBeyond) {
  const std::vector<int> before = Settings();
  const std::vector<SpinOption> spins = CheckedSpinOptions();
  ASSERT_FALSE(spins.empty());
  for (const SpinOption& o : spins) {
    SCOPED_TRACE(o.name);
    EXPECT_EQ(ApplyUciOption(o.name, std::to_string(o.min)).rfind("Option set: ", 0), 0u);
    EXPECT_EQ(ApplyUciOption(LowerCase(o.name), std::to_string(o.max)).rfind("Option set: ", 0), 0u);
    const std::vector<int> atMax = Settings();
    for (long long beyond : {static_cast<long long>(o.max) + 1, static_cast<long long>(o.min) - 1}) {
      const std::string log = ApplyUciOption(o.name, std::to_string(beyond));
      EXPECT_NE(log.find("refused"), std::string::npos) << beyond << ": " << log;
      EXPECT_EQ(Settings(), atMax) << beyond;
    }
    EXPECT_EQ(ApplyUciOption(o.name, std::to_string(o.value)).rfind("Option set: ", 0), 0u);
  }
  EXPECT_EQ(Settings(), before);  // every default sent back: nothing changed
}

TEST_F(UciOptionsTest, SpinValuesInRangeChangeTheirKeyOnly) {
  struct Case {
    const char* name;
    const char* value;
    const char* log;
    int Configuration::*field;
    int stored;
  } cases[] = {
      {"NormalizeS", "12", "Option set: NormalizeS = 12", &Configuration::NormalizeS, 12},
      {"normalizes", "0", "Option set: NormalizeS = 0", &Configuration::NormalizeS, 0},
      {"CASTLESFACTORS", " 9 ", "Option set: CastlesFactorS = 9", &Configuration::CastlesFactorS, 9},
      {"EarlyEndingCount", "25", "Option set: EarlyEndingCount = 25", &Configuration::EarlyEndingCount, 25 * 1024},
      {"OpeningCount", "16", "Option set: OpeningCount = 16", &Configuration::OpeningCount, 16},
      {"FastEvalDepth", "-6", "Option set: FastEvalDepth = -6", &Configuration::FastEvalDepth, -6},
      {"AspirationWindow", "+2048", "Option set: AspirationWindow = 2048", &Configuration::AspirationWindow, 2048},
      {"OppTimeAdv", "0", "Option set: OppTimeAdv = 0", &Configuration::OppTimeAdv, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Configuration want = config;
    want.*c.field = c.stored;
    const std::vector<int> expected = Settings(want);
    EXPECT_EQ(ApplyUciOption(c.name, c.value), c.log);
    EXPECT_EQ(Settings(), expected);
  }
}

TEST_F(UciOptionsTest, RefusedValuesAndUnknownNamesChangeNothing) {
  struct Case {
    const char* name;
    const char* value;
    const char* log;
  } cases[] = {
      // Out of range.
      {"NormalizeS", "32", "Option value refused: NormalizeS = 32"},
      {"NormalizeS", "-1", "Option value refused: NormalizeS = -1"},
      {"OpeningCount", "17", "Option value refused: OpeningCount = 17"},
      {"EarlyEndingCount", "101", "Option value refused: EarlyEndingCount = 101"},
      {"OppTimeAdv", "2", "Option value refused: OppTimeAdv = 2"},
      {"NullDepthEnd", "-129", "Option value refused: NullDepthEnd = -129"},
      {"QSkipMargin", "1000001", "Option value refused: QSkipMargin = 1000001"},
      {"Threads", "0", "Option value refused: Threads = 0"},
      {"Threads", "257", "Option value refused: Threads = 257"},
      {"MultiPV", "65", "Option value refused: MultiPV = 65"},
      {"NormalizeS", "4294967301", "Option value refused: NormalizeS = 4294967301"},  // not 5 after wrapping
      // Not a whole number.
      {"NormalizeS", "ten", "Option value refused: NormalizeS = ten"},
      {"NormalizeS", "", "Option value refused: NormalizeS = "},
      {"NormalizeS", "12abc", "Option value refused: NormalizeS = 12abc"},
      {"NormalizeS", "1.5", "Option value refused: NormalizeS = 1.5"},
      {"NormalizeS", "+", "Option value refused: NormalizeS = +"},
      {"NormalizeS", "1 2", "Option value refused: NormalizeS = 1 2"},
      // Unknown names.
      {"NormalizeSX", "10", "Option refused: NormalizeSX = 10"},
      {"Normalize S", "10", "Option refused: Normalize S = 10"},
      {"MoveOverhead", "100", "Option refused: MoveOverhead = 100"},
      {"", "", "Option refused:  = "},
      // The session's own options with values they cannot take.
      {"Move Overhead", "5001", "Option refused: Move Overhead = 5001"},
      {"Move Overhead", "-1", "Option refused: Move Overhead = -1"},
      {"Move Overhead", "fast", "Option refused: Move Overhead = fast"},
      {"Ponder", "yes", "Option refused: Ponder = yes"},
      {"OwnBook", "1", "Option refused: OwnBook = 1"},
      {"OwnBook", "", "Option refused: OwnBook = "},
  };
  const std::vector<int> before = Settings();
  for (const Case& c : cases) {
    EXPECT_EQ(ApplyUciOption(c.name, c.value), c.log) << c.name << " = " << c.value;
    EXPECT_EQ(Settings(), before) << c.name << " = " << c.value;
  }
}

TEST_F(UciOptionsTest, CheckOptionsTakeTrueAndFalseInAnyCase) {
  EXPECT_EQ(ApplyUciOption("Ponder", "true"), "Option set: Ponder = true");
  EXPECT_TRUE(uciSession.ponder);
  ApplyUciOption("PONDER", "False");
  EXPECT_FALSE(uciSession.ponder);
  EXPECT_EQ(ApplyUciOption("OwnBook", "false"), "Option set: OwnBook = false");
  EXPECT_FALSE(uciSession.ownBook);
  ApplyUciOption("ownbook", " TRUE ");
  EXPECT_TRUE(uciSession.ownBook);
}

TEST_F(UciOptionsTest, MoveOverheadIsKeptByTheSession) {
  const std::vector<int> configured = Settings();
  EXPECT_EQ(ApplyUciOption("Move Overhead", "250"), "Option set: Move Overhead = 250");
  EXPECT_EQ(uciSession.moveOverheadMs, 250);
  ApplyUciOption("move overhead", "0");
  EXPECT_EQ(uciSession.moveOverheadMs, 0);
  ApplyUciOption("MOVE OVERHEAD", "5000");
  EXPECT_EQ(uciSession.moveOverheadMs, 5000);
  // Only the session changed, not the configuration.
  std::vector<int> expected = configured;
  expected.back() = 5000;
  EXPECT_EQ(Settings(), expected);
}

}  // namespace
}  // namespace morvi
