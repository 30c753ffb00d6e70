// Follows the link's pose continuously from mid-gear: first by turning the
// lifting arm from its mid-gear direction at crank angle 0, then from each crank
// step to the next, solving in small moves seeded from the last known height.
#pragma once

#include <optional>

#include "GearState.h"

// A setting of the gear's two inputs: crank angle and lifting-arm direction
// below the horizontal, both radians.
struct GearInputs {
  double theta, phi;
};

// Height of pin1 at crank angle 0 with the lifting arm in its mid-gear direction.
std::optional<double> MidGearLinkHeight(const GearState& s);

// Height of pin1 at `to`, reached from the pose of height yFrom at `from`;
// yTrend is the expected change, used as the first guess. Empty when the pose
// cannot be followed (the gear locks or comes apart on the way).
std::optional<double> FollowLinkHeight(const GearState& s, GearInputs from, GearInputs to, double yFrom,
                                       double yTrend);

// Height of pin1 continuous with mid-gear at the state's crankStep, crank
// turning in direction runDir; for a step after the first it continues from
// the previous rows of the joint table.
std::optional<double> ContinuedLinkHeight(const GearState& s, int runDir);
