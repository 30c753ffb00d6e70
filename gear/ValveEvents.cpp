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

void FindValveEvents(GearState& s) {
  const int v = s.valveType == 1 ? 1 : -1;
  for (int e = 0; e < kEvents; ++e) {
    const EventRule& rule = kRules[e];
    const double level = v * rule.sign * (rule.onSteamLap ? s.stlap : s.exlap);
    const bool rising = v == 1 ? rule.rising : !rule.rising;
    s.eventFound[e] = false;
    s.eventPos[e] = 0;
    const double* p = s.pistonTable;
    const double* valve = s.valveTable;
    for (int i = 0; i < kSteps && !s.eventFound[e]; ++i) {
      if (!Crosses(valve[i], level, valve[i + 1], rising)) continue;
      s.eventPos[e] = p[i] + (p[i + 1] - p[i]) * (level - valve[i]) / (valve[i + 1] - valve[i]);
      s.eventFound[e] = true;
    }
  }
}

void FindTravelExtremes(GearState& s) {
  s.travelMax = 0;
  s.travelMin = 0;
  for (int k = 0; k < kSteps; ++k) {
    if (s.valveTable[k] > s.travelMax) s.travelMax = s.valveTable[k];
    if (s.valveTable[k] < s.travelMin) s.travelMin = s.valveTable[k];
  }
}

RunResults ComputeRunResults(GearState& s) {
  RunResults r;
  s.strokeScale = 2 * s.mcrank;
  FindValveEvents(s);
  const double half = s.strokeScale * 0.5;
  for (int e = 0; e < kEvents; ++e) {
    const double fromFront = (half - s.eventPos[e]) * 100 / half * 0.5;
    // Without a crank throw there is no stroke to give a share of.
    if (!std::isfinite(fromFront)) s.eventFound[e] = false;
    s.eventPct[e] = !s.eventFound[e] ? 0 : e < compressionBack ? fromFront : 100 - fromFront;
    r.eventPct[e] = s.eventPct[e];
    r.eventFound[e] = s.eventFound[e];
  }
  FindTravelExtremes(s);
  const int backStep = CrankSign(s) == -1 ? 0 : 90;
  r.leadBack = std::fabs(s.valveTable[backStep]) - s.stlap;
  r.leadFront = std::fabs(s.valveTable[90 - backStep]) - s.stlap;
  const double openAtMax = s.travelMax - s.stlap, openAtMin = -s.travelMin - s.stlap;
  r.portOpenBack = std::min(s.valveType == 1 ? openAtMin : openAtMax, s.port);
  r.portOpenFront = std::min(s.valveType == 1 ? openAtMax : openAtMin, s.port);
  r.linkAngleMinDeg = RadiansToDegrees(s.linkAngleMin);
  r.linkAngleMaxDeg = RadiansToDegrees(s.linkAngleMax);
  r.dieDeflection = s.dieDeflection;
  return r;
}
