// Each notch is solved once and centred twice: with the setting's centring
// (the row) and for equal leads at that angle (the usable range's test), the
// same arithmetic as two runs of Session::Evaluate. Exact measurements set the
// valves with FindCentring; quick ones find the equal-cut-off centring by
// bisection on the one solved setting run, since the centring moves the valve
// curve and nothing else.
#include "DesignFigures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <latch>
#include <memory>

#include "Angles.h"
#include "CrankSweep.h"
#include "MidGear.h"
#include "NotchThreads.h"
#include "Session.h"
#include "SlotPosition.h"

namespace {

using RawValve = std::array<double, kSteps>;

void Centre(const Engine& e, GearRun& run, const RawValve& raw, std::optional<double> centring) {
  std::copy(raw.begin(), raw.end(), run.valveTable);
  CentreRun(e, run, centring);
}

std::optional<double> CutOffDifference(const Engine& e, GearRun& run, const RawValve& raw, double centring) {
  Centre(e, run, raw, centring);
  return ::CutOffDifference(run.results);
}

// The centring that equalises the cut-offs of a solved run: a bracket widened
// from the equal-lead centring, then halved to a millionth of the travel.
std::optional<double> EqualCutOffCentring(const Engine& e, GearRun& run, const RawValve& raw) {
  Centre(e, run, raw, std::nullopt);
  const double start = run.valveCentre, travel = std::max(run.results.valveTravel, 1e-6);
  const auto atStart = CutOffDifference(e, run, raw, start);
  if (!atStart) return std::nullopt;
  double lo = start, hi = start;
  bool found = *atStart == 0;
  for (double step = travel / 64; !found && step < 1e6 * travel; step *= 2) {
    for (const double sign : {1.0, -1.0}) {
      const auto there = CutOffDifference(e, run, raw, start + sign * step);
      if (found || !there || (*there > 0) == (*atStart > 0)) continue;
      (sign > 0 ? hi : lo) = start + sign * step;
      found = true;
    }
  }
  if (!found) return std::nullopt;
  const bool loPositive = lo == start ? *atStart > 0 : !(*atStart > 0);
  while (hi - lo > 1e-6 * travel) {
    const double mid = (lo + hi) / 2;
    const auto atMid = CutOffDifference(e, run, raw, mid);
    if (!atMid) return std::nullopt;
    ((*atMid > 0) == loPositive ? lo : hi) = mid;
  }
  return (lo + hi) / 2;
}

// The setting run and its centring; false with the failure when there is none.
bool SetValves(const Engine& engine, double midGear, const DesignSetting& setting, SolveMethod method,
               GearRun& run, DesignFigures& figures) {
  figures.setting.liftArmDeg = setting.angleDeg;
  if (auto failure = SolveCrankSweep(engine, midGear, setting.angleDeg, run, method)) {
    figures.failure = figures.setting.failure = failure;
    return false;
  }
  RawValve raw;
  std::copy(run.valveTable, run.valveTable + kSteps, raw.begin());
  std::optional<double> centring;
  if (setting.valve == ValveSetting::equalLeads) {
    Centre(engine, run, raw, std::nullopt);
    centring = run.valveCentre;
  } else if (method == SolveMethod::quick) {
    centring = EqualCutOffCentring(engine, run, raw);
  } else {
    Session session;
    session.Take(engine);
    const CentringOutcome outcome = FindCentring(session, setting.angleDeg, setting.valve);
    if (outcome.failure) figures.failure = figures.setting.failure = outcome.failure;
    centring = outcome.centring;
  }
  if (!centring) {
    if (!figures.failure)
      figures.failure = figures.setting.failure = MakeFailure(FailureKind::cutOffsNeverEqual);
    return false;
  }
  figures.centring = *centring;
  Centre(engine, run, raw, centring);
  figures.setting.results = run.results;
  return true;
}

// The notch's sweep and what the die does in it, which no centring changes;
// false when the gear does not assemble there.
bool SolveNotch(const Engine& engine, double midGear, double angle, SolveMethod method, GearRun& run,
                NotchFigures& notch) {
  notch.row.liftArmDeg = angle;
  if (auto failure = SolveCrankSweep(engine, midGear, angle, run, method)) {
    notch.row.failure = failure;
    return false;
  }
  const DieSpan die = MeasureDieSpan(run);
  notch.dieLow = die.dieLow;
  notch.dieHigh = die.dieHigh;
  notch.arcLow = die.arcLow;
  notch.arcHigh = die.arcHigh;
  return true;
}

// The solved notch centred as the valves were set, and for equal leads there.
void CentreNotch(const Engine& engine, double centring, GearRun& run, NotchFigures& notch) {
  RawValve raw;
  std::copy(run.valveTable, run.valveTable + kSteps, raw.begin());
  Centre(engine, run, raw, centring);
  notch.row.results = run.results;
  Centre(engine, run, raw, std::nullopt);
  notch.equalLeadEvents = AllEvents(run.results);
}

}  // namespace

