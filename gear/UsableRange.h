// The usable range of the lifting arm: the angles, searched outwards from
// mid-gear in half-degree steps, at which a first run assembles at every crank
// step, keeps the die between the two rod pins and makes all eight valve
// events (RunUsability's test); and the note on a run against that range.
#pragma once

#include <atomic>
#include <optional>
#include <string>

#include "GearRun.h"
#include "RunUsability.h"
#include "Session.h"

struct UsableRange {
  double loDeg, hiDeg;  // from mid-gear, positive downwards
};

inline constexpr double kUsableSearchStepDeg = 0.5;
inline constexpr double kUsableSearchLimitDeg = 90;

// Searches each side of mid-gear (side by side when `threads` is 2 or more,
// with the same result) up to the
// first angle whose first run is not usable, at most kUsableSearchLimitDeg
// out. Empty when mid-gear itself is not usable or `cancel` was raised.
std::optional<UsableRange> FindUsableRange(const Session& session, int threads,
                                           const std::atomic<bool>* cancel = nullptr);

// The sentence shown beside the figures of `run`, made by `session`: empty
// when the run is usable and its angle lies inside `range` (FindUsableRange's;
// none when mid-gear itself is not usable). Otherwise "Outside the usable
// range: " and why: the run's own causes, or those of the first notch past
// the range's end ("beyond 35 deg. the die runs past a rod pin"). Missing
// events are named end by end.
std::string UsabilityNote(const Session& session, const std::optional<UsableRange>& range, const GearRun& run,
                          char decimalSeparator = '.');
