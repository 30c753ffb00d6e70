// The figures of a notch the window reads beside the run figures' table: the
// mean cut-off the plots are drawn against and the inequality of the cut-offs.
#pragma once

#include <optional>

#include "StudySummary.h"

// Both cut-offs' mean and |back - front|; empty when the run lacks one.
std::optional<double> MeanCutOff(const RunResults& results);
std::optional<double> MeanCutOff(const StudyRow& row);
std::optional<double> CutOffInequality(const StudyRow& row);
