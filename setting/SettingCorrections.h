// The corrections a fitter can make to bring a gear as built to a target:
// each option a few operations (fewest first), their amounts in the shop's
// steps chosen together for the best rounded result, with the readings
// predicted after them and the worst cut-off inequality over the quadrant.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Adjustments.h"
#include "SettingFit.h"
#include "SettingModel.h"

struct Operation {
  Adjustment adjust = Adjustment::spindle;
  double amount = 0;  // the change in that deviation's sense, a whole number of steps
};

struct CorrectionOption {
  std::vector<Operation> operations;  // in the usual order of work
  // Each row to predict with its value after the correction and, as
  // plusMinus, the one sigma the fit leaves on it.
  std::vector<Reading> predicted;
  double worstMiss = 0;  // the largest miss of the target, in the readings' precisions
  // Every row within its precision of the target, with the spread the
  // readings' own rounding leaves on the fit added (precision / sqrt(12) a
  // reading), so the engine's readings after it are within precision too.
  bool reaches = false;
  std::optional<double> worstCutOffInequality;  // over the quadrant (every degree), points of stroke
};

struct CorrectionRequest {
  std::vector<Adjustment> allowed{Adjustment::spindle, Adjustment::rod1, Adjustment::rod2};
  SettingTarget target;
  double lengthStep = 1.0 / 64, angleStep = 0.5;
  std::vector<Reading> rows;  // the rows predicted (the readings and the recommended set)
};

struct Corrections {
  std::string problem;  // the user's sentence when none can be worked out
  // Those that reach first (of them, those that keep the quadrant's worst
  // cut-off inequality within half a point of the design's first), then the
  // fewest operations, then the fewest steps: up to two single operations,
  // two pairs and the best with every adjustment allowed.
  std::vector<CorrectionOption> options;
  std::optional<double> designWorstCutOffInequality;  // of the design, as the options' figure
  std::vector<double> designFigures;  // the design's figure of each row predicted, in the options' order
  // When no option reaches the target: the adjustments not allowed that
  // would reach it with those allowed.
  std::vector<Adjustment> wouldReach;
  bool ok() const { return problem.empty(); }
};

// The options from the fitted gear; the quadrant studies run on `threads`.
Corrections FindCorrections(const SettingDesign& design, const SettingFit& fit,
                            const CorrectionRequest& request, int threads);
