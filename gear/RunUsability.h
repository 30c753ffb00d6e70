// Whether a run lies inside the usable range of the lifting arm, and if not
// why: the run itself by the usable range's own test (all eight valve events
// occur, the die stays between the rod pins at every crank step), and its
// angle against the range the search from mid-gear finds, whose first
// failing notch tells why the range ends there.
#pragma once

#include <optional>
#include <string>

#include "GearRun.h"
#include "Session.h"
#include "UsableRange.h"

struct RunUsability {
  bool dieBeyondPin = false;     // at some crank step the die runs past a rod pin
  bool eventMissing[kEvents]{};  // indexed by ValveEvent
  bool usable() const;
};

RunUsability JudgeRun(const GearRun& run);

// The sentence shown beside the figures of `run`, made by `session`: empty
// when the run is usable and its angle lies inside `range` (FindUsableRange's;
// none when mid-gear itself is not usable). Otherwise "Outside the usable
// range: " and why: the run's own causes, or those of the first notch past
// the range's end ("beyond 35 deg. the die runs past a rod pin"). Missing
// events are named end by end.
std::string UsabilityNote(const Session& session, const std::optional<UsableRange>& range, const GearRun& run,
                          char decimalSeparator = '.');
