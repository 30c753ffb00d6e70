// Each step places the crank and connecting rod directly, then finds the height
// of pin1 from the trend of the steps before (Newton and secant steps), or,
// where that does not settle at once, with the secant method started at
// +-linkpins/2, that root kept only when it is the pose the gear reaches by
// moving continuously from mid-gear (otherwise the continued root: LinkTracker).
#include "GearSolver.h"

#include <cmath>

#include "Angles.h"
#include "LinkTracker.h"

int RockerSign(const Engine& e) {
  return e.rockerType == 1 || e.rockerType == -1 ? e.rockerType : 1;
}

double EffectiveRatio(const Engine& e) {
  return e.rockerType == 1 || e.rockerType == -1 ? e.rockerRatio : 1.0;
}

int CrankSign(const Engine& e) {
  // valveType x rockerSign = 1, compared without multiplying: a record made
  // elsewhere may hold any integer there.
  const int rockerSign = RockerSign(e);
  return (e.valveType == 1 && rockerSign == 1) || (e.valveType == -1 && rockerSign == -1) ? 1 : -1;
}

double LinkTolerance(const Engine& e) {
  return 0.00001 * std::fabs(e.eccrad != 0 ? e.eccrad : e.linkpins);
}

Point ArmEnd(const Engine& s, double phi) {
  const double armSign = s.ctoweighh > s.eccrod ? -1 : 1;
  return {s.ctoweighh + armSign * s.larad * std::cos(phi), s.ctoweighv - s.larad * std::sin(phi)};
}

LinkDrivers PlaceDrivers(const Engine& s, double theta, Point armEnd) {
  // A deviation of zero adds nothing, so the gear as designed is placed bit for bit.
  const double adv1 = DegreesToRadians(s.angadv + s.asBuilt.advance1Deg);
  const double adv2 = DegreesToRadians(s.angadv + s.asBuilt.advance2Deg);
  return {{s.eccrad * std::sin(theta + adv1), s.eccrad * std::cos(theta + adv1)},
          {-s.eccrad * std::sin(theta - adv2), -s.eccrad * std::cos(theta - adv2)},
          armEnd};
}

LinkDrivers PlaceDrivers(const Engine& s, double theta, double phi) {
  return PlaceDrivers(s, theta, ArmEnd(s, phi));
}

namespace {

// The link's direction from pin2 to pin1, turned to point upwards: the sine
// and cosine of the angle whose tangent is the link's slope from the upright.
Point LinkUpwards(const Point& pin1, const Point& pin2) {
  const double dx = pin1.x - pin2.x, dy = pin1.y - pin2.y;
  const double scale = (dy < 0 ? -1 : 1) / std::sqrt(dx * dx + dy * dy);
  return {dx * scale, dy * scale};
}

}  // namespace

std::optional<LinkPose> PlaceLink(const Engine& s, const LinkDrivers& drivers, double y, SolveMethod method) {
  // The rods may be built off their length; the link's radius stays eccrod.
  const double rod1 = s.eccrod + s.asBuilt.rod1, rod2 = s.eccrod + s.asBuilt.rod2;
  const double rise = y - drivers.ecc1.y;
  const double reach = rod1 * rod1 - rise * rise;
  if (!(reach >= 0)) return std::nullopt;
  const auto cross = method == SolveMethod::exact ? IntersectCircles : CrossCircles;
  LinkPose p;
  p.pin1 = {drivers.ecc1.x + std::sqrt(reach), y};
  const auto pin2 = cross(0, drivers.ecc2, rod2, p.pin1, s.linkpins);
  if (!pin2) return std::nullopt;
  p.pin2 = *pin2;
  const auto centre = cross(1, p.pin2, s.eccrod, p.pin1, s.eccrod);
  if (!centre) return std::nullopt;
  p.linkCentre = *centre;
  const Point along = LinkUpwards(p.pin1, p.pin2);
  p.aux1 = {p.linkCentre.x + s.circdisp * along.x, p.linkCentre.y + s.circdisp * along.y};
  const Point mid{(p.pin1.x + p.pin2.x) / 2, (p.pin1.y + p.pin2.y) / 2};
  p.aux2 = {mid.x + s.circdisp * along.x, mid.y + s.circdisp * along.y};
  const auto lift = IntersectLineCircle(0, p.aux2, p.aux1, p.linkCentre, s.eccrod + s.pintoslot - s.raddisp);
  const auto slot = IntersectLineCircle(0, mid, p.linkCentre, p.linkCentre, s.eccrod + s.pintoslot);
  if (!lift || !slot) return std::nullopt;
  p.liftPin = *lift;
  p.slotCentre = *slot;
  return p;
}

