// The corrections a fitter can make to bring a gear as built to a target:
// each option a few operations (fewest first), their amounts in the shop's
// steps chosen together for the best rounded result, with the readings
// predicted after them and the worst cut-off inequality over the quadrant.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "SettingFit.h"
#include "SettingModel.h"

// What the engine allows: one deviation each, or `advance`, both eccentrics
// turned together (two eccentrics cast as one).
enum class Adjustment { rod1, rod2, advance1, advance2, spindle, advance };

// "rod1", "rod2", "advance1", "advance2", "spindle", "advance".
std::string_view AdjustmentKey(Adjustment a);
std::optional<Adjustment> ParseAdjustment(std::string_view key);
// The deviations one unit of the adjustment changes.
DeviationVector AdjustmentDirection(Adjustment a);
bool IsAngleAdjustment(Adjustment a);

// design: the stored engine's figures at every row; equalLeads/equalCutOff:
// the two ends' leads (cut-offs) equal at angleDeg.
struct SettingTarget {
  enum class Kind { design, equalLeads, equalCutOff } kind = Kind::design;
  double angleDeg = 0;
};
// "design", "equal-leads:ANGLE", "equal-cutoff:ANGLE".
std::optional<SettingTarget> ParseSettingTarget(std::string_view text);
std::string SettingTargetText(const SettingTarget& target);

struct Operation {
  Adjustment adjust = Adjustment::spindle;
  double amount = 0;  // the change in that deviation's sense, a whole number of steps
};

struct CorrectionOption {
  std::vector<Operation> operations;  // in the usual order of work
  // Each row to predict with its value after the correction and, as
  // plusMinus, the one sigma the fit leaves on it.
  std::vector<Reading> predicted;
  double worstMiss = 0;                         // the largest miss of the target, in the readings' precisions
  bool reaches = false;                         // every row within its precision of the target
  std::optional<double> worstCutOffInequality;  // over the quadrant, points of stroke
};

struct CorrectionRequest {
  std::vector<Adjustment> allowed{Adjustment::spindle, Adjustment::rod1, Adjustment::rod2};
  SettingTarget target;
  double lengthStep = 1.0 / 64, angleStep = 0.5;
  std::vector<Reading> rows;  // the rows predicted (the readings and the recommended set)
};

struct Corrections {
  std::string problem;                                // the user's sentence when none can be worked out
  std::vector<CorrectionOption> options;              // fewest operations first; the last is all allowed
  std::optional<double> designWorstCutOffInequality;  // of the design, as the options' figure
  // When no option reaches the target: the adjustments not allowed that
  // would reach it with those allowed.
  std::vector<Adjustment> wouldReach;
  bool ok() const { return problem.empty(); }
};

// The options from the fitted gear; the quadrant studies run on `threads`.
Corrections FindCorrections(const SettingDesign& design, const SettingFit& fit,
                            const CorrectionRequest& request, int threads);
