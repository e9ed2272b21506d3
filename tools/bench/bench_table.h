// The transposition table in morvi-bench: the size its --hash option reads,
// the table set to it, and the line that tells what the table did.
#pragma once

#include "search/transposition.h"

namespace morvi::bench {

// A size in megabytes, 0 to kMaxHashMegabytes; false for anything else.
bool ReadHashMegabytes(const char* text, int& megabytes);
// The table at the given size; false (with a message) when it cannot be had.
bool UseTable(int megabytes);
// Adds the table's counters since its last clear to a running total.
void AddTableUse(TableCounters& total);
// "hash MB probes .. hits .. cutoffs .. stores .. fill .." for these
// counters, when there is a table.
void PrintTableUse(const TableCounters& counters);

}  // namespace morvi::bench
