// Angles at the link's centre of curvature are taken with atan2 of the cross
// and dot products, so a place is exact on either side of the slot's middle
// whatever the link's tilt.
#include "SlotPosition.h"

#include <algorithm>
#include <cmath>

namespace {

// The signed angle, at the link's centre, from the slot's middle to `p`,
// positive on the side of pin1.
double AngleFromMiddle(const GearRun& run, int step, Point p) {
  const JointTable& t = run.joints;
  const Point centre = t.At(step, linkCentre), middle = t.At(step, slotCentre), top = t.At(step, pin1);
  const double ax = middle.x - centre.x, ay = middle.y - centre.y;
  const auto cross = [&](Point q) { return ax * (q.y - centre.y) - ay * (q.x - centre.x); };
  const auto dot = [&](Point q) { return ax * (q.x - centre.x) + ay * (q.y - centre.y); };
  // The side of pin1, where atan2 of its cross and dot products would be
  // negative, told from their signs alone.
  const double crossTop = cross(top);
  const bool topBelow = crossTop < 0 || (crossTop == 0 && std::signbit(crossTop) && dot(top) < 0);
  return (topBelow ? -1 : 1) * std::atan2(cross(p), dot(p));
}

double SlotRadius(const GearRun& run, int step) {
  const JointTable& t = run.joints;
  const Point centre = t.At(step, linkCentre), middle = t.At(step, slotCentre);
  return std::hypot(middle.x - centre.x, middle.y - centre.y);
}

}  // namespace

double DieAlongSlot(const GearRun& run, int step) {
  return SlotRadius(run, step) * AngleFromMiddle(run, step, run.joints.At(step, die));
}

double PinAlongSlot(const GearRun& run, int step, Joint pin) {
  return SlotRadius(run, step) * AngleFromMiddle(run, step, run.joints.At(step, pin));
}

double DieSlip(const GearRun& run) {
  double lowest = DieAlongSlot(run, 0), highest = lowest;
  for (int k = 1; k < kSteps; ++k) {
    const double at = DieAlongSlot(run, k);
    lowest = std::min(lowest, at);
    highest = std::max(highest, at);
  }
  return highest - lowest;
}
