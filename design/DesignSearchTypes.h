// What the design search takes and gives: the start engine with its free
// dimensions, setting and limits; the progress it reports; and its result with
// the figures before and after, the limits in force and why no better design
// was proposed. The search itself is in DesignSearch.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "DesignConstraints.h"
#include "DesignDimensions.h"
#include "DesignFigures.h"
#include "DesignLimits.h"
#include "DrawingGrid.h"
#include "Engine.h"
#include "ToleranceOutcome.h"
#include "UsableRange.h"

// Enough for the rounds that found the sample engines' best proposals with
// the default set, and still a proposal within two seconds; a larger limit
// runs the same rounds and more.
inline constexpr int kDefaultMaxEvaluations = 600;

struct DesignInput {
  Engine start;
  std::vector<FreeDimension> free;  // each with lower <= upper
  DesignSetting setting;            // where and how the valves are set
  DesignRules rules;
  // Trial designs measured, each over the search's notches or the range's:
  // a hard limit. The start's figures and the proposal's usable range are not counted.
  int maxEvaluations = kDefaultMaxEvaluations;
  std::uint64_t seed = 1;  // places the space-filling points
  DrawingGrid grid;        // the proposal's drawing grid and tolerances
};

// A start that breaks a constraint is still searched: a proposal may do no
// worse where it does, so the start is always within the problem's constraints.
enum class DesignStatus { improved, noBetterDesign, cancelled, cannotStart };

struct DesignProgress {
  int evaluations = 0;
  int maxEvaluations = 0;
  std::optional<double> best;  // the objective of the best trial within the constraints so far
};
// Called from the search's thread, one call at a time.
using DesignProgressSink = std::function<void(const DesignProgress&)>;

// The best design a search found that broke a limit only at a corner of its
// tolerances, when no design held: its figure, that check, and the largest
// share of the tolerances (1/2 .. 1/16) at which it would hold (empty: none).
struct RejectedDesign {
  Engine engine;
  double objective = 0;
  ToleranceOutcome tolerance;
  std::optional<double> toleranceShare;
};

struct DesignResult {
  DesignStatus status = DesignStatus::cannotStart;
  // Why the start cannot be searched (status cannotStart): its valves cannot
  // be set (the failure names the member and crank angle), it has no usable
  // range, or no working notch on the side asked for.
  std::string problem;
  std::optional<GearFailure> failure;
  std::optional<UsableRange> range;  // the start's usable range: the notches judged
  std::vector<double> notchesDeg;    // every half degree of it
  Engine proposal;                   // the start itself unless a better design was found
  DesignFigures before, after;       // exact, at every notch of the range
  DesignSummary beforeSummary, afterSummary;
  std::optional<UsableRange> afterRange;                  // the proposal's own usable range
  std::optional<double> beforeObjective, afterObjective;  // as the quadrant study reads them
  std::vector<Breach> startBreaches;                      // the constraints the start already breaks
  // The proposal's figures over its own usable range (every half degree):
  // what a study of the saved proposal reads; afterSummary and afterObjective
  // are taken from them.
  DesignFigures afterOwn;
  ToleranceOutcome tolerance;              // the proposal's check at its tolerances
  std::optional<RejectedDesign> rejected;  // with no better design: why the best found was not proposed
  std::vector<std::string> atBound;        // the free dimensions the search left on a bound
  std::vector<LimitState> limits;          // the limits in force, those that bind the proposal marked
  int evaluations = 0;
  double seconds = 0;
};
