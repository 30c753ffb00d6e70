// The figures of one run read off the centred valve curve: the eight valve
// events as piston positions and percentages of stroke, the valve travel, the
// leads, the maximum port openings and the swing of the link.
#pragma once

#include "GearState.h"

// Fills eventPos and eventFound: each event is the first strict crossing of
// its lap level in its direction, found by linear interpolation between steps.
// An event that never occurs is marked not found and its eventPos set to 0.
void FindValveEvents(GearState& s);

// Fills travelMax and travelMin, the extremes of the centred valve position
// (both start at 0, so travelMax >= 0 >= travelMin).
void FindTravelExtremes(GearState& s);

// Everything shown for a run, angles in degrees.
struct RunResults {
  double eventPct[kEvents]{};
  bool eventFound[kEvents]{};
  double leadBack = 0, leadFront = 0;
  double portOpenBack = 0, portOpenFront = 0;  // at most port
  double linkAngleMinDeg = 0, linkAngleMaxDeg = 0;
  double dieDeflection = 0;
};

// After a successful sweep: sets strokeScale, the events and their
// percentages and the travel extremes in the state, and returns the results.
RunResults ComputeRunResults(GearState& s);
