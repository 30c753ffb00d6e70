// The play of a worn valve gear: each joint's diametral clearance, or the
// total lost motion at the valve as a fitter measures it (rock the wheel and
// read the spindle), in the engine's length unit.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "Engine.h"
#include "PlayJoints.h"

struct GearPlay {
  std::array<double, kPlayJoints> clearance{};  // diametral, each joint's; 0 for a joint not given
  std::optional<double> total;                  // the lost motion at the valve, given instead of the joints

  // No play anywhere: the gear runs as its own.
  bool none() const;
  // Every clearance (or the total) times factor.
  GearPlay Scaled(double factor) const;
};

// Why the play cannot be put on the engine (a clearance not a number or
// below 0, a rocker's joint on an engine without a rocker); empty when it can.
std::string PlayProblem(const GearPlay& play, const Engine& e);
