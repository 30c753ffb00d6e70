// The gear's centre-line drawing at one lifting-arm setting and crank step:
// every joint the solver placed, as a small circle at the solver's own point,
// the members between them, the slot arc about the link's centre of curvature,
// the die's travel marked along the slot and the lifting arm in mid-gear.
#pragma once

#include <optional>
#include <string>

#include "DrawingModel.h"
#include "Engine.h"
#include "GearRun.h"
#include "SlotTravel.h"

struct GearScene {
  const Engine& engine;
  const GearRun& run;
  int step = 0;                      // the crank step drawn
  std::optional<SlotTravel> travel;  // over the usable range; empty when it has none
  std::string title;                 // UTF-8
  LengthUnit unit = LengthUnit::none;
};

// The joints drawn as pins, with their names.
struct NamedJoint {
  Joint joint;
  const char* name;
};
inline constexpr NamedJoint kDrawnJoints[] = {{axle, "axle"},
                                              {crankPin, "crankPin"},
                                              {crosshead, "crosshead"},
                                              {ecc1, "ecc1"},
                                              {ecc2, "ecc2"},
                                              {pin1, "pin1"},
                                              {pin2, "pin2"},
                                              {liftPin, "liftPin"},
                                              {armEnd, "armEnd"},
                                              {weighshaft, "weighshaft"},
                                              {die, "die"}};

// A length that sets the scale of marks and texts: the gear's largest reach.
double EngineSize(const Engine& e);
// The size of pins, marks and texts: a hundredth of the engine's size, at
// most 4 mm (a length with no unit is taken as millimetres), so a full-size
// print stays readable and a model's drawing uncluttered.
double MarkSize(const Engine& e, LengthUnit unit);

// The crank step nearest to crankDeg (results.txt's crank angle, 2 degrees a
// step), and the step of the back dead centre.
int CrankStep(double crankDeg);
int BackDeadCentreStep(const Engine& e);

Sheet GearSheet(const GearScene& scene);
