// Places every joint of the shifting-link gear for one crank step: crank and
// connecting rod in closed form, the link by a search on the height of the
// first eccentric-rod pin until the lifting link has its true length.
#pragma once

#include <optional>

#include "GearState.h"
#include "Geometry.h"

// What moves the link: the two eccentric centres and the lifting-arm end.
struct LinkDrivers {
  Point ecc1, ecc2, armEnd;
};

// The link's joints for one height of pin1.
struct LinkPose {
  Point pin1, pin2, liftPin, aux1, aux2, linkCentre, slotCentre;
};

// The rocker as the solver sees it: no rocker acts like a type A of ratio 1.
int RockerSign(const GearState& s);
double EffectiveRatio(const GearState& s);
// +1 when the crank pin starts at the front dead centre (step 0 at piston
// +mcrank), -1 when it starts at the back dead centre.
int CrankSign(const GearState& s);

// The drivers at crank angle theta with the lifting arm at phi below the
// horizontal (both radians).
LinkDrivers PlaceDrivers(const GearState& s, double theta, double phi);

// The link hung from the eccentric rods with pin1 at height y; empty when the
// rods and the link cannot be put together there.
std::optional<LinkPose> PlaceLink(const GearState& s, const LinkDrivers& drivers, double y);

// liftlink less the distance from the arm end to the lifting pin for the pose
// at height y; not finite when the link cannot be placed there.
double LinkResidual(const GearState& s, const LinkDrivers& drivers, double y, LinkPose* pose);

// The residual for the step crankStep, whose drivers are already in the joint
// table; stores the link joints of height y in that row.
double LiftLinkResidual(GearState& s, double y);

// Solves the step crankStep at the state's lifting-arm angle, the crank turning
// in direction runDir. Rows 0 to crankStep - 1 must hold this sweep's earlier
// steps: the link's pose is followed from them.
GearStatus SolveGearStep(GearState& s, int runDir);

// The status of a step that cannot be assembled, naming the member.
GearStatus AssemblyFailure(int step, const char* reason);
