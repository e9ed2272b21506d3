// The choice of search: by the dialect when the configuration leaves it
// open (classic in the console and the first protocol version, full in UCI
// and the second), by the Search key or option in any dialect; the table of
// UCI and the second version; the options that set them.
#include "engine/engine_options.h"
#include "engine/engine_test_support.h"
#include "engine/search_choice.h"
#include "search/transposition.h"

namespace morvi {
namespace {

using testing::EngineTest;

class SearchChoice : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    saved = config;
  }
  void TearDown() override {
    config = saved;
    SelectDialect(Dialect::kXboard);
    ASSERT_TRUE(transpositionTable.Resize(0));
    EngineTest::TearDown();
  }
  Configuration saved;
};

TEST_F(SearchChoice, TheDialectChoosesUnlessTheKeyDoes) {
  const struct {
    Dialect dialect;
    const char* key;
    SearchKind kind;
  } rows[] = {
      {Dialect::kXboard, "", SearchKind::kClassic},  {Dialect::kXboard2, "", SearchKind::kFull},
      {Dialect::kUci, "", SearchKind::kFull},        {Dialect::kXboard, "full", SearchKind::kFull},
      {Dialect::kUci, "classic", SearchKind::kClassic}, {Dialect::kXboard2, "classic", SearchKind::kClassic},
  };
  for (const auto& row : rows) {
    SelectDialect(row.dialect);
    config.search = row.key;
    EXPECT_EQ(SearchKindInUse(), row.kind) << static_cast<int>(row.dialect) << " " << row.key;
    PrepareEngineSearch(true);
    EXPECT_EQ(thinker.kind, row.kind);
  }
}

TEST_F(SearchChoice, ALevelIsInForceOnlyBelowTheTopWithTheLimitOnInTheFullSearch) {
  const struct {
    Dialect dialect;
    int limit;
    int elo;
    int inForce;
  } rows[] = {
      {Dialect::kUci, 1, 1500, 1500},
      {Dialect::kUci, 1, kLowestElo - 100, kLowestElo},   // clamped to the scale
      {Dialect::kUci, 1, kHighestElo - 1, kHighestElo - 1},
      {Dialect::kUci, 1, kHighestElo, 0},                 // the top is the full search
      {Dialect::kUci, 1, kHighestElo + 100, 0},
      {Dialect::kUci, 0, 1500, 0},
      {Dialect::kXboard2, 1, 1000, 1000},
      {Dialect::kXboard, 1, 1000, 0},                     // the classic search has no levels
  };
  for (const auto& row : rows) {
    SelectDialect(row.dialect);
    config.search.clear();
    config.LimitStrength = row.limit;
    config.Elo = row.elo;
    EXPECT_EQ(LevelInForce(), row.inForce) << row.limit << " " << row.elo;
    PrepareEngineSearch(true);
    EXPECT_EQ(thinker.levelElo, row.inForce);
    PrepareEngineSearch(false);  // analysis: always full strength
    EXPECT_EQ(thinker.levelElo, 0);
  }
}

TEST_F(SearchChoice, UciAndTheSecondVersionGetATableUnlessHashSaysOtherwise) {
  const struct {
    int hash;  // as the file left it
    int adopted;
  } rows[] = {{-1, kModernHashMegabytes}, {0, 0}, {64, 64}};
  for (const auto& row : rows) {
    Configuration c;
    c.Hash = row.hash;
    AdoptModernDefaults(c);
    EXPECT_EQ(c.Hash, row.adopted) << row.hash;
  }
  // The console and the first version: no table unless the file asks.
  config.Hash = -1;
  SelectDialect(Dialect::kXboard);
  PrepareEngineSearch(true);
  EXPECT_FALSE(transpositionTable.Enabled());
}

TEST_F(SearchChoice, TheSearchOptionTakesItsTwoWords) {
  EXPECT_EQ(ApplyKeyOption("search", "Classic"), "Option set: Search = classic");
  EXPECT_EQ(config.search, "classic");
  EXPECT_EQ(ApplyKeyOption("Search", "full"), "Option set: Search = full");
  EXPECT_EQ(ApplyKeyOption("Search", "fast"), "Option value refused: Search = fast");
  EXPECT_EQ(config.search, "full");
  EXPECT_EQ(SearchWordOffered(config), "full");
  config.search.clear();
  EXPECT_EQ(SearchWordOffered(config), "full");  // what UCI and the second version get
}

TEST_F(SearchChoice, ChangingTheSearchEmptiesTheTable) {
  config.Hash = 1;
  SelectDialect(Dialect::kUci);
  PrepareEngineSearch(true);
  ASSERT_TRUE(transpositionTable.Enabled());
  transpositionTable.Store(0x1234, 3, Bound::kExact, 0, kNoMove);
  PrepareEngineSearch(true);  // the same search: the entry stays
  EXPECT_TRUE(transpositionTable.Probe(0x1234));
  config.search = "classic";
  PrepareEngineSearch(true);
  EXPECT_FALSE(transpositionTable.Probe(0x1234));
}

}  // namespace
}  // namespace morvi
