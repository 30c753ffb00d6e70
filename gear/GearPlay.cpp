// A total given overrides the joints: a fitter who measured it at the spindle
// has measured all of them at once.
#include "GearPlay.h"

#include <cmath>

bool GearPlay::none() const {
  if (total) return *total == 0;
  for (const double c : clearance)
    if (c != 0) return false;
  return true;
}

GearPlay GearPlay::Scaled(double factor) const {
  GearPlay scaled = *this;
  for (double& c : scaled.clearance) c *= factor;
  if (scaled.total) *scaled.total *= factor;
  return scaled;
}

std::string PlayProblem(const GearPlay& play, const Engine& e) {
  if (play.total && !(std::isfinite(*play.total) && *play.total >= 0))
    return "the total lost motion must be a number of at least 0";
  for (std::size_t j = 0; j < kPlayJoints; ++j) {
    const PlayJointSpec& joint = PlayJoints()[j];
    if (!(std::isfinite(play.clearance[j]) && play.clearance[j] >= 0))
      return std::string("the clearance of ") + joint.key + " must be a number of at least 0";
    if (play.clearance[j] != 0 && !HasPlayJoint(e, static_cast<PlayJoint>(j)))
      return std::string("the engine has no rocker, so it has no ") + joint.key;
  }
  return "";
}