double LinkResidual(const Engine& s, const LinkDrivers& drivers, double y, LinkPose* pose,
                    SolveMethod method) {
  const auto placed = PlaceLink(s, drivers, y, method);
  if (!placed) return NAN;
  if (pose != nullptr) *pose = *placed;
  const double dx = drivers.armEnd.x - placed->liftPin.x;
  const double dy = drivers.armEnd.y - placed->liftPin.y;
  return s.liftlink - std::sqrt(dx * dx + dy * dy);
}

double LiftLinkResidual(GearWork& w, int k, double y) {
  JointTable& t = w.run.joints;
  const LinkDrivers drivers{t.At(k, ecc1), t.At(k, ecc2), t.At(k, armEnd)};
  LinkPose p;
  const double residual = LinkResidual(w.engine, drivers, y, &p, w.method);
  if (!std::isfinite(residual)) return residual;
  t.X[k][pin1] = p.pin1.x;
  t.Set(k, pin2, p.pin2);
  t.Set(k, liftPin, p.liftPin);
  t.Set(k, aux1, p.aux1);
  t.Set(k, aux2, p.aux2);
  t.Set(k, linkCentre, p.linkCentre);
  t.Set(k, slotCentre, p.slotCentre);
  return residual;
}

namespace {

// From the height the four steps before extrapolate: one Newton step with the
// slope found at the last step (a secant beside the guess when that slope is
// not known), then secant steps; empty (the search from the link's ends takes
// over) unless it converges at once onto the pose the sweep follows. The
// exact method takes one secant step more once a step is shorter than the
// tolerance: its root is then the root itself to rounding, as the search from
// the ends gives it, not merely within the tolerance.
std::optional<double> TrendLinkHeight(GearWork& w, int k) {
  const bool exact = w.method == SolveMethod::exact;
  const int mostSteps = exact ? 4 : 2;
  const auto& Y = w.run.joints.Y;
  const double tol = LinkTolerance(w.engine);
  double x0 = 4 * Y[k - 1][pin1] - 6 * Y[k - 2][pin1] + 4 * Y[k - 3][pin1] - Y[k - 4][pin1];
  double f0 = LiftLinkResidual(w, k, x0);
  double slope = w.lastSlope;
  if (!(slope * w.linkBranch > 0)) {
    const double f = LiftLinkResidual(w, k, x0 + 100 * tol);
    slope = (f - f0) / (100 * tol);
  }
  double x1 = x0 - f0 / slope;
  for (int i = 0; i < mostSteps && std::isfinite(x1); ++i) {
    const double f1 = LiftLinkResidual(w, k, x1);
    if (!std::isfinite(f1) || f1 == f0) return std::nullopt;
    slope = (f1 - f0) / (x1 - x0);
    if (std::fabs(x1 - x0) < tol) {
      if (exact && f1 != 0) {
        x1 = x1 - f1 / slope;
        if (!std::isfinite(LiftLinkResidual(w, k, x1))) return std::nullopt;
      }
      if (!FollowsPreviousSteps(w, k, x1, slope)) return std::nullopt;
      w.lastSlope = slope;
      return x1;
    }
    x0 = x1;
    f0 = f1;
    x1 = x1 - f1 / slope;
  }
  return std::nullopt;
}

// The root from the starts +-linkpins/2 is the one to keep wherever it is the
// continuous pose: it is what every other program following the same method
// prints. The continued root replaces it only where it went astray.
std::optional<double> SearchLinkHeight(GearWork& w, int k) {
  const Engine& e = w.engine;
  const double tol = LinkTolerance(e);
  const auto residual = [&](double y) { return LiftLinkResidual(w, k, y); };
  double slope = 0;
  const auto plain = SecantSolve(residual, +e.linkpins / 2, -e.linkpins / 2, tol, 50, &slope);
  // Only the plain root's slope is known; after a continued root the next
  // quick step waits for a plain one.
  w.lastSlope = slope;
  if (k == 0) {
    w.midGearRoot = MidGearLinkRoot(e, w.run.midGearAngle, w.method);
    if (!w.midGearRoot) return std::nullopt;
    w.linkBranch = w.midGearRoot->slope > 0 ? 1 : -1;
  } else if (plain && FollowsPreviousSteps(w, k, *plain, slope)) {
    return plain;
  }
  const auto continued = ContinuedLinkHeight(w, k);
  if (!continued) return std::nullopt;
  if (plain && std::fabs(*plain - *continued) <= 100 * tol) return plain;
  w.lastSlope = NAN;
  // The table holds the last pose tried; put back the one chosen.
  if (!std::isfinite(LiftLinkResidual(w, k, *continued))) return std::nullopt;
  return continued;
}

// One secant step more from a root the searches left within their tolerance,
// its slope from a point a thousandth of the tolerance beside it: the exact
// run's heights are then the roots to rounding. A step that cannot be taken
// keeps the root as it was.
double Polished(GearWork& w, int k, double y) {
  const double beside = 1e-3 * LinkTolerance(w.engine);
  const double f = LiftLinkResidual(w, k, y);
  if (f == 0) return y;
  const double polished = y - f * beside / (LiftLinkResidual(w, k, y + beside) - f);
  if (std::isfinite(polished) && std::isfinite(LiftLinkResidual(w, k, polished))) return polished;
  LiftLinkResidual(w, k, y);
  return y;
}

// Each step first follows the trend of the steps before; where that does not
// settle at once on the pose the sweep follows, the link is searched from its
// ends.
std::optional<double> FindLinkHeight(GearWork& w, int k) {
  if (k >= 4)
    if (const auto trend = TrendLinkHeight(w, k)) return trend;
  const auto found = SearchLinkHeight(w, k);
  if (!found || w.method != SolveMethod::exact) return found;
  return Polished(w, k, *found);
}

bool RowIsFinite(const GearRun& r, int k, double linkAngle) {
  for (int j = 0; j < kJoints; ++j)
    if (j != unusedColumn && !(std::isfinite(r.joints.X[k][j]) && std::isfinite(r.joints.Y[k][j])))
      return false;
  return std::isfinite(r.pistonTable[k]) && std::isfinite(r.valveTable[k]) && std::isfinite(linkAngle);
}

}  // namespace

