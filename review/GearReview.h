// The review of one engine at its valve setting: the usable range found as the
// quadrant study finds it, every figure taken every half degree over it, and
// each check's figure with its verdict.
#pragma once

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "ReviewFigures.h"
#include "ReviewSweep.h"
#include "UsableRange.h"

inline constexpr double kReviewStepDeg = 0.5;

struct GearReview {
  std::string problem;  // why the engine cannot be reviewed; empty when it was
  Engine engine;
  ReviewSetting setting;
  UsableRange range{0, 0};
  std::vector<double> notchesDeg;  // the range's ends and every half degree between
  ReviewSweep sweep;
  ReviewFigures figures;

  bool reviewed() const { return problem.empty(); }
  std::optional<Verdict> VerdictOf(std::size_t check) const;
};

GearReview ReviewGear(const Engine& engine, const ReviewSetting& setting, int threads,
                      const std::atomic<bool>* cancel = nullptr);
