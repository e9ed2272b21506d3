// The Thinker's and the counters' one instance, and their resets.
#include "search/thinker.h"

#include <algorithm>

#include "board/position.h"
#include "eval/evaluate.h"

namespace morvi {

Thinker thinker;
SearchCounters searchCounters;

void ClearSearchState() {
  thinker = Thinker{};
  ResetSearchCounters();
}

void ResetSearchCounters() {
  searchCounters = SearchCounters{};
  searchCounters.expandedNodes = 1;
}

void ClearLines(Thinker& t) {
  for (int p = 0; p < kMaxPly; ++p) {
    t.printedPv[p] = {kNoMove, -kInfinity};
    t.pvLength[p] = 0;
    for (PvEntry& entry : t.pvTable[p]) entry = {kNoMove, -kInfinity};
  }
  t.printedPvLength = 0;
}

void SetDeadlines(Thinker& t, const SearchDeadlines& d, TimeMs from) {
  t.softDeadline = {d.softMs >= 0, from + std::max(d.softMs, 0)};
  t.hardDeadline = {d.hardMs >= 0, from + std::max(d.hardMs, 0)};
}

void ResetThinker() {
  thinker.lastScore = Evaluate(position, EvalLevel::kComplete);
  thinker.stop = false;
  ClearLines(thinker);
}

}  // namespace morvi
