// The choice of search by the configuration and the dialect, and the table
// that goes with it.
#include "engine/search_choice.h"

#include <algorithm>

#include "engine/init_engine.h"
#include "engine/session.h"
#include "search/search_threads.h"
#include "search/transposition.h"

namespace morvi {

SearchKind SearchKindInUse() {
  if (config.search == kClassicWord) return SearchKind::kClassic;
  if (config.search == kFullWord) return SearchKind::kFull;
  const Dialect dialect = ActiveDialect();
  return dialect == Dialect::kUci || dialect == Dialect::kXboard2 ? SearchKind::kFull : SearchKind::kClassic;
}

void AdoptModernDefaults(Configuration& configuration) {
  if (configuration.Hash < 0) configuration.Hash = kModernHashMegabytes;
}

void SizeSearchToConfiguration() {
  SizeTableToConfiguration();
  searchThreads.SetCount(config.Threads);
}

int LevelInForce() {
  if (config.LimitStrength == 0 || SearchKindInUse() != SearchKind::kFull) return 0;
  return std::clamp(config.Elo, kLowestElo, kHighestElo);
}

void PrepareEngineSearch(bool playsMove) {
  const SearchKind kind = SearchKindInUse();
  SizeSearchToConfiguration();
  thinker.levelElo = playsMove ? LevelInForce() : 0;
  if (thinker.levelElo > 0) searchThreads.SetCount(1);  // a level's node count is the one thread's
  if (kind != thinker.kind) transpositionTable.Clear();
  thinker.kind = kind;
  thinker.multiPv = kind == SearchKind::kFull ? std::clamp(config.MultiPV, 1, kMaxMultiPv) : 1;
}

}  // namespace morvi
