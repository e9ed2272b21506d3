// The --hash option of the bench, search and epd commands.
#include "bench_table.h"

#include <cstdio>
#include <cstdlib>

namespace morvi::bench {

bool ReadHashMegabytes(const char* text, int& megabytes) {
  char* end = nullptr;
  const long n = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || n < 0 || n > static_cast<long>(kMaxHashMegabytes)) return false;
  megabytes = static_cast<int>(n);
  return true;
}

bool UseTable(int megabytes) {
  if (transpositionTable.Resize(static_cast<std::size_t>(megabytes))) return true;
  std::fprintf(stderr, "morvi-bench: no memory for a %d MB table\n", megabytes);
  return false;
}

void AddTableUse(TableCounters& total) {
  const TableCounters& c = transpositionTable.counters;
  total.probes += c.probes;
  total.hits += c.hits;
  total.cutoffs += c.cutoffs;
  total.stores += c.stores;
}

void PrintTableUse(const TableCounters& c) {
  const TranspositionTable& table = transpositionTable;
  if (!table.Enabled()) return;
  std::printf("hash %zu MB probes %lld hits %lld cutoffs %lld stores %lld fill %d permille\n", table.Megabytes(),
              static_cast<long long>(c.probes), static_cast<long long>(c.hits), static_cast<long long>(c.cutoffs),
              static_cast<long long>(c.stores), table.FillPermille());
}

}  // namespace morvi::bench
