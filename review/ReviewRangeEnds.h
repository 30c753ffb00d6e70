// The usable range's ends as angles between the notches: past the last usable
// notch of each side, the die's margin to the nearer rod pin is followed to
// zero by regula falsi (Illinois), or the usable range's own test bisected
// where a notch fails for another reason, so an end moves continuously with
// the dimensions.
#pragma once

#include <array>
#include <atomic>
#include <optional>

#include "ReviewSweep.h"

// The ends are found to this share of a degree.
inline constexpr double kRangeEndToleranceDeg = 1e-6;

// The low (above mid-gear) and high (below) end of the usable range of
// `engine`, whose `sweep` holds notches in increasing angle, mid-gear's
// among them, with its mid-gear direction and centring. A side's notches
// past the sweep's are measured as needed; an end is empty when mid-gear's
// notch is not usable, the end lies beyond the usable range's search limit,
// or `cancel` was raised.
std::array<std::optional<double>, 2> FindRangeEnds(const Engine& engine, const ReviewSweep& sweep,
                                                   const std::atomic<bool>* cancel = nullptr);
