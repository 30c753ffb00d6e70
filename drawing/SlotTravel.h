// How far the die runs along the link's slot over the usable range of the
// lifting arm: the extremes of its place along the slot (as DieAlongSlot
// measures it) over every crank step of runs a degree apart, and the worst
// die slip among those runs.
#pragma once

#include <optional>

#include "Session.h"
#include "UsableRange.h"

struct SlotTravel {
  double loDeg = 0, hiDeg = 0;     // the usable range
  double lowest = 0, highest = 0;  // along the slot from its middle, positive towards pin1
  double worstSlip = 0;            // the largest die slip of one revolution
  double pinAlong = 0;             // the rod pins' places along the slot: +pinAlong (pin1), -pinAlong
};

// Empty when no run in the range assembles.
std::optional<SlotTravel> FindSlotTravel(const Session& session, const UsableRange& range);

// The lowest and highest place of the die along the slot in one run.
std::pair<double, double> DieExtremes(const GearRun& run);
