// Follows the link's pose continuously from mid-gear: first by turning the
// lifting arm from its mid-gear direction at crank angle 0, then from each crank
// step to the next, solving in small moves seeded from the last known height.
#pragma once

#include <optional>

#include "GearSolver.h"

// A setting of the gear's two inputs: crank angle and lifting-arm direction
// below the horizontal, both radians.
struct GearInputs {
  double theta, phi;
};

// The pose at crank angle 0 with the lifting arm in its mid-gear direction.
// Each search places the link by the method given.
std::optional<LinkRoot> MidGearLinkRoot(const Engine& e, double midGearAngle,
                                        SolveMethod method = SolveMethod::exact);

// Height of pin1 at `to`, reached from the pose of height yFrom at `from` on
// the lifting link's pose linkBranch; yTrend is the expected change, used as
// the first guess. Empty when the pose cannot be followed (the gear locks or
// comes apart).
std::optional<double> FollowLinkHeight(const Engine& e, int linkBranch, GearInputs from, GearInputs to,
                                       double yFrom, double yTrend, SolveMethod method = SolveMethod::exact);

// True when the root y with its slope, found at crank step k > 0, is the pose
// that follows on from the previous steps in the joint table.
bool FollowsPreviousSteps(const GearWork& w, int k, double y, double slope);

// Height of pin1 continuous with mid-gear at crank step k, the crank turning in
// the run's direction; for a step after the first it continues from the
// previous rows of the joint table, for the first from the sweep's mid-gear
// root (which must be set); the link placed by the sweep's method.
std::optional<double> ContinuedLinkHeight(const GearWork& w, int k);
