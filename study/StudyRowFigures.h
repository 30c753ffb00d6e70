// The figures of a notch the window reads beside the run figures' table: the
// mean cut-off the plots are drawn against, the inequality of the cut-offs,
// and the indicator diagrams' figures.
#pragma once

#include <optional>

#include "IndicatorDiagram.h"
#include "StudySummary.h"

// Both cut-offs' mean and |back - front|; empty when the notch lacks one.
std::optional<double> MeanCutOff(const StudyRow& row);
std::optional<double> CutOffInequality(const StudyRow& row);

// The notch's mean effective pressures and work imbalance; empty figures for
// a notch that failed or whose events' order rules a diagram out.
IndicatorFigures RowIndicator(const StudyRow& row, const IndicatorParams& params);
