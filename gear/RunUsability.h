// Whether one run lies inside the usable range of the lifting arm, and if not
// why, by the usable range's own test (all eight valve events occur, the die
// stays between the rod pins at every crank step), with the sentence a window
// shows beside the run's figures.
#pragma once

#include <string>

#include "GearRun.h"

struct RunUsability {
  bool dieBeyondPin = false;     // at some crank step the die runs past a rod pin
  bool eventMissing[kEvents]{};  // indexed by ValveEvent
  bool usable() const;
};

RunUsability JudgeRun(const GearRun& run);

// "" for a usable run; otherwise "Outside the usable range: " and each cause,
// the missing events named end by end.
std::string UsabilityNote(const RunUsability& usability);
