// Where a designer marks the quadrant: the lifting-arm angle at which the mean
// cut-off is 15, 20, 25 ... 75 % on each side of mid-gear, and the full-gear
// cut-off at each end of the range, read off a design's measured notches.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "DesignFigures.h"

struct NotchMark {
  double cutOffPct = 0;
  std::optional<double> downDeg, upDeg;  // empty where the side does not reach it
};

// From 15 to 75 % by 5; each angle interpolated between the measured notches
// where the mean cut-off first reaches the mark going out from mid-gear.
std::vector<NotchMark> NotchMarks(const DesignFigures& design);

// The mean cut-off at the down end (the largest angle) and the up end (the
// smallest) of the notches measured: [down, up].
std::array<std::optional<double>, 2> FullGearCutOff(const DesignFigures& design);
