// The figures of one run read off the centred valve curve: the eight valve
// events as piston positions and percentages of stroke, the valve travel, the
// leads, the maximum port openings and the swing of the link.
#pragma once

#include "Engine.h"
#include "GearRun.h"

// Fills eventPos and results.eventFound: each event is the first strict
// crossing of its lap level in its direction, found by linear interpolation
// between steps. An event that never occurs is marked not found and its
// eventPos set to 0.
void FindValveEvents(const Engine& e, GearRun& r);

// Fills travelMax and travelMin, the extremes of the centred valve position
// (both start at 0, so travelMax >= 0 >= travelMin).
void FindTravelExtremes(GearRun& r);

// After a successful sweep: sets strokeScale, the events and their
// percentages, the travel extremes and the results of the run, and returns
// the results.
const RunResults& ComputeRunResults(const Engine& e, GearRun& r);
