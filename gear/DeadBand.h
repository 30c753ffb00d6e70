// The worn gear's valve: the total lost motion between the driven position
// and the valve at every crank step, and the valve held behind it. The
// valve's friction holds it until the chain has taken up its slack, so it
// lags the driven motion by up to half the lost motion either way.
#pragma once

#include <array>

#include "Engine.h"
#include "GearPlay.h"
#include "GearRun.h"
#include "PlayLevers.h"

using LostMotion = std::array<double, kSteps>;

// b at each crank step: the total given, or the sum over the joints of
// clearance x |lever| (a joint with no clearance adds nothing, whatever its lever).
LostMotion LostMotionOf(const GearPlay& play, const PlayLevers& levers);

// The valve table of a centred run followed behind the dead band: at each
// step the valve stays where it was unless the driven position has moved more
// than b/2 away, and then is dragged at b/2 behind it; the revolution is
// repeated until it closes on itself. With b zero everywhere the table is
// the run's own, exactly.
void HoldBehindDeadBand(GearRun& run, const LostMotion& b);

// The figures of the worn gear: a copy of the centred run, its valve held
// behind the dead band and its figures read afresh.
RunResults WornResults(const Engine& e, const GearRun& centred, const LostMotion& b);
