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
  // The highest level is the full search itself: no level at all (its
  // threads, its pondering).
  const int elo = std::clamp(config.Elo, kLowestElo, kHighestElo);
  return elo == kHighestElo ? 0 : elo;
}

void PrepareEngineSearch(bool playsMove) {
  const SearchKind kind = SearchKindInUse();
  thinker.levelElo = playsMove ? LevelInForce() : 0;
  SizeTableToConfiguration();
  // A level's node count is the one thread's: sized once, so that a level
  // on several configured threads does not start and end helpers every move.
  searchThreads.SetCount(thinker.levelElo > 0 ? 1 : config.Threads);
  if (kind != thinker.kind) transpositionTable.Clear();
  thinker.kind = kind;
  thinker.multiPv = kind == SearchKind::kFull ? std::clamp(config.MultiPV, 1, kMaxMultiPv) : 1;
}

}  // namespace morvi
