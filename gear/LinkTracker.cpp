// Each move is one secant search started at the predicted height and a point
// close beside it. A move that fails, lands on the other pose of the lifting
// link, or lands far from the prediction is split in two, down to a few
// hundredths of a degree.
#include "LinkTracker.h"

#include <cmath>

#include "Angles.h"

namespace {

constexpr int kMaxSplits = 7;
constexpr double kLargestArmMove = 2 * kPi / 180;

// A true move of at most 2 degrees stays this close to a straight-line guess.
double JumpLimit(const Engine& s) {
  return 0.05 * s.linkpins;
}

std::optional<LinkRoot> SolveNear(const Engine& s, GearInputs at, double guess, SolveMethod method) {
  const LinkDrivers drivers = PlaceDrivers(s, at.theta, at.phi);
  const auto residual = [&](double y) { return LinkResidual(s, drivers, y, nullptr, method); };
  const double tol = LinkTolerance(s);
  double slope = 0;
  const auto y = SecantSolve(residual, guess, guess + 100 * tol, tol, 50, &slope);
  if (!y) return std::nullopt;
  return LinkRoot{*y, slope};
}

bool Accepted(const Engine& s, int linkBranch, const std::optional<LinkRoot>& root, double guess) {
  return root && root->slope * linkBranch > 0 && std::fabs(root->y - guess) <= JumpLimit(s);
}

std::optional<double> Follow(const Engine& s, int branch, GearInputs from, GearInputs to, double yFrom,
                             double yTrend, int splits, SolveMethod method) {
  const auto root = SolveNear(s, to, yFrom + yTrend, method);
  if (Accepted(s, branch, root, yFrom + yTrend)) return root->y;
  if (splits == kMaxSplits) return std::nullopt;
  const GearInputs half{(from.theta + to.theta) / 2, (from.phi + to.phi) / 2};
  const auto yHalf = Follow(s, branch, from, half, yFrom, yTrend / 2, splits + 1, method);
  if (!yHalf) return std::nullopt;
  return Follow(s, branch, half, to, *yHalf, *yHalf - yFrom, splits + 1, method);
}

double PreviousTrend(const GearRun& r, int k) {
  return k > 1 ? r.joints.Y[k - 1][pin1] - r.joints.Y[k - 2][pin1] : 0;
}

}  // namespace

std::optional<LinkRoot> MidGearLinkRoot(const Engine& s, double midGearAngle, SolveMethod method) {
  // In mid-gear the link hangs nearly symmetric about the line of stroke; a
  // root far from that is the lifting link swung over to its other side.
  const auto root = SolveNear(s, {0, midGearAngle}, s.linkpins / 2, method);
  if (root && std::isfinite(root->slope) && root->slope != 0 &&
      std::fabs(root->y - s.linkpins / 2) <= 0.25 * s.linkpins)
    return root;
  return std::nullopt;
}

std::optional<double> FollowLinkHeight(const Engine& e, int linkBranch, GearInputs from, GearInputs to,
                                       double yFrom, double yTrend, SolveMethod method) {
  return Follow(e, linkBranch, from, to, yFrom, yTrend, 0, method);
}

bool FollowsPreviousSteps(const GearWork& w, int k, double y, double slope) {
  const double guess = w.run.joints.Y[k - 1][pin1] + PreviousTrend(w.run, k);
  return Accepted(w.engine, w.linkBranch, LinkRoot{y, slope}, guess);
}

std::optional<double> ContinuedLinkHeight(const GearWork& w, int k) {
  const Engine& s = w.engine;
  const GearRun& r = w.run;
  const int runDir = r.runDir;
  const double phi = r.liftArmAngle + r.midGearAngle;
  if (k > 0) {
    const double yPrevious = r.joints.Y[k - 1][pin1];
    return FollowLinkHeight(s, w.linkBranch, {CrankAngle(runDir, k - 1), phi}, {CrankAngle(runDir, k), phi},
                            yPrevious, PreviousTrend(r, k), w.method);
  }
  std::optional<double> y;
  if (w.midGearRoot) y = w.midGearRoot->y;
  // The arm is turned the short way round: an angle of several turns puts it
  // where its remainder does, and the walk stays a few dozen moves long.
  const double travel = std::remainder(r.liftArmAngle, 2 * kPi);
  const int moves = static_cast<int>(std::ceil(std::fabs(travel) / kLargestArmMove));
  double trend = 0;
  for (int i = 1; y && i <= moves; ++i) {
    const double from = r.midGearAngle + travel * (i - 1) / moves;
    const double to = i == moves ? phi : r.midGearAngle + travel * i / moves;
    const auto next = FollowLinkHeight(s, w.linkBranch, {0, from}, {0, to}, *y, trend, w.method);
    if (next) trend = *next - *y;
    y = next;
  }
  return y;
}
