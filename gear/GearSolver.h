// Places every joint of the shifting-link gear for one crank step: crank and
// connecting rod in closed form, the link by a search on the height of the
// first eccentric-rod pin until the lifting link has its true length.
#pragma once

#include <optional>

#include "Engine.h"
#include "GearFailure.h"
#include "GearRun.h"
#include "Geometry.h"

// What moves the link: the two eccentric centres and the lifting-arm end.
struct LinkDrivers {
  Point ecc1, ecc2, armEnd;
};

// The link's joints for one height of pin1.
struct LinkPose {
  Point pin1, pin2, liftPin, aux1, aux2, linkCentre, slotCentre;
};

// How a sweep finds each step's height of pin1. Both methods first try, from
// the fifth step on, a Newton step from the height extrapolated from the four
// steps before, and take the search from the link's ends only where that does
// not converge at once onto the pose the sweep follows. `exact`, the method
// of every run a user sees, carries each height one secant step past the
// tolerance, to the root; `quick` serves a design search's trial designs: it
// stops within the tolerance and places the link with true pi (CrossCircles),
// so its figures agree with the exact ones to well within the solver's
// tolerance, not to the last bit: a quick run's figures judge a trial but are
// never reported.
enum class SolveMethod { exact, quick };

// A height of pin1 at which the lifting link fits, with the slope of the
// lifting-link residual there. The lifting link fits in two poses, one on each
// side of the point where the arm end is nearest the lifting pin; the sign of
// the slope tells them apart and stays the same while the gear moves.
struct LinkRoot {
  double y, slope;
};

// The working state of one sweep while its steps are solved: the engine, the
// run being filled (its setting and the rows solved so far) and what the
// solver carries from step to step.
struct GearWork {
  const Engine& engine;
  GearRun& run;
  SolveMethod method = SolveMethod::exact;
  // Which of the lifting link's two poses the sweep follows: the sign of the
  // slope of the lifting-link residual at the mid-gear pose (set at step 0).
  int linkBranch = 0;
  // The pose at crank angle 0 in mid-gear, found once at step 0.
  std::optional<LinkRoot> midGearRoot{};
  // The residual's slope at the last step's root; NaN when not known.
  double lastSlope = 0;
  // The lifting arm's end, the same at every step (set at step 0).
  Point armEnd{0, 0};
};

// The rocker as the solver sees it: no rocker acts like a type A of ratio 1.
int RockerSign(const Engine& e);
double EffectiveRatio(const Engine& e);
// +1 when the crank pin starts at the front dead centre (step 0 at piston
// +mcrank), -1 when it starts at the back dead centre.
int CrankSign(const Engine& e);

// How close the searches for the height of pin1 come to the root: a
// hundred-thousandth of the eccentric radius, or of the distance between the
// link pins where the eccentrics have no throw (the link then hangs still).
double LinkTolerance(const Engine& e);

// The drivers at crank angle theta with the lifting arm at phi below the
// horizontal (both radians); the arm end alone, which a sweep places once.
LinkDrivers PlaceDrivers(const Engine& e, double theta, double phi);
LinkDrivers PlaceDrivers(const Engine& e, double theta, Point armEnd);
Point ArmEnd(const Engine& e, double phi);

// The link hung from the eccentric rods with pin1 at height y; empty when the
// rods and the link cannot be put together there. The quick method places it
// by algebra alone, within a few parts in a thousand million of the exact placing.
std::optional<LinkPose> PlaceLink(const Engine& e, const LinkDrivers& drivers, double y,
                                  SolveMethod method = SolveMethod::exact);

// liftlink less the distance from the arm end to the lifting pin for the pose
// at height y; not finite when the link cannot be placed there.
double LinkResidual(const Engine& e, const LinkDrivers& drivers, double y, LinkPose* pose,
                    SolveMethod method = SolveMethod::exact);

// The residual for crank step k, whose drivers are already in the joint
// table; stores the link joints of height y in that row.
double LiftLinkResidual(GearWork& w, int k, double y);

// Solves crank step k at the run's lifting-arm angle, the crank turning in the
// run's direction. Rows 0 to k - 1 must hold this sweep's earlier steps: the
// link's pose is followed from them. Empty when the step assembled.
std::optional<GearFailure> SolveGearStep(GearWork& w, int k);
