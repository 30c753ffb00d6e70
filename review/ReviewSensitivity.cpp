// Each dimension is moved by a thousandth of its scale either way and the
// engine measured on the review's own notches, so the figures compared come
// from the same notches and move continuously. A change that loses a notch at
// a range's end (the die a hair from a rod pin there) is compared over the
// notches both changes keep; the range's ends themselves are found between
// the notches (ReviewRangeEnds), so their move has a difference too. Each
// changed engine is one job, measured whole on one thread: the threads take
// jobs from a shared counter, so no thread waits on another's notches and the
// figures do not depend on how many ran. The laps and the port width are read
// by the valve events alone, never by the gear's solution, so the engines
// moved in them make one job that solves each notch once for all of them.
#include "ReviewSensitivity.h"

#include <algorithm>
#include <cmath>

#include "NotchThreads.h"
#include "ReviewRangeEnds.h"

namespace {

bool Used(const Engine& engine, std::size_t dimension) {
  return engine.rockerType != 0 || EngineDimensions()[dimension].field != &Engine::rockerRatio;
}

double Step(const GearReview& review, std::size_t dimension) {
  return kSensitivityStep * DimensionScale(review.engine, dimension);
}

struct Moved {
  Engine engine;
  ReviewSweep sweep;                          // on the review's notches
  std::optional<UsableRange> range;           // the notches usable from mid-gear outwards
  std::array<std::optional<double>, 2> ends;  // the usable range's, between the notches
};

bool ValveOnly(std::size_t dimension) {
  const auto field = EngineDimensions()[dimension].field;
  return field == &Engine::stlap || field == &Engine::exlap || field == &Engine::port;
}

// Job slot 2 i is dimension i moved up, 2 i + 1 moved down.
Engine MovedEngine(const GearReview& review, std::size_t slot) {
  const std::size_t dimension = slot / 2;
  const double step = Step(review, dimension);
  Engine e = review.engine;
  e.*EngineDimensions()[dimension].field += slot % 2 ? -step : step;
  return e;
}

void Conclude(Moved& m, const std::atomic<bool>* cancel) {
  ReviewSweep trimmed = m.sweep;
  if (!m.sweep.notches.empty()) m.range = TrimToUsable(trimmed);
  m.ends = FindRangeEnds(m.engine, m.sweep, cancel);
}

// The engines of the slots, measured on the review's notches; several slots
// only when they differ from the review's engine in the valves alone.
void MeasureMoved(const GearReview& review, const std::vector<std::size_t>& slots,
                  const std::atomic<bool>* cancel, std::vector<Moved>& moved) {
  std::vector<Engine> engines;
  std::vector<double> centrings;
  std::vector<std::size_t> measured;
  for (const std::size_t slot : slots) {
    Moved& m = moved[slot];
    m.engine = MovedEngine(review, slot);
    m.sweep = MeasureReviewSweep(m.engine, review.setting,
                                 slots.size() == 1 ? review.notchesDeg : std::vector<double>{}, 1,
                                 SolveMethod::exact, cancel);
    if (slots.size() == 1 || m.sweep.failure) continue;
    engines.push_back(m.engine);
    centrings.push_back(m.sweep.centring);
    measured.push_back(slot);
  }
  if (!engines.empty()) {
    auto notches = MeasureValveVariants(engines, moved[measured.front()].sweep.midGearRad, centrings,
                                        review.notchesDeg, cancel);
    for (std::size_t k = 0; k < measured.size(); ++k)
      if (!(cancel && cancel->load())) moved[measured[k]].sweep.notches = std::move(notches[k]);
  }
  for (const std::size_t slot : slots) Conclude(moved[slot], cancel);
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

DimensionSensitivity Differences(const GearReview& review, std::size_t dimension, const Moved& up,
                                 const Moved& down) {
  DimensionSensitivity d;
  d.dimension = dimension;
  d.step = Step(review, dimension);
  const double value = review.engine.*EngineDimensions()[dimension].field;
  for (std::size_t side = 0; side < 2; ++side)
    d.rangeEnds[side] = Difference(up.ends[side], down.ends[side], d.step, value);
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
  // The valves' job first: it is the longest.
  std::vector<std::vector<std::size_t>> jobs(1);
  for (std::size_t i = 0; i < kDimensions; ++i) {
    if (!Used(review.engine, i)) {
      if (progress) ++*progress;
    } else if (ValveOnly(i)) {
      jobs.front().insert(jobs.front().end(), {2 * i, 2 * i + 1});
    } else {
      jobs.push_back({2 * i});
      jobs.push_back({2 * i + 1});
    }
  }
  std::vector<Moved> moved(2 * kDimensions);
  std::array<std::atomic<int>, kDimensions> halves{};
  const ItemTask job = [&](std::size_t k) {
    MeasureMoved(review, jobs[k], cancel, moved);
    for (const std::size_t slot : jobs[k])
      if (++halves[slot / 2] == 2 && progress) ++*progress;
  };
  SpreadOverThreads(jobs.size(), {threads, [cancel] { return cancel && cancel->load(); }, {}}, job);
  SensitivityTable table;
  table.cancelled = cancel && cancel->load();
  if (table.cancelled) return table;
  for (std::size_t i = 0; i < kDimensions; ++i) {
    DimensionSensitivity unused;
    unused.dimension = i;
    unused.used = false;
    table.dimensions.push_back(Used(review.engine, i) ? Differences(review, i, moved[2 * i], moved[2 * i + 1])
                                                      : unused);
  }
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
