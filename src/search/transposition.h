// The transposition table: positions already searched, by their 64-bit key,
// with the depth they were searched to, the kind of bound their score is, the
// score and the best move found. Buckets of four entries; a new entry takes
// the place of one from an earlier search first, then of the shallowest.
// Mate scores are stored as distances from the node, not from the root. The
// table is sized between searches only (never during one) and is empty at
// size 0: the search then runs as it always has.
//
// Search threads share it without locks: each entry is two 64-bit words
// written and read as relaxed atomics, the data and the key XOR the data, so
// that an entry torn between two writes (a word of each) does not match the
// key and is a miss. A move it names is played only if the position makes it.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

#include "board/move.h"

namespace morvi {

enum class Bound : std::uint8_t {
  kNone,   // an empty entry
  kUpper,  // the score is at most this (no move raised alpha)
  kLower,  // the score is at least this (a move reached beta)
  kExact,
};

// An entry as a probe finds it.
struct TableEntry {
  Move move = kNoMove;  // the best move found, or kNoMove
  int score = 0;
  int depth = 0;  // plies searched below the node (-1 and deeper: the quiescence search)
  Bound bound = Bound::kNone;
  int generation = 0;  // the search that stored it (a few bits of its number)
};

// Sixteen bytes as stored: four fill one 64-byte cache line. The key's lower
// bits choose the bucket. The data word packs the move (32 bits), the score
// (20 bits, signed), the depth (7 bits, from -1), the bound (2 bits) and the
// generation (3 bits).
struct TableSlot {
  std::atomic<std::uint64_t> check{0};  // the key XOR the data
  std::atomic<std::uint64_t> data{0};
};
static_assert(sizeof(TableSlot) == 16);

constexpr int kBucketEntries = 4;
struct alignas(64) TableBucket {
  TableSlot entries[kBucketEntries];
};

// The range a stored score keeps (wider than any evaluation or mate score).
constexpr int kTableScoreLimit = (1 << 19) - 1;
// The depths an entry holds.
constexpr int kTableDepthMin = -1;
constexpr int kTableDepthMax = 126;

// The largest table the Hash option offers, in megabytes.
constexpr std::size_t kMaxHashMegabytes = 4096;

// What a table has done since it was last cleared, counted by each thread
// for itself.
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
  void NewSearch();

  // The entry of the position with this key, if there is one.
  std::optional<TableEntry> Probe(std::uint64_t key);
  // depth is kept within kTableDepthMin .. kTableDepthMax, score within
  // kTableScoreLimit.
  void Store(std::uint64_t key, int depth, Bound bound, int score, Move move);

  // Entries of the current search in the first thousand buckets' entries, per mille.
  int FillPermille() const;
  // Where the buckets are (null at size 0): the same for as long as the size stands.
  const void* Memory() const { return buckets_.get(); }

  // This thread's counts (the engine thread's, or a search thread's own).
  static constinit thread_local TableCounters counters;

 private:
  TableBucket& BucketOf(std::uint64_t key) { return buckets_.get()[key & (bucketCount_ - 1)]; }

  struct FreeMemory {
    void operator()(TableBucket* buckets) const;
  };
  std::unique_ptr<TableBucket, FreeMemory> buckets_;
  std::size_t bucketCount_ = 0;
  std::size_t megabytes_ = 0;
  int generation_ = 0;  // kept to the generation's bits
};

// The one table of the engine thread.
extern TranspositionTable transpositionTable;

// Mate scores in the table count from the node (a mate found at ply p of
// the search, m plies from the root, is m - p plies from the node); other
// scores are stored as they are.
int ScoreToTable(int score, int ply);
int ScoreFromTable(int score, int ply);

}  // namespace morvi