std::optional<GearFailure> SolveGearStep(GearWork& w, int k) {
  const Engine& s = w.engine;
  GearRun& r = w.run;
  JointTable& t = r.joints;
  const double theta = CrankAngle(r.runDir, k);
  const int crankSign = CrankSign(s);
  t.Set(k, axle, {0, 0});
  const Point pin{crankSign * s.mcrank * std::cos(theta), -crankSign * s.mcrank * std::sin(theta)};
  t.Set(k, crankPin, pin);
  const double rodReach = s.conrod * s.conrod - pin.y * pin.y;
  if (!(rodReach >= 0)) return MakeFailure(FailureKind::connectingRodShort, 2 * k);
  t.Set(k, crosshead, {pin.x + std::sqrt(rodReach), 0});
  r.pistonTable[k] = t.X[k][crosshead] - s.conrod;

  if (k == 0) w.armEnd = ArmEnd(s, r.liftArmAngle + r.midGearAngle);
  const LinkDrivers drivers = PlaceDrivers(s, theta, w.armEnd);
  t.Set(k, ecc1, drivers.ecc1);
  t.Set(k, ecc2, drivers.ecc2);
  t.Set(k, weighshaft, {s.ctoweighh, s.ctoweighv});
  t.Set(k, armEnd, drivers.armEnd);
  const auto height = FindLinkHeight(w, k);
  if (!height) return MakeFailure(FailureKind::liftingLinkNoReach, 2 * k);
  t.Y[k][pin1] = *height;

  const auto dieAt =
      IntersectLineCircle(0, {s.eccrod, 0}, {0, 0}, t.At(k, linkCentre), s.eccrod + s.pintoslot);
  if (!dieAt) return MakeFailure(FailureKind::slotMissesStroke, 2 * k);
  t.Set(k, die, *dieAt);
  r.valveTable[k] = RockerSign(s) * EffectiveRatio(s) * dieAt->x;

  const Point p1 = t.At(k, pin1), p2 = t.At(k, pin2);
  const double linkAngle = std::atan((p1.x - p2.x) / (p1.y - p2.y));
  if (linkAngle < r.linkAngleMin) r.linkAngleMin = linkAngle;
  if (linkAngle > r.linkAngleMax) r.linkAngleMax = linkAngle;
  if (k == 0) {
    const double midY = (p1.y + p2.y) / 2;
    r.dieDeflection = dieAt->y - (s.eccrod + s.pintoslot) * midY / s.eccrod;
  }
  if (!RowIsFinite(r, k, linkAngle)) return MakeFailure(FailureKind::linkIndefinite, 2 * k);
  return std::nullopt;
}
