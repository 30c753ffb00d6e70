// Whether a proposal still holds when made: each changed dimension off by its
// tolerance either way, the worst corners of that box found from the figures'
// sensitivities (one quick run of every notch per changed dimension) and
// confirmed by exact runs at those corners.
#pragma once

#include <optional>
#include <vector>

#include "DesignProblem.h"
#include "SearchTally.h"
#include "ToleranceOutcome.h"

// The most corners confirmed by exact runs, the objective's worst among them.
inline constexpr std::size_t kMostCorners = 4;

// The check of a design on the drawing grid whose exact figures are
// `nominal`; each exact run is counted as a check by the tally. Not checked
// (and not holding) when the tally allows no more. The dimensions off by
// their tolerances are those changed from the start, or with `everyFree`
// every free one (the start itself made).
ToleranceOutcome CheckTolerance(const DesignProblem& problem, SearchTally& tally, const Engine& design,
                                const DesignFigures& nominal, bool everyFree = false);

// The least share of the tolerances tried for a design that broke a limit at them.
inline constexpr double kLeastToleranceShare = 1.0 / 16;

// The largest share of the input's tolerances (1/2, 1/4, ... 1/16) at which
// the design holds every limit at its corners; empty when none does.
std::optional<double> ToleranceShareNeeded(const DesignInput& input, const std::vector<double>& notchesDeg,
                                           const DesignFigures& before, const Engine& design,
                                           const DesignFigures& nominal, int threads);

// The limits a made gear must hold, the work and slip limits left out: those
// are judged on the nominal design.
std::vector<Breach> MadeBreaches(const DesignConstraints& constraints, const Engine& engine,
                                 const DesignFigures& figures);
