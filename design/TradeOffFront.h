// The trade-off between cut-off equality and work balance: the designs from
// the best of one to the best of the other, none worse than another on both
// counts, by the epsilon-constraint method. Every design is a full design
// search's proposal, so each is on the drawing grid, checked at its
// tolerances and within every limit given.
#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "DesignSearchTypes.h"

// Interior work levels searched between the two ends: with the ends, at most
// seven designs.
inline constexpr int kFrontLevels = 5;

struct FrontDesign {
  // The worst cut-off inequality over the proposal's own working notches on
  // the side judged, and the worst work imbalance over its working notches
  // (both sides, as its limit takes it) with its sign: positive where the
  // back end does more work.
  double cutOffInequality = 0;
  double workImbalancePct = 0;
  DesignResult result;
  DesignObjective objective = DesignObjective::cutOff;  // of the search that found it
  bool changed = false;                                 // false: the search kept the start

  double workSize() const;
};

struct FrontProgress {
  int searchesDone = 0, searches = 0;
  // Over the whole front: each search counts at most its limit.
  int evaluations = 0, maxEvaluations = 0;
  // The search running: its objective, the work limit it holds when it is
  // one of the levels, and its best trial so far.
  DesignObjective objective = DesignObjective::work;
  std::optional<double> workLimitPct;
  std::optional<double> best;
};
// Called from the front's thread, one call at a time.
using FrontProgressSink = std::function<void(const FrontProgress&)>;

struct TradeOffFront {
  // cannotStart with the problem (the start cannot be searched), cancelled
  // with what was finished, improved when a design better than the start was
  // found, or noBetterDesign.
  DesignStatus status = DesignStatus::cannotStart;
  std::string problem;
  // One design is best at both counts: the front is that design alone.
  bool agreed = false;
  std::optional<double> startCutOffInequality, startWorkImbalancePct;
  // From the best cut-off equality to the best work balance.
  std::vector<FrontDesign> designs;
  int searches = 0;  // run (or begun, when cancelled)
  int evaluations = 0;
  double seconds = 0;
};

// Searches for the best work balance and for the best cut-off equality under
// the input's limits, then (unless one design is best at both) for the best
// cut-off equality with the work imbalance held at kFrontLevels levels between
// the two ends', each with the input's seed and evaluation limit. A cancel
// stops the search running; the designs finished are kept.
TradeOffFront FindTradeOffFront(const DesignInput& input, int threads,
                                const std::atomic<bool>* cancel = nullptr,
                                const FrontProgressSink& progress = nullptr);

// Keeps the designs no other design beats on both counts, one of each pair
// that is the same design or has the same two figures, ordered by cut-off
// inequality (so from the worst work balance to the best).
std::vector<FrontDesign> NonDominated(std::vector<FrontDesign> designs);
