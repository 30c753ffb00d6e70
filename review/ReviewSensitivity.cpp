// Each dimension is moved by a thousandth of its scale either way and the
// engine measured on the review's own notches, so the figures compared come
// from the same notches and move continuously. A change that loses a notch at
// a range's end (the die a hair from a rod pin there) is compared over the
// notches both changes keep; the range's ends themselves are found between
// the notches (ReviewRangeEnds), so their move has a difference too.
#include "ReviewSensitivity.h"

#include <algorithm>
#include <cmath>

#include "ReviewRangeEnds.h"

namespace {

bool Used(const Engine& engine, std::size_t dimension) {
  return engine.rockerType != 0 || EngineDimensions()[dimension].field != &Engine::rockerRatio;
}

struct Moved {
  Engine engine;
  ReviewSweep sweep;                 // on the review's notches
  std::optional<UsableRange> range;  // the notches usable from mid-gear outwards
};

Moved MeasureMoved(const GearReview& review, std::size_t dimension, double change, int threads,
                   const std::atomic<bool>* cancel) {
  Moved m{review.engine, {}, std::nullopt};
  m.engine.*EngineDimensions()[dimension].field += change;
  m.sweep =
      MeasureReviewSweep(m.engine, review.setting, review.notchesDeg, threads, SolveMethod::exact, cancel);
  ReviewSweep trimmed = m.sweep;
  if (!m.sweep.notches.empty()) m.range = TrimToUsable(trimmed);
  return m;
}

ReviewFigures FiguresOver(const Moved& m, const UsableRange& over) {
  ReviewSweep sweep = m.sweep;
  std::erase_if(sweep.notches, [&](const ReviewNotch& n) {
    return n.row.liftArmDeg < over.loDeg || n.row.liftArmDeg > over.hiDeg;
  });
  return FiguresOf(m.engine, sweep, over);
}

std::optional<Sensitivity> Difference(std::optional<double> up, std::optional<double> down, double step,
                                      double value) {
  if (!up || !down) return std::nullopt;
  Sensitivity s;
  s.perUnit = (*up - *down) / (2 * step);
  if (value != 0) s.perPercent = s.perUnit * std::fabs(value) / 100;
  return s;
}

void RangeEndMoves(const Moved& up, const Moved& down, const std::atomic<bool>* cancel, double value,
                   DimensionSensitivity& d) {
  const auto upEnds = FindRangeEnds(up.engine, up.sweep, cancel);
  const auto downEnds = FindRangeEnds(down.engine, down.sweep, cancel);
  for (std::size_t side = 0; side < 2; ++side)
    d.rangeEnds[side] = Difference(upEnds[side], downEnds[side], d.step, value);
}

DimensionSensitivity Differences(const GearReview& review, std::size_t dimension, int threads,
                                 const std::atomic<bool>* cancel) {
  DimensionSensitivity d;
  d.dimension = dimension;
  d.used = Used(review.engine, dimension);
  if (!d.used) return d;
  d.step = kSensitivityStep * DimensionScale(review.engine, dimension);
  const Moved up = MeasureMoved(review, dimension, d.step, threads, cancel);
  const Moved down = MeasureMoved(review, dimension, -d.step, threads, cancel);
  const double value = review.engine.*EngineDimensions()[dimension].field;
  RangeEndMoves(up, down, cancel, value, d);
  if (!up.range || !down.range || up.sweep.failure || down.sweep.failure) {
    d.lost = true;
    return d;
  }
  const UsableRange over{std::max(up.range->loDeg, down.range->loDeg),
                         std::min(up.range->hiDeg, down.range->hiDeg)};
  d.lost = over.loDeg != review.range.loDeg || over.hiDeg != review.range.hiDeg;
  if (d.lost) d.kept = over;
  const ReviewFigures upFigures = FiguresOver(up, over), downFigures = FiguresOver(down, over);
  for (std::size_t c = 0; c < kChecks; ++c)
    if (ReviewChecks()[c].sensitive) d.figures[c] = Difference(upFigures[c], downFigures[c], d.step, value);
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
