// The joints in the order of the valve train, from the axle to the valve.
#include "PlayJoints.h"

const std::array<PlayJointSpec, kPlayJoints>& PlayJoints() {
  static const std::array<PlayJointSpec, kPlayJoints> joints = {{
      {"strap1", "eccentric 1's strap (upper rod)", PlayLever::rod1, false},
      {"strap2", "eccentric 2's strap (lower rod)", PlayLever::rod2, false},
      {"rodPin1", "upper rod pin at the link", PlayLever::rod1, false},
      {"rodPin2", "lower rod pin at the link", PlayLever::rod2, false},
      {"die", "die block in the slot", PlayLever::valveRod, false},
      {"liftLinkPin", "lifting link's pin at the link", PlayLever::liftLink, false},
      {"liftArmPin", "lifting link's pin at the lifting arm", PlayLever::liftLink, false},
      {"valveRodDie", "valve rod's pin at the die", PlayLever::valveRod, false},
      {"valveRodEnd", "valve rod's pin at the valve spindle or the rocker", PlayLever::valveRod, false},
      {"rockerShaft", "rocker's shaft", PlayLever::rockerShaft, true},
      {"rockerValvePin", "rocker's pin at the valve spindle", PlayLever::rockerValve, true},
  }};
  return joints;
}

std::optional<PlayJoint> ParsePlayJoint(std::string_view key) {
  for (std::size_t j = 0; j < kPlayJoints; ++j)
    if (key == PlayJoints()[j].key) return static_cast<PlayJoint>(j);
  return std::nullopt;
}

bool HasPlayJoint(const Engine& e, PlayJoint joint) {
  return !PlayJoints()[joint].rockerOnly || e.rockerType == 1 || e.rockerType == -1;
}
