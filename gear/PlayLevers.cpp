// At a solved step the lifting link's residual R(y, p) is zero; with the
// valve's position v(y, p) the lever is dv/dp = v_p - v_y R_p / R_y (the
// implicit function's derivative), every partial a forward difference of the
// link's placing from the solved pose (four placings at every other step, the
// algebraic placing, the steps between interpolated: the bands then cost
// about half a sweep a notch). The lifting link's
// length enters R alone, with R_L = 1.
#include "PlayLevers.h"

#include <cmath>

#include "GearSolver.h"

namespace {

struct Placed {
  double residual = NAN, valve = NAN;
};

Placed PlaceAt(const Engine& e, const LinkDrivers& drivers, double y) {
  LinkPose pose;
  Placed p;
  p.residual = LinkResidual(e, drivers, y, &pose, SolveMethod::quick);
  if (!std::isfinite(p.residual)) return p;
  const auto die = IntersectLineCircle(0, {e.eccrod, 0}, {0, 0}, pose.linkCentre, e.eccrod + e.pintoslot);
  if (die) p.valve = RockerSign(e) * EffectiveRatio(e) * die->x;
  return p;
}

// The partials by a rod's length: that rod's deviation moved by h.
Placed RodPartials(const Engine& e, const LinkDrivers& drivers, double y, double h, const Placed& at,
                   double GearDeviations::*rod) {
  Engine longer = e;
  longer.asBuilt.*rod += h;
  const Placed moved = PlaceAt(longer, drivers, y);
  return {(moved.residual - at.residual) / h, (moved.valve - at.valve) / h};
}

struct StepLevers {
  double rod1, rod2, liftLink;
};

StepLevers LeversAt(const Engine& e, const LinkDrivers& drivers, double y, double h) {
  const Placed at = PlaceAt(e, drivers, y), up = PlaceAt(e, drivers, y + h);
  const double followY = (up.valve - at.valve) / (up.residual - at.residual);
  const Placed byRod1 = RodPartials(e, drivers, y, h, at, &GearDeviations::rod1);
  const Placed byRod2 = RodPartials(e, drivers, y, h, at, &GearDeviations::rod2);
  return {byRod1.valve - followY * byRod1.residual, byRod2.valve - followY * byRod2.residual, -followY};
}

// The odd steps between the even ones by the cubic through the four nearest
// (the revolution closes on itself): within a few parts in a million of
// the lever there, at half the placings.
void FillOddSteps(std::array<double, kSteps>& lever) {
  const auto at = [&lever](int k) { return lever[(k + kSteps) % kSteps]; };
  for (int k = 1; k < kSteps; k += 2) lever[k] = (9 * (at(k - 1) + at(k + 1)) - at(k - 3) - at(k + 3)) / 16;
}

}  // namespace

double PlayLevers::Size(PlayLever lever, int k) const {
  switch (lever) {
    case PlayLever::rod1:
      return std::fabs(rod1[k]);
    case PlayLever::rod2:
      return std::fabs(rod2[k]);
    case PlayLever::liftLink:
      return std::fabs(liftLink[k]);
    case PlayLever::valveRod:
      return valveRod;
    case PlayLever::rockerShaft:
      return rockerShaft;
    case PlayLever::rockerValve:
      return rockerValve;
  }
  return 0;
}

PlayLevers LeversOf(const Engine& e, const GearRun& run) {
  PlayLevers levers;
  levers.valveRod = EffectiveRatio(e);
  levers.rockerShaft = std::fabs(1 - RockerSign(e) * EffectiveRatio(e));
  // Small against the gear, large against rounding: a ten-thousandth of the throw.
  const double h = 1e-4 * std::fabs(e.eccrad != 0 ? e.eccrad : e.linkpins);
  const JointTable& t = run.joints;
  for (int k = 0; k < kSteps; k += 2) {
    const LinkDrivers drivers{t.At(k, ecc1), t.At(k, ecc2), t.At(k, armEnd)};
    // Where the gear cannot be placed a step further (at the edge of
    // assembling), the differences are taken the other way.
    for (const double step : {h, -h}) {
      const StepLevers l = LeversAt(e, drivers, t.Y[k][pin1], step);
      levers.rod1[k] = l.rod1;
      levers.rod2[k] = l.rod2;
      levers.liftLink[k] = l.liftLink;
      if (std::isfinite(l.rod1) && std::isfinite(l.rod2) && std::isfinite(l.liftLink)) break;
    }
  }
  for (auto* lever : {&levers.rod1, &levers.rod2, &levers.liftLink}) FillOddSteps(*lever);
  return levers;
}