DesignFigures MeasureDesign(const Engine& engine, const DesignSetting& setting,
                            const std::vector<double>& anglesDeg, SolveMethod method, int threads) {
  DesignFigures figures;
  figures.failure = EngineDataFailure(engine);
  const auto midGear = figures.failure ? std::nullopt : FindMidGearAngle(engine);
  if (!midGear) {
    if (!figures.failure) figures.failure = MakeFailure(FailureKind::midGearUnreachable);
    return figures;
  }
  figures.midGearDeg = RadiansToDegrees(*midGear);
  // The notches' sweeps need no centring: they start while the valves are
  // set, and wait for the centring only to centre their runs.
  figures.notches.resize(anglesDeg.size());
  std::latch valvesSet(1);
  bool set = false;
  const auto notchTask = [&]() -> ItemTask {
    return [&, run = std::make_shared<GearRun>()](std::size_t i) {
      const bool solved = SolveNotch(engine, *midGear, anglesDeg[i], method, *run, figures.notches[i]);
      valvesSet.wait();
      if (solved && set) CentreNotch(engine, figures.centring, *run, figures.notches[i]);
    };
  };
  const auto setValves = [&] {
    auto settingRun = std::make_unique<GearRun>();
    set = SetValves(engine, *midGear, setting, method, *settingRun, figures);
    valvesSet.count_down();
  };
  // Every notch is written before the figures are handed back.
  SpreadOverThreads(anglesDeg.size(), {threads, {}, setValves}, notchTask);
  if (!set) figures.notches.clear();
  return figures;
}

bool AllEvents(const RunResults& r) {
  return std::all_of(std::begin(r.eventFound), std::end(r.eventFound), [](bool found) { return found; });
}

std::optional<double> WorkImbalanceSize(const RunResults& results, const IndicatorParams& indicator) {
  const auto imbalance = IndicatorOf(results, indicator).workImbalancePct;
  if (!imbalance) return std::nullopt;
  return std::fabs(*imbalance);
}

namespace {

void KeepLargest(std::optional<double>& kept, double value) {
  kept = kept ? std::max(*kept, value) : value;
}

}  // namespace

DesignSummary SummariseDesign(const DesignFigures& figures, const IndicatorParams& indicator) {
  DesignSummary s;
  std::vector<StudyRow> rows;
  for (const NotchFigures& notch : figures.notches) {
    rows.push_back(notch.row);
    if (!notch.row.ok()) continue;
    const RunResults& r = notch.row.results;
    s.leadMin = std::min(s.leadMin.value_or(r.leadBack), std::min(r.leadBack, r.leadFront));
    KeepLargest(s.leadMax, std::max(r.leadBack, r.leadFront));
    KeepLargest(s.largestDieDeflection, std::fabs(r.dieDeflection));
    const auto imbalance =
        IsWorkingNotch(notch.row) ? IndicatorOf(r, indicator).workImbalancePct : std::nullopt;
    if (!imbalance) continue;
    const auto work = std::optional(std::fabs(*imbalance));
    if (!s.worstWorkImbalancePct || *work > *s.worstWorkImbalancePct)
      s.worstWorkImbalanceSignedPct = imbalance;
    KeepLargest(s.worstWorkImbalancePct, *work);
    if (notch.row.liftArmDeg > 0) KeepLargest(s.worstWorkImbalanceDownPct, *work);
    if (notch.row.liftArmDeg < 0) KeepLargest(s.worstWorkImbalanceUpPct, *work);
  }
  s.study = SummariseStudy(rows);
  return s;
}
