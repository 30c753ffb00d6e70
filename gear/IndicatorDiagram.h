// The theoretical indicator diagram of each end of the cylinder, drawn from
// that end's four valve events: full admission pressure to cut-off, hyperbolic
// expansion to release, exhaust pressure back to compression, hyperbolic
// compression to admission. No wire-drawing or throttling is modelled.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "GearRun.h"

// Pressures are fractions of the admission pressure; the clearance volume is a
// percentage of the swept volume; rodRatio is the piston rod's diameter over
// the bore (the rod takes area from the back end only).
struct IndicatorParams {
  double clearancePct = 8;
  double exhaustPressure = 0.1;
  double rodRatio = 0;
};

// The values one parameter takes, the same in the study window's boxes and on
// the command line: lo to hi, both included, with at most `decimals` decimals,
// so a value either takes is shown and used alike by the other. The clearance
// stays above zero (the compression curve needs a volume to end in), the
// exhaust pressure below the admission pressure, and the rod leaves the back
// piston at least three quarters of its area.
struct IndicatorParamLimits {
  const char* key;      // the command line's name: "clearance", "exhaust", "rod"
  const char* caption;  // as a sentence names it: "the clearance volume"
  const char* unit;     // after the figures: " %" or ""
  double lo, hi;
  int decimals;
  double IndicatorParams::*member;
};
const std::array<IndicatorParamLimits, 3>& IndicatorParamTable();

// Empty when `limits` takes `value`; else the sentence saying what it takes.
std::optional<std::string> IndicatorValueProblem(const IndicatorParamLimits& limits, double value);
// Empty when every parameter is taken; else the first one's problem.
std::optional<std::string> IndicatorParamsProblem(const IndicatorParams& params);

// One end's events as the program reports them: admission and compression as
// % of stroke before that end's dead centre, cut-off and exhaust as % after.
struct EndEvents {
  double admissionPct = 0, cutOffPct = 0, exhaustPct = 0, compressionPct = 0;
};

// The events of the back or the front end of a run; empty when one is missing.
std::optional<EndEvents> EndEventsOf(const RunResults& results, bool back);

// The enclosed area per unit swept volume, as a fraction of the admission
// pressure; empty when the events are not in the diagram's order
// (0 <= admission <= compression <= 100 and 0 <= cut-off <= exhaust <= 100).
std::optional<double> MeanEffectivePressure(const EndEvents& events, const IndicatorParams& params);

struct IndicatorFigures {
  std::optional<double> mepBack, mepFront;
  std::optional<double> workImbalancePct;  // 100 (Wb - Wf) / mean of the two
};

IndicatorFigures IndicatorOf(const RunResults& results, const IndicatorParams& params);

// A point of the diagram: the piston's travel from the end's dead centre (% of
// stroke) and the pressure (fraction of the admission pressure).
struct IndicatorPoint {
  double strokePct = 0, pressure = 0;
};

// The closed diagram, forward stroke then return, with `steps` points on each
// hyperbolic curve; empty when the events' order rules it out.
std::vector<IndicatorPoint> IndicatorCurve(const EndEvents& events, const IndicatorParams& params,
                                           int steps = 24);
