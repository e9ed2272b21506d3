// The transposition table: positions already searched, by their 64-bit key,
// with the depth they were searched to, the kind of bound their score is, the
// score and the best move found. Buckets of four entries; a new entry takes
// the place of one from an earlier search first, then of the shallowest.
// Mate scores are stored as distances from the node, not from the root. The
// table is sized between searches only (never during one) and is empty at
// size 0: the search then runs as it always has.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "board/move.h"

namespace morvi {

enum class Bound : std::uint8_t {
  kNone,   // an empty entry
  kUpper,  // the score is at most this (no move raised alpha)
  kLower,  // the score is at least this (a move reached beta)
  kExact,
};

// Sixteen bytes: four entries fill one 64-byte cache line. The key's lower
// bits choose the bucket; the entry keeps its upper half to tell positions
// apart within the bucket.
struct TableEntry {
  std::uint32_t check = 0;  // the upper 32 bits of the key
  Move move = kNoMove;      // the best move found, or kNoMove
  std::int32_t score = 0;
  std::int8_t depth = 0;  // plies searched below the node (negative in the quiescence search)
  Bound bound = Bound::kNone;
  std::uint8_t generation = 0;  // the search that stored it
};
static_assert(sizeof(TableEntry) == 16);

constexpr int kBucketEntries = 4;
struct alignas(64) TableBucket {
  TableEntry entries[kBucketEntries];
};

// The largest table the Hash option offers, in megabytes.
constexpr std::size_t kMaxHashMegabytes = 4096;

// What a table has done since it was last cleared.
struct TableCounters {
  std::int64_t probes = 0;
  std::int64_t hits = 0;     // an entry of the position was found
  std::int64_t cutoffs = 0;  // ... and its score ended the node
  std::int64_t stores = 0;
};

class TranspositionTable {
 public:
  // Allocates the table in whole powers of two of buckets, as many as fit
  // in the megabytes (0: no table). False when the memory cannot be had;
  // the table is then off.
  bool Resize(std::size_t megabytes);
  std::size_t Megabytes() const { return megabytes_; }
  bool Enabled() const { return bucketCount_ != 0; }

  // Every entry emptied, the counters zeroed.
  void Clear();
  // A new search: entries of earlier ones are replaced first.
  void NewSearch() { ++generation_; }

  // The entry of the position with this key, or null.
  const TableEntry* Probe(std::uint64_t key);
  void Store(std::uint64_t key, int depth, Bound bound, int score, Move move);

  // Entries of the current search in the first thousand buckets' entries, per mille.
  int FillPermille() const;
  // Where the buckets are (null at size 0): the same for as long as the size stands.
  const void* Memory() const { return buckets_.get(); }

  TableCounters counters;

 private:
  TableBucket& BucketOf(std::uint64_t key) { return buckets_.get()[key & (bucketCount_ - 1)]; }

  struct FreeMemory {
    void operator()(TableBucket* buckets) const;
  };
  std::unique_ptr<TableBucket, FreeMemory> buckets_;
  std::size_t bucketCount_ = 0;
  std::size_t megabytes_ = 0;
  std::uint8_t generation_ = 0;
};

// The one table of the engine thread.
extern TranspositionTable transpositionTable;

// Mate scores in the table count from the node (a mate found at ply p of
// the search, m plies from the root, is m - p plies from the node); other
// scores are stored as they are.
int ScoreToTable(int score, int ply);
int ScoreFromTable(int score, int ply);

}  // namespace morvi
