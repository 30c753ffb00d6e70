// Each move is one secant search started at the predicted height and a point
// close beside it. A move that fails, or whose root lands far from the
// prediction (a jump to the other pose of the lifting link), is split in two,
// down to a few hundredths of a degree.
#include "LinkTracker.h"

#include <cmath>

#include "Angles.h"
#include "GearSolver.h"

namespace {

constexpr int kMaxSplits = 7;
constexpr double kLargestArmMove = 2 * kPi / 180;

double Tolerance(const GearState& s) {
  return 0.00001 * s.eccrad;
}

std::optional<double> SolveNear(const GearState& s, GearInputs at, double guess) {
  const LinkDrivers drivers = PlaceDrivers(s, at.theta, at.phi);
  const auto residual = [&](double y) { return LinkResidual(s, drivers, y, nullptr); };
  const double tol = Tolerance(s);
  return SecantSolve(residual, guess, guess + 100 * tol, tol, 50);
}

std::optional<double> Follow(const GearState& s, GearInputs from, GearInputs to, double yFrom, double yTrend,
                             int splits) {
  const double guess = yFrom + yTrend;
  const auto y = SolveNear(s, to, guess);
  // The other pose lies far off; a true move stays close to the straight guess.
  if (y && std::fabs(*y - guess) <= 0.05 * s.linkpins) return y;
  if (splits == kMaxSplits) return std::nullopt;
  const GearInputs half{(from.theta + to.theta) / 2, (from.phi + to.phi) / 2};
  const auto yHalf = Follow(s, from, half, yFrom, yTrend / 2, splits + 1);
  if (!yHalf) return std::nullopt;
  return Follow(s, half, to, *yHalf, *yHalf - yFrom, splits + 1);
}

}  // namespace

std::optional<double> MidGearLinkHeight(const GearState& s) {
  // In mid-gear the link hangs nearly symmetric about the line of stroke; a
  // root far from that is the lifting link swung over to its other side.
  const auto y = SolveNear(s, {0, s.midGearAngle}, s.linkpins / 2);
  if (y && std::fabs(*y - s.linkpins / 2) <= 0.25 * s.linkpins) return y;
  return std::nullopt;
}

std::optional<double> FollowLinkHeight(const GearState& s, GearInputs from, GearInputs to, double yFrom,
                                       double yTrend) {
  return Follow(s, from, to, yFrom, yTrend, 0);
}

std::optional<double> ContinuedLinkHeight(const GearState& s, int runDir) {
  const int k = s.crankStep;
  const double phi = s.liftArmAngle + s.midGearAngle;
  if (k > 0) {
    const double yPrevious = s.joints.Y[k - 1][pin1];
    const double trend = k > 1 ? yPrevious - s.joints.Y[k - 2][pin1] : 0;
    return FollowLinkHeight(s, {CrankAngle(runDir, k - 1), phi}, {CrankAngle(runDir, k), phi}, yPrevious,
                            trend);
  }
  auto y = MidGearLinkHeight(s);
  const int moves = static_cast<int>(std::ceil(std::fabs(s.liftArmAngle) / kLargestArmMove));
  double trend = 0;
  for (int i = 1; y && i <= moves; ++i) {
    const double from = s.midGearAngle + s.liftArmAngle * (i - 1) / moves;
    const double to = i == moves ? phi : s.midGearAngle + s.liftArmAngle * i / moves;
    const auto next = FollowLinkHeight(s, {0, from}, {0, to}, *y, trend);
    if (next) trend = *next - *y;
    y = next;
  }
  return y;
}
