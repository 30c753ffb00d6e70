// Events are defined for inside admission and mirrored for outside admission
// (level negated, direction reversed). Each lead is taken at the step where the
// piston stands at that end of the cylinder, which is step 0 or step 90
// according to where the crank pin starts.
#include "ValveEvents.h"

#include <algorithm>
#include <cmath>

#include "Angles.h"
#include "GearSolver.h"

namespace {

struct EventRule {
  bool onSteamLap;  // else the exhaust lap
  double sign;      // of the level for inside admission
  bool rising;      // for inside admission
};

// Compression, admission, cut-off and exhaust at the front, then at the back.
constexpr EventRule kRules[kEvents] = {{false, -1, true},  {true, 1, true},   {true, 1, false},
                                       {false, -1, false}, {false, 1, false}, {true, -1, false},
                                       {true, -1, true},   {false, 1, true}};

bool Crosses(double before, double level, double after, bool rising) {
  return rising ? before < level && level < after : before > level && level > after;
}

}  // namespace

void FindValveEvents(const Engine& s, GearRun& r) {
  const int v = s.valveType == 1 ? 1 : -1;
  bool* found = r.results.eventFound;
  for (int e = 0; e < kEvents; ++e) {
    const EventRule& rule = kRules[e];
    const double level = v * rule.sign * (rule.onSteamLap ? s.stlap : s.exlap);
    const bool rising = v == 1 ? rule.rising : !rule.rising;
    found[e] = false;
    r.eventPos[e] = 0;
    const double* p = r.pistonTable;
    const double* valve = r.valveTable;
    for (int i = 0; i < kSteps && !found[e]; ++i) {
      if (!Crosses(valve[i], level, valve[i + 1], rising)) continue;
      r.eventPos[e] = p[i] + (p[i + 1] - p[i]) * (level - valve[i]) / (valve[i + 1] - valve[i]);
      found[e] = true;
    }
  }
}

void FindTravelExtremes(GearRun& r) {
  r.travelMax = 0;
  r.travelMin = 0;
  for (int k = 0; k < kSteps; ++k) {
    if (r.valveTable[k] > r.travelMax) r.travelMax = r.valveTable[k];
    if (r.valveTable[k] < r.travelMin) r.travelMin = r.valveTable[k];
  }
}

const RunResults& ComputeRunResults(const Engine& s, GearRun& run) {
  RunResults& r = run.results;
  run.strokeScale = 2 * s.mcrank;
  FindValveEvents(s, run);
  const double half = run.strokeScale * 0.5;
  for (int e = 0; e < kEvents; ++e) {
    const double fromFront = (half - run.eventPos[e]) * 100 / half * 0.5;
    // Without a crank throw there is no stroke to give a share of.
    if (!std::isfinite(fromFront)) r.eventFound[e] = false;
    r.eventPct[e] = !r.eventFound[e] ? 0 : e < compressionBack ? fromFront : 100 - fromFront;
  }
  FindTravelExtremes(run);
  const int backStep = CrankSign(s) == -1 ? 0 : 90;
  r.leadBack = std::fabs(run.valveTable[backStep]) - s.stlap;
  r.leadFront = std::fabs(run.valveTable[90 - backStep]) - s.stlap;
  const double openAtMax = run.travelMax - s.stlap, openAtMin = -run.travelMin - s.stlap;
  r.portOpenBack = std::min(s.valveType == 1 ? openAtMin : openAtMax, s.port);
  r.portOpenFront = std::min(s.valveType == 1 ? openAtMax : openAtMin, s.port);
  r.linkAngleMinDeg = RadiansToDegrees(run.linkAngleMin);
  r.linkAngleMaxDeg = RadiansToDegrees(run.linkAngleMax);
  r.dieDeflection = run.dieDeflection;
  r.dieSlip = run.dieSlip;
  r.valveTravel = run.travelMax - run.travelMin;
  return r;
}
