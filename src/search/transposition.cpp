// The table's memory, its buckets and replacement, and the mate-score shift.
#include "search/transposition.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>

#include "search/thinker.h"

namespace morvi {
namespace {

// Scores this far from the mate base are mates: a mate within 40 plies. No
// evaluation comes near (all the material of one side is some 40 pawns).
constexpr int kMateBound = kMateBase - 1024 * 40;

// Tables of at least this size are aligned to it, so that the system can
// back them with huge pages: fewer address-translation misses on probes.
constexpr std::size_t kHugePage = std::size_t{2} << 20;

std::uint32_t CheckOf(std::uint64_t key) { return static_cast<std::uint32_t>(key >> 32); }

TableBucket* AllocateBuckets(std::size_t count) {
  const std::size_t bytes = count * sizeof(TableBucket);
  const std::size_t alignment = bytes >= kHugePage ? kHugePage : alignof(TableBucket);
  void* memory = std::aligned_alloc(alignment, bytes);
  if (memory != nullptr && alignment == kHugePage) madvise(memory, bytes, MADV_HUGEPAGE);
  return static_cast<TableBucket*>(memory);
}

bool IsWin(int score) { return score >= kMateBound; }
bool IsLoss(int score) { return score <= -kMateBound; }

}  // namespace

TranspositionTable transpositionTable;

void TranspositionTable::FreeMemory::operator()(TableBucket* buckets) const { std::free(buckets); }

bool TranspositionTable::Resize(std::size_t megabytes) {
  buckets_.reset();
  bucketCount_ = 0;
  megabytes_ = 0;
  if (megabytes == 0) return true;
  std::size_t count = 1;
  while (count * 2 * sizeof(TableBucket) <= megabytes * 1024 * 1024) count *= 2;
  buckets_.reset(AllocateBuckets(count));
  if (!buckets_) return false;
  bucketCount_ = count;
  megabytes_ = megabytes;
  Clear();
  return true;
}

void TranspositionTable::Clear() {
  TableBucket* buckets = buckets_.get();
  for (std::size_t i = 0; i < bucketCount_; ++i) buckets[i] = TableBucket{};
  counters = TableCounters{};
  generation_ = 0;
}

const TableEntry* TranspositionTable::Probe(std::uint64_t key) {
  ++counters.probes;
  const std::uint32_t check = CheckOf(key);
  TableBucket& bucket = BucketOf(key);
  for (const TableEntry& entry : bucket.entries) {
    if (entry.bound != Bound::kNone && entry.check == check) {
      ++counters.hits;
      return &entry;
    }
  }
  return nullptr;
}

void TranspositionTable::Store(std::uint64_t key, int depth, Bound bound, int score, Move move) {
  ++counters.stores;
  const std::uint32_t check = CheckOf(key);
  TableBucket& bucket = BucketOf(key);
  TableEntry* target = &bucket.entries[0];
  for (TableEntry& entry : bucket.entries) {
    if (entry.bound == Bound::kNone || entry.check == check) {
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
  if (target->check == check && target->bound != Bound::kNone && target->generation == generation_ &&
      depth < target->depth && bound != Bound::kExact) {
    return;
  }
  if (!IsMove(move) && target->check == check) move = target->move;
  *target = TableEntry{check, move, score, static_cast<std::int8_t>(depth), bound, generation_};
}

int TranspositionTable::FillPermille() const {
  if (bucketCount_ == 0) return 0;
  const std::size_t buckets = std::min<std::size_t>(bucketCount_, 1000 / kBucketEntries);
  int used = 0;
  for (std::size_t i = 0; i < buckets; ++i) {
    for (const TableEntry& entry : buckets_.get()[i].entries) used += entry.bound != Bound::kNone && entry.generation == generation_;
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
