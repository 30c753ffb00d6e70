// The usable range of the lifting arm: the angles, searched outwards from
// mid-gear in half-degree steps, at which a first run assembles at every crank
// step, keeps the die between the two rod pins and makes all eight valve events.
#pragma once

#include <atomic>
#include <optional>

#include "GearRun.h"
#include "Session.h"

struct UsableRange {
  double loDeg, hiDeg;  // from mid-gear, positive downwards
};

inline constexpr double kUsableSearchStepDeg = 0.5;
inline constexpr double kUsableSearchLimitDeg = 90;

// Where the die stands along the link at crank step k: 0 at pin2, 1 at pin1.
// The rod pins are carried out along their radii from the link's centre of
// curvature to the slot's arc, where the die runs, and the die is projected
// onto the chord between them.
double DiePositionAlongLink(const GearRun& run, int step);

// True when the die stays between the rod pins at every crank step and all
// eight valve events occur: RunUsability's JudgeRun(run).usable().
bool IsUsableRun(const GearRun& run);

// Searches each side of mid-gear (side by side when `threads` is 2 or more,
// with the same result) up to the
// first angle whose first run is not usable, at most kUsableSearchLimitDeg
// out. Empty when mid-gear itself is not usable or `cancel` was raised.
std::optional<UsableRange> FindUsableRange(const Session& session, int threads,
                                           const std::atomic<bool>* cancel = nullptr);
