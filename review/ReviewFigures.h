// The reviewed figures of one measured sweep: each check's figure read off the
// notches (interpolated in the mean cut-off where a check asks for a given
// cut-off), relative to the engine's own port width, stroke or pin distance.
#pragma once

#include <array>
#include <optional>

#include "ReviewChecks.h"
#include "ReviewSweep.h"
#include "UsableRange.h"

// One figure per check; empty where the sweep does not give it (no working
// notch, a cut-off the range does not reach).
using ReviewFigures = std::array<std::optional<double>, kChecks>;

// The figures of the engine measured at the notches of `range` (the sweep's
// angles, increasing, mid-gear among them).
ReviewFigures FiguresOf(const Engine& engine, const ReviewSweep& sweep, const UsableRange& range);
