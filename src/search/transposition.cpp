// The table's memory, its buckets and replacement, and the mate-score shift.
#include "search/transposition.h"

#include <algorithm>
#include <new>

#include "search/thinker.h"

namespace morvi {
namespace {

// Scores this far from the mate base are mates: a mate within 40 plies. No
// evaluation comes near (all the material of one side is some 40 pawns).
constexpr int kMateBound = kMateBase - 1024 * 40;

bool IsWin(int score) { return score >= kMateBound; }
bool IsLoss(int score) { return score <= -kMateBound; }

}  // namespace

TranspositionTable transpositionTable;

bool TranspositionTable::Resize(std::size_t megabytes) {
  buckets_.reset();
  bucketCount_ = 0;
  megabytes_ = 0;
  if (megabytes == 0) return true;
  std::size_t count = 1;
  while (count * 2 * sizeof(TableBucket) <= megabytes * 1024 * 1024) count *= 2;
  buckets_.reset(new (std::nothrow) TableBucket[count]);
  if (!buckets_) return false;
  bucketCount_ = count;
  megabytes_ = megabytes;
  Clear();
  return true;
}

void TranspositionTable::Clear() {
  for (std::size_t i = 0; i < bucketCount_; ++i) buckets_[i] = TableBucket{};
  counters = TableCounters{};
  generation_ = 0;
}

const TableEntry* TranspositionTable::Probe(std::uint64_t key) {
  ++counters.probes;
  TableBucket& bucket = BucketOf(key);
  for (const TableEntry& entry : bucket.entries) {
    if (entry.bound != Bound::kNone && entry.key == key) {
      ++counters.hits;
      return &entry;
    }
  }
  return nullptr;
}

void TranspositionTable::Store(std::uint64_t key, int depth, Bound bound, int score, Move move) {
  ++counters.stores;
  TableBucket& bucket = BucketOf(key);
  TableEntry* target = &bucket.entries[0];
  for (TableEntry& entry : bucket.entries) {
    if (entry.bound == Bound::kNone || entry.key == key) {
      target = &entry;
      break;
    }
    // An entry of an earlier search goes first, then the shallowest.
    const bool entryOld = entry.generation != generation_;
    const bool targetOld = target->generation != generation_;
    if (entryOld != targetOld ? entryOld : entry.depth < target->depth) target = &entry;
  }
  // The same position searched less deeply keeps the deeper result, unless
  // the new one is exact; its move is kept when the new search found none.
  if (target->key == key && target->bound != Bound::kNone && target->generation == generation_ &&
      depth < target->depth && bound != Bound::kExact) {
    return;
  }
  if (!IsMove(move) && target->key == key) move = target->move;
  *target = TableEntry{key, move, score, static_cast<std::int16_t>(depth), bound, generation_};
}

int TranspositionTable::FillPermille() const {
  if (bucketCount_ == 0) return 0;
  const std::size_t buckets = std::min<std::size_t>(bucketCount_, 1000 / kBucketEntries);
  int used = 0;
  for (std::size_t i = 0; i < buckets; ++i) {
    for (const TableEntry& entry : buckets_[i].entries) used += entry.bound != Bound::kNone && entry.generation == generation_;
  }
  return static_cast<int>(used * 1000 / (buckets * kBucketEntries));
}

int ScoreToTable(int score, int ply) {
  if (IsWin(score)) return score + 1024 * ply;
  if (IsLoss(score)) return score - 1024 * ply;
  return score;
}

int ScoreFromTable(int score, int ply) {
  if (IsWin(score)) return score - 1024 * ply;
  if (IsLoss(score)) return score + 1024 * ply;
  return score;
}

}  // namespace morvi
