// Progress, a new best included, is reported at most every 100 ms, so that a
// window receiving it through a queue is never flooded: trials take about a
// millisecond each.
#include "SearchTally.h"

SearchTally::SearchTally(int maxEvaluations, const std::atomic<bool>* cancel, const DesignProgressSink& sink)
    : maxEvaluations_(maxEvaluations), cancel_(cancel), sink_(sink) {}

bool SearchTally::Count(int limit) {
  if (cancelled() || evaluations_ >= limit) return false;
  return CountCheck();
}

bool SearchTally::CountCheck() {
  if (evaluations_ >= maxEvaluations_) return false;
  ++evaluations_;
  if (sink_) Report();
  return true;
}

void SearchTally::Offer(double objective) {
  if (!best_ || objective < *best_) best_ = objective;
}

void SearchTally::Report() {
  const auto now = std::chrono::steady_clock::now();
  if (now - lastReport_ < std::chrono::milliseconds(100)) return;
  lastReport_ = now;
  sink_({evaluations_, maxEvaluations_, best_});
}
