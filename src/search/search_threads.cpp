// The helper threads: their workers, the start of each search under the
// lock (so that the root a helper copies is the engine's at that moment),
// and the wait for all of them at its end.
#include "search/search_threads.h"

#include <algorithm>
#include <thread>

#include "search/full_search.h"

namespace morvi {

struct SearchThreads::Helper {
  explicit Helper(int number) : index(number) {}
  int index;  // 1, 2, ...: the engine's own search is 0
  Position pos;
  Thinker thinker;
  SearchCounters counters{};
  SearchWorker worker{pos, thinker, counters};
  std::atomic<std::int64_t> nodes{0};
  std::thread thread;
};

SearchThreads searchThreads;

SearchThreads::SearchThreads() = default;

SearchThreads::~SearchThreads() { EndAll(); }

void SearchThreads::EndAll() {
  {
    std::lock_guard<std::mutex> hold(lock_);
    quit_ = true;
  }
  wake_.notify_all();
  for (auto& helper : helpers_) {
    if (helper->thread.joinable()) helper->thread.join();
  }
  helpers_.clear();
  quit_ = false;
}

void SearchThreads::SetCount(int threads) {
  const int helpers = std::clamp(threads, 1, kMaxThreads) - 1;
  if (helpers == static_cast<int>(helpers_.size())) return;
  EndAll();
  // A new helper waits for the next search, not for the ones before it.
  const int current = job_;
  for (int i = 1; i <= helpers; ++i) {
    helpers_.push_back(std::make_unique<Helper>(i));
    Helper& helper = *helpers_.back();
    helper.worker.main = false;
    helper.worker.stopSignal = &stop_;
    helper.worker.nodesShown = &helper.nodes;
    helper.thread = std::thread([this, &helper, current] { Run(helper, current); });
  }
}

void SearchThreads::Start(const SearchWorker& main, int depthLimit) {
  if (helpers_.empty()) return;
  stop_.store(false, std::memory_order_relaxed);
  for (auto& helper : helpers_) {
    SearchWorker& w = helper->worker;
    helper->pos = main.pos;
    std::copy(main.gameKeys, main.gameKeys + main.gameKeyCount, w.gameKeys);
    w.gameKeyCount = main.gameKeyCount;
    w.order.NewSearch();
    w.moves.listStart[0] = w.moves.listEnd[0] = 0;
    Thinker& t = helper->thinker;
    ClearLines(t);
    t.stop = false;
    t.maxPly = 0;
    t.lastScore = main.t.lastScore;
    t.rootFilterCount = main.t.rootFilterCount;
    std::copy(main.t.rootFilter, main.t.rootFilter + main.t.rootFilterCount, t.rootFilter);
    helper->counters = SearchCounters{};
    helper->nodes.store(0, std::memory_order_relaxed);
  }
  {
    std::lock_guard<std::mutex> hold(lock_);
    depthLimit_ = depthLimit;
    running_ = static_cast<int>(helpers_.size());
    ++job_;
  }
  wake_.notify_all();
}

void SearchThreads::Stop() {
  if (helpers_.empty()) return;
  stop_.store(true, std::memory_order_relaxed);
  std::unique_lock<std::mutex> hold(lock_);
  idle_.wait(hold, [this] { return running_ == 0; });
}

std::int64_t SearchThreads::Nodes() const {
  std::int64_t total = 0;
  for (const auto& helper : helpers_) total += helper->nodes.load(std::memory_order_relaxed);
  return total;
}

void SearchThreads::Run(Helper& helper, int seen) {
  for (;;) {
    int depthLimit = 1;
    {
      std::unique_lock<std::mutex> hold(lock_);
      wake_.wait(hold, [this, seen] { return quit_ || job_ != seen; });
      if (quit_) return;
      seen = job_;
      depthLimit = depthLimit_;
    }
    DeepenFull(helper.worker, 1 + helper.index % 2, depthLimit);
    helper.nodes.store(helper.counters.nodes, std::memory_order_relaxed);
    {
      std::lock_guard<std::mutex> hold(lock_);
      if (--running_ == 0) idle_.notify_all();
    }
  }
}

std::int64_t SearchedNodes() { return searchCounters.nodes + searchThreads.Nodes(); }

}  // namespace morvi
