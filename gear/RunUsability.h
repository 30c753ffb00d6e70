// Whether one run is usable by the usable range's own test: all eight valve
// events occur and the die stays between the rod pins at every crank step,
// judged on the run's own tables; and the sentence naming what failed.
#pragma once

#include <string>

#include "GearRun.h"

struct RunUsability {
  bool dieBeyondPin = false;     // at some crank step the die runs past a rod pin
  bool eventMissing[kEvents]{};  // indexed by ValveEvent
  bool usable() const;
};

RunUsability JudgeRun(const GearRun& run);

// Where the die stands along the link at crank step k: 0 at pin2, 1 at pin1.
// The rod pins are carried out along their radii from the link's centre of
// curvature to the slot's arc, where the die runs, and the die is projected
// onto the chord between them.
double DiePositionAlongLink(const GearRun& run, int step);

// True when the die stays between the rod pins at every crank step and all
// eight valve events occur: JudgeRun(run).usable().
bool IsUsableRun(const GearRun& run);

// What makes a run unusable, causes joined by "; " ("the die runs past a rod
// pin; no back cut-off"), missing events named end by end; empty when usable.
std::string UnusableCauses(const RunUsability& usability);
