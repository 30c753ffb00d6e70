// Each step places the crank and connecting rod directly, then finds the height
// of pin1 with the secant method started at +-linkpins/2. That root is kept only
// when it is the pose that the gear reaches by moving continuously from
// mid-gear; otherwise the continued root is used (see LinkTracker).
#include "GearSolver.h"

#include <cmath>
#include <string>

#include "Angles.h"
#include "LinkTracker.h"

int RockerSign(const GearState& s) {
  return s.rockerType == 1 || s.rockerType == -1 ? s.rockerType : 1;
}

double EffectiveRatio(const GearState& s) {
  return s.rockerType == 1 || s.rockerType == -1 ? s.rockerRatio : 1.0;
}

int CrankSign(const GearState& s) {
  // valveType x rockerSign = 1, compared without multiplying: a record made
  // elsewhere may hold any integer there.
  const int rockerSign = RockerSign(s);
  return (s.valveType == 1 && rockerSign == 1) || (s.valveType == -1 && rockerSign == -1) ? 1 : -1;
}

GearStatus AssemblyFailure(int step, const char* reason) {
  return GearStatus::Failure("The gear cannot be assembled at crank angle " + std::to_string(2 * step) +
                             " deg.: " + reason + ".");
}

LinkDrivers PlaceDrivers(const GearState& s, double theta, double phi) {
  const double adv = DegreesToRadians(s.angadv);
  const double armSign = s.ctoweighh > s.eccrod ? -1 : 1;
  return {{s.eccrad * std::sin(theta + adv), s.eccrad * std::cos(theta + adv)},
          {-s.eccrad * std::sin(theta - adv), -s.eccrad * std::cos(theta - adv)},
          {s.ctoweighh + armSign * s.larad * std::cos(phi), s.ctoweighv - s.larad * std::sin(phi)}};
}

std::optional<LinkPose> PlaceLink(const GearState& s, const LinkDrivers& drivers, double y) {
  const double rise = y - drivers.ecc1.y;
  const double reach = s.eccrod * s.eccrod - rise * rise;
  if (!(reach >= 0)) return std::nullopt;
  LinkPose p;
  p.pin1 = {drivers.ecc1.x + std::sqrt(reach), y};
  const auto pin2 = IntersectCircles(0, drivers.ecc2, s.eccrod, p.pin1, s.linkpins);
  if (!pin2) return std::nullopt;
  p.pin2 = *pin2;
  const double a = std::atan((p.pin1.x - p.pin2.x) / (y - p.pin2.y));
  const auto centre = IntersectCircles(1, p.pin2, s.eccrod, p.pin1, s.eccrod);
  if (!centre) return std::nullopt;
  p.linkCentre = *centre;
  const Point along{std::sin(a), std::cos(a)};
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

double LinkResidual(const GearState& s, const LinkDrivers& drivers, double y, LinkPose* pose) {
  const auto placed = PlaceLink(s, drivers, y);
  if (!placed) return NAN;
  if (pose != nullptr) *pose = *placed;
  const double dx = drivers.armEnd.x - placed->liftPin.x;
  const double dy = drivers.armEnd.y - placed->liftPin.y;
  return s.liftlink - std::sqrt(dx * dx + dy * dy);
}

double LiftLinkResidual(GearState& s, double y) {
  const int k = s.crankStep;
  JointTable& t = s.joints;
  const LinkDrivers drivers{t.At(k, ecc1), t.At(k, ecc2), t.At(k, armEnd)};
  LinkPose p;
  const double residual = LinkResidual(s, drivers, y, &p);
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

// The root from the starts +-linkpins/2 is the one to keep wherever it is the
// continuous pose: it is what every other program following the same method
// prints. The continued root replaces it only where it went astray.
std::optional<double> FindLinkHeight(GearState& s, int runDir) {
  const double tol = 0.00001 * s.eccrad;
  const auto residual = [&](double y) { return LiftLinkResidual(s, y); };
  double slope = 0;
  const auto plain = SecantSolve(residual, +s.linkpins / 2, -s.linkpins / 2, tol, 50, &slope);
  if (s.crankStep == 0) {
    const auto mid = MidGearLinkRoot(s);
    if (!mid) return std::nullopt;
    s.linkBranch = mid->slope > 0 ? 1 : -1;
  } else if (plain && FollowsPreviousSteps(s, *plain, slope)) {
    return plain;
  }
  const auto continued = ContinuedLinkHeight(s, runDir);
  if (!continued) return std::nullopt;
  if (plain && std::fabs(*plain - *continued) <= 100 * tol) return plain;
  // The table holds the last pose tried; put back the one chosen.
  if (!std::isfinite(LiftLinkResidual(s, *continued))) return std::nullopt;
  return continued;
}

bool RowIsFinite(const GearState& s, int k) {
  for (int j = 0; j < kJoints; ++j)
    if (j != unusedColumn && !(std::isfinite(s.joints.X[k][j]) && std::isfinite(s.joints.Y[k][j])))
      return false;
  return std::isfinite(s.pistonTable[k]) && std::isfinite(s.valveTable[k]) && std::isfinite(s.linkAngle);
}

}  // namespace

GearStatus SolveGearStep(GearState& s, int runDir) {
  const int k = s.crankStep;
  JointTable& t = s.joints;
  const double theta = CrankAngle(runDir, k);
  const int crankSign = CrankSign(s);
  t.Set(k, axle, {0, 0});
  const Point pin{crankSign * s.mcrank * std::cos(theta), -crankSign * s.mcrank * std::sin(theta)};
  t.Set(k, crankPin, pin);
  const double rodReach = s.conrod * s.conrod - pin.y * pin.y;
  if (!(rodReach >= 0)) return AssemblyFailure(k, "the connecting rod cannot reach the line of stroke");
  t.Set(k, crosshead, {pin.x + std::sqrt(rodReach), 0});
  s.pistonTable[k] = t.X[k][crosshead] - s.conrod;

  const LinkDrivers drivers = PlaceDrivers(s, theta, s.liftArmAngle + s.midGearAngle);
  t.Set(k, ecc1, drivers.ecc1);
  t.Set(k, ecc2, drivers.ecc2);
  t.Set(k, weighshaft, {s.ctoweighh, s.ctoweighv});
  t.Set(k, armEnd, drivers.armEnd);
  const auto height = FindLinkHeight(s, runDir);
  if (!height) return AssemblyFailure(k, "the lifting link cannot reach the link");
  t.Y[k][pin1] = *height;

  const auto dieAt =
      IntersectLineCircle(0, {s.eccrod, 0}, {0, 0}, t.At(k, linkCentre), s.eccrod + s.pintoslot);
  if (!dieAt) return AssemblyFailure(k, "the slot of the link does not reach the line of stroke");
  t.Set(k, die, *dieAt);
  s.valveTable[k] = RockerSign(s) * EffectiveRatio(s) * dieAt->x;

  const Point p1 = t.At(k, pin1), p2 = t.At(k, pin2);
  s.linkAngle = std::atan((p1.x - p2.x) / (p1.y - p2.y));
  if (s.linkAngle < s.linkAngleMin) s.linkAngleMin = s.linkAngle;
  if (s.linkAngle > s.linkAngleMax) s.linkAngleMax = s.linkAngle;
  if (k == 0) {
    const double midY = (p1.y + p2.y) / 2;
    s.dieDeflection = dieAt->y - (s.eccrod + s.pintoslot) * midY / s.eccrod;
  }
  if (!RowIsFinite(s, k)) return AssemblyFailure(k, "the link takes no definite position");
  return GearStatus::Success();
}
