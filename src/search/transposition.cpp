// The table's memory, its buckets and replacement, and the mate-score shift.
#include "search/transposition.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "search/thinker.h"

namespace morvi {
namespace {

// Scores this far from the mate base are mates: a mate within 40 plies. No
// evaluation comes near (all the material of one side is some 40 pawns).
constexpr int kMateBound = kMateBase - 1024 * 40;

// Tables of at least this size are aligned to it, so that the system can
// back them with huge pages: fewer address-translation misses on probes.
constexpr std::size_t kHugePage = std::size_t{2} << 20;

TableBucket* AllocateBuckets(std::size_t count) {
  const std::size_t bytes = count * sizeof(TableBucket);
  const std::size_t alignment = bytes >= kHugePage ? kHugePage : alignof(TableBucket);
  void* memory = std::aligned_alloc(alignment, bytes);
  if (memory == nullptr) return nullptr;
  if (alignment == kHugePage) madvise(memory, bytes, MADV_HUGEPAGE);
  auto* buckets = static_cast<TableBucket*>(memory);
  std::uninitialized_default_construct_n(buckets, count);
  return buckets;
}

bool IsWin(int score) { return score >= kMateBound; }
bool IsLoss(int score) { return score <= -kMateBound; }

}  // namespace

TranspositionTable transpositionTable;
constinit thread_local TableCounters TranspositionTable::counters;

namespace {

constexpr int kGenerationBits = 3;
constexpr int kGenerationMask = (1 << kGenerationBits) - 1;

// The data word: move 0-31, score 32-51, depth 52-58, bound 59-60,
// generation 61-63.
std::uint64_t Pack(Move move, int score, int depth, Bound bound, int generation) {
  const std::uint64_t s = static_cast<std::uint64_t>(std::clamp(score, -kTableScoreLimit, kTableScoreLimit)) & 0xfffff;
  const std::uint64_t d = static_cast<std::uint64_t>(std::clamp(depth, kTableDepthMin, kTableDepthMax) - kTableDepthMin);
  return static_cast<std::uint64_t>(move) | (s << 32) | (d << 52) | (static_cast<std::uint64_t>(bound) << 59) |
         (static_cast<std::uint64_t>(generation & kGenerationMask) << 61);
}

TableEntry Unpack(std::uint64_t data) {
  TableEntry e;
  e.move = static_cast<Move>(data & 0xffffffff);
  const int raw = static_cast<int>((data >> 32) & 0xfffff);
  e.score = raw >= (1 << 19) ? raw - (1 << 20) : raw;
  e.depth = static_cast<int>((data >> 52) & 0x7f) + kTableDepthMin;
  e.bound = static_cast<Bound>((data >> 59) & 3);
  e.generation = static_cast<int>(data >> 61);
  return e;
}

// The slot's entry if it holds the key's position (an empty or torn slot,
// or another position's, does not).
bool Read(const TableSlot& slot, std::uint64_t key, TableEntry& entry) {
  const std::uint64_t data = slot.data.load(std::memory_order_relaxed);
  const std::uint64_t check = slot.check.load(std::memory_order_relaxed);
  if ((check ^ data) != key) return false;
  entry = Unpack(data);
  return entry.bound != Bound::kNone;
}

}  // namespace

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
  for (std::size_t i = 0; i < bucketCount_; ++i) {
    for (TableSlot& slot : buckets[i].entries) {
      slot.check.store(0, std::memory_order_relaxed);
      slot.data.store(0, std::memory_order_relaxed);
    }
  }
  counters = TableCounters{};
  generation_ = 0;
}

void TranspositionTable::NewSearch() { generation_ = (generation_ + 1) & kGenerationMask; }

std::optional<TableEntry> TranspositionTable::Probe(std::uint64_t key) {
  ++counters.probes;
  TableEntry entry;
  for (const TableSlot& slot : BucketOf(key).entries) {
    if (Read(slot, key, entry)) {
      ++counters.hits;
      return entry;
    }
  }
  return std::nullopt;
}

void TranspositionTable::Store(std::uint64_t key, int depth, Bound bound, int score, Move move) {
  ++counters.stores;
  TableBucket& bucket = BucketOf(key);
  TableSlot* target = &bucket.entries[0];
  TableEntry targetEntry = Unpack(target->data.load(std::memory_order_relaxed));
  bool same = false;
  for (TableSlot& slot : bucket.entries) {
    TableEntry entry;
    if (Read(slot, key, entry)) {
      target = &slot;
      targetEntry = entry;
      same = true;
      break;
    }
    entry = Unpack(slot.data.load(std::memory_order_relaxed));
    if (entry.bound == Bound::kNone) {
      target = &slot;
      targetEntry = entry;
      break;
    }
    // An entry of an earlier search goes first, then the shallowest.
    const bool entryOld = entry.generation != generation_;
    const bool targetOld = targetEntry.generation != generation_;
    if (entryOld != targetOld ? entryOld : entry.depth < targetEntry.depth) {
      target = &slot;
      targetEntry = entry;
    }
  }
  // The same position searched less deeply keeps the deeper result, unless
  // the new one is exact; its move is kept when the new search found none.
  if (same && targetEntry.generation == generation_ && depth < targetEntry.depth && bound != Bound::kExact) return;
  if (!IsMove(move) && same) move = targetEntry.move;
  const std::uint64_t data = Pack(move, score, depth, bound, generation_);
  target->data.store(data, std::memory_order_relaxed);
  target->check.store(key ^ data, std::memory_order_relaxed);
}

int TranspositionTable::FillPermille() const {
  if (bucketCount_ == 0) return 0;
  const std::size_t buckets = std::min<std::size_t>(bucketCount_, 1000 / kBucketEntries);
  int used = 0;
  for (std::size_t i = 0; i < buckets; ++i) {
    for (const TableSlot& slot : buckets_.get()[i].entries) {
      const TableEntry entry = Unpack(slot.data.load(std::memory_order_relaxed));
      used += entry.bound != Bound::kNone && entry.generation == generation_;
    }
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
