// The choice of search by the configuration and the dialect, and the table
// that goes with it.
#include "engine/search_choice.h"

#include "engine/init_engine.h"
#include "engine/session.h"
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

void PrepareEngineSearch() {
  const SearchKind kind = SearchKindInUse();
  SizeTableToConfiguration();
  if (kind != thinker.kind) transpositionTable.Clear();
  thinker.kind = kind;
}

}  // namespace morvi
