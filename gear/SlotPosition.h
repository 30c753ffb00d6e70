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
