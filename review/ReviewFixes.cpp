// The search moves one dimension in the direction its sensitivity says
// improves the figure, up to 15 % of it, measuring the changed engine at
// every step (quick sweeps, which agree with exact ones to the solver's
// tolerance): eight steps on every fourth notch find the first step that is
// good (or the nearest), then halving on every notch narrows it to the
// smallest good change (or golden section to the nearest). The change is
// rounded to the four significant figures the boxes show, away from the start
// when it reached good, and the changed engine is reviewed afresh with exact
// sweeps: those are the figures reported, and a rounded change the exact
// review does not find good is moved on by a last figure, at most twice.
#include "ReviewFixes.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "QuadrantStudy.h"

namespace {

constexpr int kScanSteps = 8;
constexpr int kRefineSteps = 5;
constexpr int kConfirmSteps = 2;
constexpr double kCoarseStepDeg = 2;
constexpr double kKeepSign = 0.9;  // the share of the way to zero a signed dimension may go
constexpr double kLost = std::numeric_limits<double>::infinity();

struct LineSearch {
  const GearReview& review;
  std::size_t check, dimension;
  int threads;
  const std::atomic<bool>* cancel;
  std::vector<double> coarse;  // the range's ends and every 2 degrees

  Engine Moved(double change) const {
    Engine e = review.engine;
    e.*EngineDimensions()[dimension].field += change;
    return e;
  }
  // How far the figure lies from good after the change, on the notches of
  // the review that stay usable from mid-gear outwards (the changed engine's
  // own range where it shrinks); infinite where mid-gear is lost. A coarse
  // scan takes every fourth notch.
  double Gap(double change, SolveMethod method, bool coarseScan = false) const {
    const Engine e = Moved(change);
    const auto& angles = coarseScan ? coarse : review.notchesDeg;
    ReviewSweep sweep = MeasureReviewSweep(e, review.setting, angles, threads, method, cancel);
    const auto range = TrimToUsable(sweep);
    if (!range) return kLost;
    const auto figure = FiguresOf(e, sweep, *range)[check];
    return figure ? DistanceFromGood(ReviewChecks()[check].rule, *figure) : kLost;
  }
  bool Cancelled() const { return cancel && cancel->load(); }
};

// The direction of the change that improves the figure: +1 or -1, 0 when the
// dimension does not move it.
int Direction(const GearReview& review, const DimensionSensitivity& d, std::size_t check) {
  const CheckRule& rule = ReviewChecks()[check].rule;
  const double value = *review.figures[check];
  const double wanted = rule.sense == CheckSense::lower    ? -1
                        : rule.sense == CheckSense::higher ? 1
                        : value < rule.good                ? 1
                                                           : -1;
  const double slope = d.figures[check] ? d.figures[check]->perUnit : 0;
  return slope * wanted > 0 ? 1 : slope * wanted < 0 ? -1 : 0;
}

// The largest change in the direction: 15 % of the dimension (of its scale
// for one that may take either sign or is zero), and towards zero no further
// than keeps its sign for a dimension that must keep one.
double Reach(const Engine& engine, std::size_t dimension, int direction) {
  const DimensionSpec& dim = EngineDimensions()[dimension];
  const double value = engine.*dim.field;
  const bool either = dim.sign == SignRule::either;
  const double reach =
      kFixReach * (either || value == 0 ? DimensionScale(engine, dimension) : std::fabs(value));
  if (either || direction * value > 0) return reach;
  return std::min(reach, kKeepSign * std::fabs(value));
}

// The smallest good change between a change that is not good and one that is.
double Bisect(const LineSearch& s, double bad, double good) {
  for (int i = 0; i < kRefineSteps && !s.Cancelled(); ++i) {
    const double mid = (bad + good) / 2;
    (s.Gap(mid, SolveMethod::quick) == 0 ? good : bad) = mid;
  }
  return good;
}

// The change nearest good around the best scanned step, by golden section.
double Nearest(const LineSearch& s, double lo, double hi) {
  const double r = (std::sqrt(5.0) - 1) / 2;
  double a = hi - r * (hi - lo), b = lo + r * (hi - lo);
  double ga = s.Gap(a, SolveMethod::quick), gb = s.Gap(b, SolveMethod::quick);
  for (int i = 0; i < kRefineSteps && !s.Cancelled(); ++i) {
    if (ga <= gb) {
      hi = b, b = a, gb = ga, a = hi - r * (hi - lo), ga = s.Gap(a, SolveMethod::quick);
    } else {
      lo = a, a = b, ga = gb, b = lo + r * (hi - lo), gb = s.Gap(b, SolveMethod::quick);
    }
  }
  return ga <= gb ? a : b;
}

// The change found, and whether it reached good on the search's notches.
std::pair<double, bool> SearchChange(const LineSearch& s, double reach) {
  int best = 0;
  double bestGap = s.Gap(0, SolveMethod::quick, true);
  for (int k = 1; k <= kScanSteps && !s.Cancelled(); ++k) {
    const double gap = s.Gap(reach * k / kScanSteps, SolveMethod::quick, true);
    if (gap == 0) return {Bisect(s, reach * (k - 1) / kScanSteps, reach * k / kScanSteps), true};
    if (gap < bestGap) best = k, bestGap = gap;
  }
  if (best == 0) return {0, false};
  const double lo = reach * (best - 1) / kScanSteps, hi = reach * std::min(best + 1, kScanSteps) / kScanSteps;
  return {Nearest(s, lo, hi), false};
}

// The exponent of the fourth significant figure of value.
int FourthFigure(double value) {
  return static_cast<int>(std::floor(std::log10(std::fabs(value)))) - 3;
}

// The double nearest digits x 10^exponent, read from its decimal text, so a
// target of 63.37 is 63.37 in the JSON too (not 63.370000000000005).
double Decimal(double digits, int exponent) {
  char text[48];
  std::snprintf(text, sizeof text, "%.0fe%d", digits, exponent);
  return std::strtod(text, nullptr);
}

// Four significant figures; away from the start when the change reached good
// (so it stays good), else the nearest.
double Rounded(double from, double to, bool awayFromStart) {
  if (to == 0 || !std::isfinite(to)) return to;
  const int exponent = FourthFigure(to);
  const double q = to / std::pow(10.0, exponent);
  if (!awayFromStart) return Decimal(std::round(q), exponent);
  return Decimal(to > from ? std::ceil(q) : std::floor(q), exponent);
}

// One unit of the fourth significant figure further from the start.
double NextFigure(double from, double to) {
  const int exponent = FourthFigure(to);
  const double q = std::round(to / std::pow(10.0, exponent));
  return Decimal(q + (to > from ? 1 : -1), exponent);
}

void CompareVerdicts(const GearReview& before, ReviewFix& fix) {
  for (std::size_t c = 0; c < kChecks; ++c) {
    if (c == fix.check) continue;
    const auto was = before.VerdictOf(c), now = fix.after.VerdictOf(c);
    if (!was || !now) {
      if (was && !now) fix.worsened.push_back(c);
      continue;
    }
    if (*now > *was) fix.worsened.push_back(c);
    if (*now < *was) fix.improved.push_back(c);
  }
}

}  // namespace

