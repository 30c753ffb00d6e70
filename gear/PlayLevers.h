// Each joint's lever to the valve at every crank step of a solved run: how far
// the valve moves per unit change of an eccentric rod's or the lifting link's
// length (the gear's own derivative, found from the run's joint table), and
// the constant levers of the valve rod, the rocker and the spindle.
#pragma once

#include <array>

#include "Engine.h"
#include "GearRun.h"
#include "PlayJoints.h"

struct PlayLevers {
  // Valve movement per unit of length at each crank step, signed.
  std::array<double, kSteps> rod1{}, rod2{}, liftLink{};
  double valveRod = 1;     // the rocker's ratio (1 without a rocker): the die and the valve rod's pins
  double rockerShaft = 0;  // |1 - sign x ratio|: the rocker swung about its input pin
  double rockerValve = 1;  // the pin at the spindle moves the valve one for one

  // The size of a lever at step k.
  double Size(PlayLever lever, int k) const;
};

// The levers of a run the sweep solved (its joint table filled). At each step
// the pose is differentiated where it stands: the change of the valve with a
// rod's (or the lifting link's) length, the height of pin1 following so that
// the lifting link keeps its length, by differences of the link's placing.
// The steps of a sweep are independent, so this is, to a few parts in a
// hundred thousand, the central difference of two whole sweeps of the gear
// as built with that rod a little longer and a little shorter.
PlayLevers LeversOf(const Engine& e, const GearRun& run);
