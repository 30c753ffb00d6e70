// One run of the gear: the crank turned through a full revolution in 2-degree
// steps at one lifting-arm angle, with the valve centred for equal leads on the
// first run after an engine was taken in.
#pragma once

#include "GearState.h"

// Solves the 180 steps at liftArmDegrees (from mid-gear, positive downwards) on
// a copy of the state. Only when every step assembles does the copy replace the
// state: the centring is fixed if firstRun is set (and firstRun cleared), the
// valve table is centred and entry 180 repeats entry 0. On failure the state is
// exactly as it was and the status names the crank angle and the member.
GearStatus RunCrankSweep(GearState& s, double liftArmDegrees);