bool ReviewFix::reachesGood() const {
  return after.reviewed() && after.VerdictOf(check) == Verdict::good;
}

std::optional<ReviewFix> FindFix(const GearReview& review, const SensitivityTable& table, std::size_t check,
                                 std::size_t dimension, int threads, const std::atomic<bool>* cancel) {
  const int direction = Direction(review, table.dimensions[dimension], check);
  if (direction == 0 || !review.figures[check]) return std::nullopt;
  const LineSearch search{review,  check,  dimension,
                          threads, cancel, NotchAngles(NotchPlan{true, 0, 0, kCoarseStepDeg}, review.range)};
  const double reach = Reach(review.engine, dimension, direction);
  if (reach == 0) return std::nullopt;
  const auto [change, good] = SearchChange(search, direction * reach);
  if (change == 0 || search.Cancelled()) return std::nullopt;
  ReviewFix fix;
  fix.check = check;
  fix.dimension = dimension;
  fix.from = review.engine.*EngineDimensions()[dimension].field;
  fix.to = Rounded(fix.from, fix.from + change, good);
  for (int k = 0;; ++k) {
    Engine changed = review.engine;
    changed.*EngineDimensions()[dimension].field = fix.to;
    fix.after = ReviewGear(changed, review.setting, threads, cancel);
    if (!good || fix.reachesGood() || k == kConfirmSteps || !fix.after.reviewed()) break;
    fix.to = NextFigure(fix.from, fix.to);
  }
  CompareVerdicts(review, fix);
  return fix;
}

namespace {

std::vector<std::size_t> FixDimensions(const GearReview& review, const SensitivityTable& table,
                                       std::size_t check) {
  std::vector<std::size_t> chosen;
  for (const std::size_t d : RankedDimensions(table, check, review.engine)) {
    const int direction = Direction(review, table.dimensions[d], check);
    if (chosen.size() < kFixDimensions && direction != 0 && Reach(review.engine, d, direction) > 0)
      chosen.push_back(d);
  }
  return chosen;
}

bool NeedsFix(const GearReview& review, std::size_t check) {
  return ReviewChecks()[check].sensitive && review.VerdictOf(check).value_or(Verdict::good) != Verdict::good;
}

}  // namespace

int FixSearchCount(const GearReview& review, const SensitivityTable& table) {
  int count = 0;
  for (std::size_t c = 0; c < kChecks; ++c)
    if (NeedsFix(review, c)) count += static_cast<int>(FixDimensions(review, table, c).size());
  return count;
}

std::vector<ReviewFix> FindFixes(const GearReview& review, const SensitivityTable& table, int threads,
                                 const std::atomic<bool>* cancel,
                                 const std::function<void(const ReviewFix&)>& onFix,
                                 std::atomic<int>* progress) {
  std::vector<ReviewFix> fixes;
  for (std::size_t c = 0; c < kChecks; ++c) {
    if (!NeedsFix(review, c)) continue;
    for (const std::size_t d : FixDimensions(review, table, c)) {
      if (cancel && cancel->load()) return fixes;
      if (auto fix = FindFix(review, table, c, d, threads, cancel); fix && !(cancel && cancel->load())) {
        fixes.push_back(*fix);
        if (onFix) onFix(fixes.back());
      }
      if (progress) ++*progress;
    }
  }
  return fixes;
}
