// The deviations of the gear as built from a fitter's readings: weighted least
// squares (each reading weighted by its precision) from the design, by
// Levenberg-Marquardt steps on forward-difference slopes, with what the
// readings cannot separate found from the normal matrix's eigenvectors.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "Deviations.h"
#include "SettingModel.h"

struct FittedReading {
  Reading reading;
  double fitted = 0;     // the figure of the fitted gear
  double residual = 0;   // reading - fitted
  bool suspect = false;  // |residual| over three times the precision: fits no rigid gear
};

// A combination of deviations that changes no reading by more than a fraction
// of its precision: in the deviations' own units, scaled so its largest
// member is one shop step.
struct InseparableCombination {
  DeviationVector direction{};
};

struct SettingFit {
  std::string problem;  // the user's sentence when there is no fit
  DeviationVector deviations{};
  std::array<std::optional<double>, kDeviationCount> sigma{};  // one sigma; empty where not determined
  // The covariance of the determined part, in the deviations' units.
  std::array<DeviationVector, kDeviationCount> covariance{};
  std::vector<FittedReading> readings;  // every reading that has a value, in the order given
  std::vector<InseparableCombination> inseparable;
  bool ok() const { return problem.empty(); }
};

// A combination whose one sigma passes this many shop steps is not determined.
inline constexpr double kInseparableSigmaSteps = 8;

// Fits the readings that have a value; each must lie in the design's usable
// range (the caller refuses the others). A reading more than three precisions
// off a gear that fits the rest is left out of the fit (at most one in six)
// and marked suspect.
SettingFit FitDeviations(const SettingDesign& design, const std::vector<Reading>& readings);

// The combinations rows of these slopes (Linearise's) cannot separate, for
// judging a set of readings before it is read.
std::vector<InseparableCombination> InseparableCombinations(const SettingDesign& design,
                                                            const std::vector<DeviationVector>& slope,
                                                            const std::vector<Reading>& rows);
