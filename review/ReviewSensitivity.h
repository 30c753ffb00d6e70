// The sensitivities of the reviewed figures to every dimension, the
// cylinder's included: central differences on the exact sweep over the
// review's notches (over those both changes keep where a change loses one),
// per unit of the dimension and per 1 % of it, the move of the usable range's
// ends, and the dimensions ranked by influence on each figure.
#pragma once

#include <array>
#include <atomic>
#include <optional>
#include <vector>

#include "EngineSchema.h"
#include "GearReview.h"

// The step of the central difference, as a share of the dimension's scale:
// small against the curvature of the figures, large against the solver's
// tolerance (a hundred-thousandth of the eccentric radius).
inline constexpr double kSensitivityStep = 1e-3;

struct Sensitivity {
  double perUnit = 0;
  std::optional<double> perPercent;  // empty for a dimension that is zero
};

struct DimensionSensitivity {
  std::size_t dimension = 0;  // index into EngineDimensions()
  bool used = true;           // false for the rocker ratio of a gear without a rocker
  bool lost = false;          // a step either way loses a notch of the usable range
  // When lost: the notches both steps keep, over which the figures are then
  // taken; empty when they keep none (or cannot be measured), and so no figures.
  std::optional<UsableRange> kept;
  double step = 0;  // in the dimension's own unit
  std::array<std::optional<Sensitivity>, kChecks> figures;
  // The move of the usable range's low and high end, in degrees (positive
  // downwards, as the range's own angles); empty where an end is not found.
  std::array<std::optional<Sensitivity>, 2> rangeEnds;
};

struct SensitivityTable {
  std::vector<DimensionSensitivity> dimensions;  // in the record's field order; none when cancelled
  bool cancelled = false;
};

// The scale a dimension's change is measured against: its size, and for a
// dimension near zero the pin distance (lengths), a degree or a tenth (ratio).
double DimensionScale(const Engine& engine, std::size_t dimension);

// The table of a reviewed engine. `progress`, when given, counts the
// dimensions done.
SensitivityTable ComputeSensitivities(const GearReview& review, int threads,
                                      const std::atomic<bool>* cancel = nullptr,
                                      std::atomic<int>* progress = nullptr);

// The change of the figure for a change of 1 % of the dimension's scale.
std::optional<double> Influence(const DimensionSensitivity& d, std::size_t check, const Engine& engine);

// The dimensions that have a sensitivity for the check, the most influential first.
std::vector<std::size_t> RankedDimensions(const SensitivityTable& table, std::size_t check,
                                          const Engine& engine);
