// Angles at the link's centre of curvature are taken with atan2 of the cross
// and dot products, so a place is exact on either side of the slot's middle
// whatever the link's tilt.
#include "SlotPosition.h"

#include <algorithm>
#include <cmath>

#include "RunUsability.h"

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

// The slot's radius cancels, so the share is the angle at the link's centre
// from pin2 to the die over the angle from pin2 to pin1: two arctangents a
// step, where the places along the slot would take six.
double DieShareOfArc(const GearRun& run, int step) {
  const JointTable& t = run.joints;
  const Point centre = t.At(step, linkCentre), bottom = t.At(step, pin2);
  const double ax = bottom.x - centre.x, ay = bottom.y - centre.y;
  const auto angleTo = [&](Point q) {
    const double bx = q.x - centre.x, by = q.y - centre.y;
    return std::atan2(ax * by - ay * bx, ax * bx + ay * by);
  };
  const double span = angleTo(t.At(step, pin1));
  return span != 0 ? angleTo(t.At(step, die)) / span : 0.5;
}

DieSpan MeasureDieSpan(const GearRun& run) {
  DieSpan die;
  die.dieLow = die.dieHigh = DiePositionAlongLink(run, 0);
  die.arcLow = die.arcHigh = DieShareOfArc(run, 0);
  for (int k = 1; k < kSteps; ++k) {
    const double along = DiePositionAlongLink(run, k), share = DieShareOfArc(run, k);
    die.dieLow = std::min(die.dieLow, along);
    die.dieHigh = std::max(die.dieHigh, along);
    die.arcLow = std::min(die.arcLow, share);
    die.arcHigh = std::max(die.arcHigh, share);
  }
  return die;
}
