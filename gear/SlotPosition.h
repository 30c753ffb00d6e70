// Where the die stands in the link's slot, as a distance along the slot's arc
// from the slot's middle (the point on the arc midway between the rod pins),
// positive towards the upper rod pin; and the die slip, the length of slot the
// die runs over in one revolution.
#pragma once

#include "GearRun.h"

// The die's place along the slot at crank step `step`: the angle at the link's
// centre of curvature between the slot's middle and the die, times the slot's
// radius.
double DieAlongSlot(const GearRun& run, int step);

// A rod pin's place along the slot at `step`: the pin carried out along its
// radius from the link's centre of curvature onto the slot's arc.
double PinAlongSlot(const GearRun& run, int step, Joint pin);

// The distance along the slot between the die's two extreme places over the
// crank steps of one revolution.
double DieSlip(const GearRun& run);

// The die's place between the rod pins along the slot: 0 at pin2, 1 at pin1.
double DieShareOfArc(const GearRun& run, int step);

// The die's extremes over one revolution between the rod pins (0 at pin2, 1
// at pin1): projected on the chord between the pins carried out onto the slot
// (the usable range's test) and along the slot's arc (the clearance the
// design assistant keeps and the review judges). One measurement for both.
struct DieSpan {
  double dieLow = 0, dieHigh = 0;
  double arcLow = 0, arcHigh = 1;
};
DieSpan MeasureDieSpan(const GearRun& run);
