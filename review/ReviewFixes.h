// Suggested fixes: for each check that is not "good", the one or two
// dimensions that move it most, each with the change that brings the figure
// to "good" (or as near as it gets within 15 % of the dimension), found by a
// one-dimensional search on the engine's sweep, and the whole review of the
// changed engine after, so every figure a fix reports is a fresh exact one.
#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <vector>

#include "GearReview.h"
#include "ReviewSensitivity.h"

inline constexpr double kFixReach = 0.15;  // the largest change, as a share of the dimension
inline constexpr int kFixDimensions = 2;

struct ReviewFix {
  std::size_t check = 0;
  std::size_t dimension = 0;
  double from = 0, to = 0;
  GearReview after;                   // the changed engine reviewed afresh
  std::vector<std::size_t> worsened;  // checks whose verdict is worse after
  std::vector<std::size_t> improved;  // checks whose verdict is better after

  bool reachesGood() const;
  // A fix that breaks another check: a verdict falls, or the changed engine
  // cannot be reviewed.
  bool breaksAnother() const { return !worsened.empty() || !after.reviewed(); }
};

// The fixes of a reviewed engine, in the order of the checks; each is handed
// to `onFix` as soon as it is found. `progress` counts the searches done of
// the number FixSearchCount gives.
std::vector<ReviewFix> FindFixes(const GearReview& review, const SensitivityTable& table, int threads,
                                 const std::atomic<bool>* cancel = nullptr,
                                 const std::function<void(const ReviewFix&)>& onFix = {},
                                 std::atomic<int>* progress = nullptr);

// The searches FindFixes will run: the checks not "good" times their one or two dimensions.
int FixSearchCount(const GearReview& review, const SensitivityTable& table);

// The fix of one check by one dimension; empty when that dimension does not
// move the figure.
std::optional<ReviewFix> FindFix(const GearReview& review, const SensitivityTable& table, std::size_t check,
                                 std::size_t dimension, int threads,
                                 const std::atomic<bool>* cancel = nullptr);
