// What one search counts while it runs: the trial designs measured against
// the hard limit, the best objective within the constraints so far, the
// cancel flag and the progress sink.
#pragma once

#include <atomic>
#include <chrono>
#include <optional>

#include "DesignSearchTypes.h"

class SearchTally {
 public:
  SearchTally(int maxEvaluations, const std::atomic<bool>* cancel, const DesignProgressSink& sink);

  // Counts one trial when fewer than `limit` (and than the hard limit) were
  // counted and the search was not cancelled; false otherwise.
  bool Count(int limit);
  // Counts one check of a proposal on every notch of the range: within the
  // hard limit, but a cancel does not stop it.
  bool CountCheck();
  // A trial within the constraints had this objective; the next report carries the best.
  void Offer(double objective);
  bool cancelled() const { return cancel_ && cancel_->load(); }
  int evaluations() const { return evaluations_; }
  int maxEvaluations() const { return maxEvaluations_; }

 private:
  void Report();

  int maxEvaluations_;
  const std::atomic<bool>* cancel_;
  const DesignProgressSink& sink_;
  int evaluations_ = 0;
  std::optional<double> best_;
  std::chrono::steady_clock::time_point lastReport_;
};
