// What the starts of one search share while they run on their threads: the
// count of evaluations, the best feasible inequality so far, the cancel flag
// and the progress sink, which is called under a lock.
#pragma once

#include <atomic>
#include <chrono>
#include <mutex>
#include <optional>

#include "DesignSearch.h"

class SearchTally {
 public:
  SearchTally(int maxEvaluations, const std::atomic<bool>* cancel, const DesignProgressSink& sink);

  // Counts one evaluation; false when the search was cancelled.
  bool Count();
  // A feasible design of that inequality was found; the next report carries it.
  void Offer(double inequality);
  bool cancelled() const { return cancel_ && cancel_->load(); }
  int evaluations() const { return evaluations_.load(); }

 private:
  void Report();

  int maxEvaluations_;
  const std::atomic<bool>* cancel_;
  const DesignProgressSink& sink_;
  std::atomic<int> evaluations_{0};
  std::mutex mutex_;
  std::optional<double> best_;
  std::chrono::steady_clock::time_point lastReport_;
};
