// Progress, a new best included, is reported at most every 100 ms, so that a
// window receiving it through a queue is never flooded: improvements come
// many times a millisecond early in a search.
#include "SearchTally.h"

SearchTally::SearchTally(int maxEvaluations, const std::atomic<bool>* cancel, const DesignProgressSink& sink)
    : maxEvaluations_(maxEvaluations), cancel_(cancel), sink_(sink) {}

bool SearchTally::Count() {
  if (cancelled()) return false;
  ++evaluations_;
  if (sink_) Report();
  return true;
}

void SearchTally::Offer(double inequality) {
  std::lock_guard lock(mutex_);
  if (best_ && *best_ <= inequality) return;
  best_ = inequality;
}

void SearchTally::Report() {
  std::lock_guard lock(mutex_);
  const auto now = std::chrono::steady_clock::now();
  if (now - lastReport_ < std::chrono::milliseconds(100)) return;
  lastReport_ = now;
  sink_({evaluations_.load(), maxEvaluations_, best_});
}
