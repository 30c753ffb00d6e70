// Each dimension is moved by a thousandth of its scale either way and the
// engine measured on the review's own notches, so the figures compared come
// from the same notches and move continuously; a change that leaves a notch
// unusable (or the valves unset) has no difference to give.
#include "ReviewSensitivity.h"

#include <algorithm>
#include <cmath>

namespace {

bool Used(const Engine& engine, std::size_t dimension) {
  return engine.rockerType != 0 || EngineDimensions()[dimension].field != &Engine::rockerRatio;
}

std::optional<ReviewFigures> FiguresMoved(const GearReview& review, std::size_t dimension, double change,
                                          int threads, const std::atomic<bool>* cancel) {
  Engine moved = review.engine;
  moved.*EngineDimensions()[dimension].field += change;
  const ReviewSweep sweep =
      MeasureReviewSweep(moved, review.setting, review.notchesDeg, threads, SolveMethod::exact, cancel);
  if (sweep.notches.empty() || !sweep.allUsable()) return std::nullopt;
  return FiguresOf(moved, sweep, review.range);
}

DimensionSensitivity Differences(const GearReview& review, std::size_t dimension, int threads,
                                 const std::atomic<bool>* cancel) {
  DimensionSensitivity d;
  d.dimension = dimension;
  d.used = Used(review.engine, dimension);
  if (!d.used) return d;
  d.step = kSensitivityStep * DimensionScale(review.engine, dimension);
  const auto up = FiguresMoved(review, dimension, d.step, threads, cancel);
  const auto down = FiguresMoved(review, dimension, -d.step, threads, cancel);
  d.lost = !up || !down;
  if (d.lost) return d;
  const double value = review.engine.*EngineDimensions()[dimension].field;
  for (std::size_t c = 0; c < kChecks; ++c) {
    if (!ReviewChecks()[c].sensitive || !(*up)[c] || !(*down)[c]) continue;
    Sensitivity s;
    s.perUnit = (*(*up)[c] - *(*down)[c]) / (2 * d.step);
    if (value != 0) s.perPercent = s.perUnit * std::fabs(value) / 100;
    d.figures[c] = s;
  }
  return d;
}

}  // namespace

double DimensionScale(const Engine& engine, std::size_t dimension) {
  const DimensionSpec& named = EngineDimensions()[dimension];
  const double value = std::fabs(engine.*named.field);
  const double floor = named.quantity == Quantity::length  ? std::fabs(engine.linkpins) / 4
                       : named.quantity == Quantity::angle ? 1
                                                           : 0.1;
  return std::max(value, floor);
}

SensitivityTable ComputeSensitivities(const GearReview& review, int threads, const std::atomic<bool>* cancel,
                                      std::atomic<int>* progress) {
  SensitivityTable table;
  for (std::size_t i = 0; i < kDimensions && !(cancel && cancel->load()); ++i) {
    table.dimensions.push_back(Differences(review, i, threads, cancel));
    if (progress) ++*progress;
  }
  table.cancelled = cancel && cancel->load();
  return table;
}

std::optional<double> Influence(const DimensionSensitivity& d, std::size_t check, const Engine& engine) {
  if (!d.figures[check]) return std::nullopt;
  return std::fabs(d.figures[check]->perUnit) * DimensionScale(engine, d.dimension) / 100;
}

std::vector<std::size_t> RankedDimensions(const SensitivityTable& table, std::size_t check,
                                          const Engine& engine) {
  std::vector<std::size_t> ranked;
  for (std::size_t i = 0; i < table.dimensions.size(); ++i)
    if (Influence(table.dimensions[i], check, engine)) ranked.push_back(i);
  std::stable_sort(ranked.begin(), ranked.end(), [&](std::size_t a, std::size_t b) {
    return *Influence(table.dimensions[a], check, engine) > *Influence(table.dimensions[b], check, engine);
  });
  return ranked;
}
