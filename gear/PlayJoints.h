// The joints of the valve train that wear slack: each with its key (the play
// file's and the JSON's), the fitter's words for it and the lever by which a
// clearance there reaches the valve.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "Engine.h"

// How a joint's clearance reaches the valve: as a change of an eccentric
// rod's length, of the lifting link's length, or straight along the valve
// rod (times the rocker's ratio where the rocker is between), about the
// rocker's shaft, or at the valve spindle itself.
enum class PlayLever { rod1, rod2, liftLink, valveRod, rockerShaft, rockerValve };

enum PlayJoint : std::size_t {
  strap1Joint,
  strap2Joint,
  rodPin1Joint,
  rodPin2Joint,
  dieJoint,
  liftLinkPinJoint,
  liftArmPinJoint,
  valveRodDieJoint,
  valveRodEndJoint,
  rockerShaftJoint,
  rockerValveJoint,
  kPlayJoints
};

struct PlayJointSpec {
  const char* key;
  const char* words;
  PlayLever lever;
  bool rockerOnly;  // a joint only an engine with a rocker has
};

const std::array<PlayJointSpec, kPlayJoints>& PlayJoints();
std::optional<PlayJoint> ParsePlayJoint(std::string_view key);
// Whether the engine has that joint (the rocker's only with a rocker).
bool HasPlayJoint(const Engine& e, PlayJoint joint);
