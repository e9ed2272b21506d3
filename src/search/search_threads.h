// The full search's helper threads (lazy SMP). Each owns a search worker: a
// copy of the root position, a Thinker, counters and move lists of its own,
// and what it learns of the moves; the transposition table is the one thing
// they share with the engine's search. At each search they take the engine's
// root and search it, deepening on their own (every second helper starts a
// ply deeper, so that they do not all search the same depth), and their
// findings reach the engine's search through the table. The engine's search
// keeps the clock, the stop, the lines and the answer; the helpers stop with
// it. They are started when their number is set (never during a search) and
// sleep between searches.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "search/search_worker.h"

namespace morvi {

// The most threads a search may have, the engine's own included.
constexpr int kMaxThreads = 256;

class SearchThreads {
 public:
  SearchThreads();
  ~SearchThreads();
  SearchThreads(const SearchThreads&) = delete;
  SearchThreads& operator=(const SearchThreads&) = delete;

  // The threads a full search runs on, the engine's own included (1: no
  // helpers). Between searches only.
  void SetCount(int threads);
  int Count() const { return static_cast<int>(helpers_.size()) + 1; }

  // The helpers take the main worker's root (position, game, root moves,
  // the last score) and search it to depthLimit; Stop ends their searches
  // and returns once every helper sleeps again.
  void Start(const SearchWorker& main, int depthLimit);
  void Stop();

  // The nodes the helpers have searched in this search so far.
  std::int64_t Nodes() const;

 private:
  struct Helper;
  void Run(Helper& helper, int seen);
  void EndAll();

  std::vector<std::unique_ptr<Helper>> helpers_;
  std::mutex lock_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  int job_ = 0;      // counts the searches started
  int running_ = 0;  // helpers still searching
  int depthLimit_ = 1;
  bool quit_ = false;
  std::atomic<bool> stop_{false};
};

// The engine's helper threads.
extern SearchThreads searchThreads;

// The nodes of the running (or last) search: the engine's search and its
// helpers together.
std::int64_t SearchedNodes();

}  // namespace morvi
