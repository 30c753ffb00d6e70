// The figures every tool derives from a run's two cut-offs, written once: the
// mean a notch is known by, the difference of back and front, and the test of
// a working notch on the mean.
#pragma once

#include <optional>

#include "GearRun.h"

// A working notch's mean cut-off lies between these shares of the stroke (both included).
inline constexpr double kWorkingCutOffMinPct = 15;
inline constexpr double kWorkingCutOffMaxPct = 80;

bool HasBothCutOffs(const RunResults& r);
// Each is empty when the run lacks one of the cut-offs.
std::optional<double> MeanCutOff(const RunResults& r);
std::optional<double> CutOffDifference(const RunResults& r);  // back - front, % of stroke
bool IsWorkingCutOff(double meanPct);
