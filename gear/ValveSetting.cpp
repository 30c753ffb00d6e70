// Moving the valve's centre along its rod lengthens the admission at one end
// and shortens it at the other, so the difference of the cut-offs falls
// monotonically with the centring: a bracket is widened from the equal-lead
// centring until the difference changes sign, then halved.
#include "ValveSetting.h"

#include <cmath>

#include "CutOffFigures.h"

namespace {

// Back minus front cut-off with this centring; empty where one is missing.
std::optional<double> CutOffDifference(const RunEvaluator& evaluate, double settingDeg, double centring) {
  const RunOutcome outcome = evaluate(settingDeg, centring);
  return outcome.ok() ? ::CutOffDifference(outcome.run->results) : std::nullopt;
}

struct Bracket {
  double lo, hi, atLo;
};

// Widens outwards from start in both directions by doubling steps.
std::optional<Bracket> FindBracket(const RunEvaluator& s, double settingDeg, double start, double step,
                                   double atStart) {
  for (int widening = 0; widening < 24; ++widening, step *= 2) {
    for (const double sign : {1.0, -1.0}) {
      const auto there = CutOffDifference(s, settingDeg, start + sign * step);
      if (!there || (*there > 0) == (atStart > 0)) continue;
      const double lo = std::min(start, start + sign * step), hi = std::max(start, start + sign * step);
      return Bracket{lo, hi, lo == start ? atStart : *there};
    }
  }
  return std::nullopt;
}

}  // namespace

std::string_view ValveSettingKey(ValveSetting setting) {
  return setting == ValveSetting::equalCutOff ? "cutoff" : "leads";
}

std::optional<ValveSetting> ParseValveSetting(std::string_view key) {
  for (const ValveSetting s : {ValveSetting::equalLeads, ValveSetting::equalCutOff})
    if (key == ValveSettingKey(s)) return s;
  return std::nullopt;
}

CentringOutcome FindCentring(const RunEvaluator& evaluate, double settingDeg, ValveSetting setting) {
  const RunOutcome leads = evaluate(settingDeg, std::nullopt);
  if (!leads.ok()) return {std::nullopt, leads.failure};
  const double start = leads.run->valveCentre;
  if (setting == ValveSetting::equalLeads) return {start, std::nullopt};
  const GearFailure never = MakeFailure(FailureKind::cutOffsNeverEqual);
  const auto atStart = CutOffDifference(evaluate, settingDeg, start);
  if (!atStart) return {std::nullopt, never};
  if (*atStart == 0) return {start, std::nullopt};
  const double step = std::max(leads.run->results.valveTravel, 1e-6) / 64;
  auto bracket = FindBracket(evaluate, settingDeg, start, step, *atStart);
  if (!bracket) return {std::nullopt, never};
  for (int halving = 0; halving < 60 && bracket->hi - bracket->lo > 1e-12 * (1 + std::fabs(start));
       ++halving) {
    const double mid = (bracket->lo + bracket->hi) / 2;
    const auto atMid = CutOffDifference(evaluate, settingDeg, mid);
    if (!atMid) return {std::nullopt, never};
    if ((*atMid > 0) == (bracket->atLo > 0))
      *bracket = {mid, bracket->hi, *atMid};
    else
      bracket->hi = mid;
  }
  return {(bracket->lo + bracket->hi) / 2, std::nullopt};
}
