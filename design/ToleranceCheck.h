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
// (and not holding) when the tally allows no more.
ToleranceOutcome CheckTolerance(const DesignProblem& problem, SearchTally& tally, const Engine& design,
                                const DesignFigures& nominal);

// The limits a made gear must hold, the work and slip limits left out: those
// are judged on the nominal design.
std::vector<Breach> MadeBreaches(const DesignConstraints& constraints, const Engine& engine,
                                 const DesignFigures& figures);
