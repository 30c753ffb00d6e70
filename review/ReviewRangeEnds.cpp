// A side is walked outwards from mid-gear over the sweep's notches to the first
// that is not usable (measuring further notches, half a degree apart, when the
// sweep ends first); the end lies between that notch and the one before. The
// margin min(dieLow, 1 - dieHigh) is smooth in the angle and usable exactly
// where it is not negative, so where the die is the cause its root is the end.
#include "ReviewRangeEnds.h"

#include <algorithm>
#include <cmath>

#include "GearReview.h"

namespace {

constexpr int kMostSteps = 60;

// The die's margin, in shares of the pin distance; empty when the notch fails
// for another reason than the die.
std::optional<double> Margin(const ReviewNotch& n) {
  if (!n.row.ok() || !n.equalLeadEvents) return std::nullopt;
  return std::min(n.dieLow, 1 - n.dieHigh);
}

struct Probe {
  double deg;
  std::optional<double> margin;
  bool usable() const { return margin && *margin >= 0; }
};

struct SideSearch {
  const Engine& engine;
  const ReviewSweep& sweep;
  const std::atomic<bool>* cancel;

  Probe Measure(double deg) const {
    const auto notches =
        MeasureReviewNotches(engine, sweep.midGearRad, sweep.centring, {deg}, 1, SolveMethod::exact, cancel);
    return {deg, Margin(notches.front())};
  }
  bool Cancelled() const { return cancel && cancel->load(); }
};

// The last usable notch and the first that is not, outwards on one side.
std::optional<std::pair<Probe, Probe>> Bracket(const SideSearch& s, double sign) {
  std::vector<Probe> side;
  for (const ReviewNotch& n : s.sweep.notches)
    if (sign * n.row.liftArmDeg >= 0) side.push_back({n.row.liftArmDeg, Margin(n)});
  std::sort(side.begin(), side.end(),
            [&](const Probe& a, const Probe& b) { return sign * a.deg < sign * b.deg; });
  if (side.empty() || side.front().deg != 0 || !side.front().usable()) return std::nullopt;
  std::size_t k = 1;
  while (k < side.size() && side[k].usable()) ++k;
  Probe inner = side[k - 1];
  if (k < side.size()) return std::pair{inner, side[k]};
  for (double deg = inner.deg + sign * kReviewStepDeg;
       std::fabs(deg) <= kUsableSearchLimitDeg && !s.Cancelled(); deg += sign * kReviewStepDeg) {
    const Probe next = s.Measure(deg);
    if (!next.usable()) return std::pair{inner, next};
    inner = next;
  }
  return std::nullopt;
}

// Narrows the bracket to the end: regula falsi on the margin while the outer
// probe has one (Illinois: a side kept twice running has its margin halved,
// so it cannot stall the search), halving otherwise.
double Narrow(const SideSearch& s, Probe inner, Probe outer) {
  double innerMargin = *inner.margin;
  std::optional<double> outerMargin = outer.margin;
  int lastMoved = 0;  // -1 the inner probe, +1 the outer
  double estimate = NAN;
  for (int i = 0; i < kMostSteps && std::fabs(outer.deg - inner.deg) > kRangeEndToleranceDeg; ++i) {
    if (s.Cancelled()) break;
    const double deg = outerMargin
                           ? inner.deg + (outer.deg - inner.deg) * innerMargin / (innerMargin - *outerMargin)
                           : (inner.deg + outer.deg) / 2;
    if (outerMargin && std::fabs(deg - estimate) < kRangeEndToleranceDeg) return deg;
    if (outerMargin) estimate = deg;
    const Probe probe = s.Measure(deg);
    if (probe.usable()) {
      inner = probe, innerMargin = *probe.margin;
      if (lastMoved == -1 && outerMargin) *outerMargin /= 2;
      lastMoved = -1;
    } else {
      outer = probe, outerMargin = probe.margin;
      if (lastMoved == 1) innerMargin /= 2;
      lastMoved = 1;
    }
  }
  if (!outerMargin) return (inner.deg + outer.deg) / 2;
  return inner.deg + (outer.deg - inner.deg) * innerMargin / (innerMargin - *outerMargin);
}

}  // namespace

std::array<std::optional<double>, 2> FindRangeEnds(const Engine& engine, const ReviewSweep& sweep,
                                                   const std::atomic<bool>* cancel) {
  std::array<std::optional<double>, 2> ends;
  if (sweep.failure) return ends;
  const SideSearch search{engine, sweep, cancel};
  for (int side = 0; side < 2; ++side) {
    const auto bracket = Bracket(search, side == 0 ? -1 : 1);
    if (bracket && !search.Cancelled()) ends[side] = Narrow(search, bracket->first, bracket->second);
  }
  return ends;
}
