// The notches are independent: worker threads take the next one from a shared
// counter and write only its own entry, so the figures do not depend on how
// many threads ran. The setting's centring comes from the same arithmetic the
// study's FindCentring uses (equal leads: the setting run's own centring).
#include "ReviewSweep.h"

#include <algorithm>
#include <array>
#include <memory>

#include "Angles.h"
#include "CrankSweep.h"
#include "IndicatorDiagram.h"
#include "MidGear.h"
#include "NotchThreads.h"
#include "Session.h"
#include "SlotPosition.h"
#include "UsableRange.h"

namespace {

using RawValve = std::array<double, kSteps>;

bool AllEventsFound(const RunResults& r) {
  return std::all_of(std::begin(r.eventFound), std::end(r.eventFound), [](bool found) { return found; });
}

std::optional<double> SettingCentring(const Engine& engine, double midGear, const ReviewSetting& setting,
                                      ReviewSweep& sweep) {
  if (setting.valve == ValveSetting::equalLeads) {
    const RunOutcome outcome = RunCrankSweep(engine, midGear, setting.angleDeg, std::nullopt);
    if (!outcome.ok()) sweep.failure = outcome.failure;
    return outcome.ok() ? std::optional(outcome.run->valveCentre) : std::nullopt;
  }
  Session session;
  session.Take(engine);
  const CentringOutcome outcome = FindCentring(session, setting.angleDeg, setting.valve);
  if (!outcome.centring)
    sweep.failure = outcome.failure.value_or(MakeFailure(FailureKind::cutOffsNeverEqual));
  return outcome.centring;
}

// The notch of a solved run, its valve table raw as the solution left it.
ReviewNotch FinishNotch(const Engine& engine, double angle, double centring, GearRun& run) {
  ReviewNotch notch;
  notch.row.liftArmDeg = angle;
  const DieSpan die = MeasureDieSpan(run);
  notch.dieLow = die.dieLow;
  notch.dieHigh = die.dieHigh;
  notch.arcLow = die.arcLow;
  notch.arcHigh = die.arcHigh;
  RawValve raw;
  std::copy(run.valveTable, run.valveTable + kSteps, raw.begin());
  CentreRun(engine, run, centring);
  notch.row.results = run.results;
  notch.row.indicator = IndicatorOf(run.results, IndicatorParams{});
  std::copy(raw.begin(), raw.end(), run.valveTable);
  CentreRun(engine, run, std::nullopt);
  notch.equalLeadEvents = AllEventsFound(run.results);
  return notch;
}

ReviewNotch MeasureNotch(const Engine& engine, double midGear, double angle, double centring,
                         SolveMethod method, GearRun& run) {
  if (auto failure = SolveCrankSweep(engine, midGear, angle, run, method)) {
    ReviewNotch notch;
    notch.row.liftArmDeg = angle;
    notch.row.failure = failure;
    return notch;
  }
  return FinishNotch(engine, angle, centring, run);
}

}  // namespace

bool ReviewSweep::allUsable() const {
  return !failure &&
         std::all_of(notches.begin(), notches.end(), [](const ReviewNotch& n) { return n.usable(); });
}

std::optional<UsableRange> TrimToUsable(ReviewSweep& sweep) {
  auto& n = sweep.notches;
  const auto mid =
      std::find_if(n.begin(), n.end(), [](const ReviewNotch& x) { return x.row.liftArmDeg == 0; });
  if (sweep.failure || mid == n.end() || !mid->usable()) return std::nullopt;
  auto first = mid, last = mid + 1;
  while (first != n.begin() && (first - 1)->usable()) --first;
  while (last != n.end() && last->usable()) ++last;
  n.erase(last, n.end());
  n.erase(n.begin(), first);
  return UsableRange{n.front().row.liftArmDeg, n.back().row.liftArmDeg};
}

std::vector<ReviewNotch> MeasureReviewNotches(const Engine& engine, double midGear, double centring,
                                              const std::vector<double>& anglesDeg, int threads,
                                              SolveMethod method, const std::atomic<bool>* cancel) {
  std::vector<ReviewNotch> notches(anglesDeg.size());
  const auto notchTask = [&]() -> ItemTask {
    return [&, run = std::make_shared<GearRun>()](std::size_t i) {
      notches[i] = MeasureNotch(engine, midGear, anglesDeg[i], centring, method, *run);
    };
  };
  SpreadOverThreads(anglesDeg.size(), {threads, [cancel] { return cancel && cancel->load(); }, {}},
                    notchTask);
  return notches;
}

std::vector<std::vector<ReviewNotch>> MeasureValveVariants(const std::vector<Engine>& engines, double midGear,
                                                           const std::vector<double>& centrings,
                                                           const std::vector<double>& anglesDeg,
                                                           const std::atomic<bool>* cancel) {
  std::vector<std::vector<ReviewNotch>> notches(engines.size(), std::vector<ReviewNotch>(anglesDeg.size()));
  auto run = std::make_unique<GearRun>();
  for (std::size_t i = 0; i < anglesDeg.size() && !(cancel && cancel->load()); ++i) {
    const auto failure = SolveCrankSweep(engines.front(), midGear, anglesDeg[i], *run, SolveMethod::exact);
    RawValve raw;
    std::copy(run->valveTable, run->valveTable + kSteps, raw.begin());
    for (std::size_t e = 0; e < engines.size(); ++e) {
      if (!failure) {
        std::copy(raw.begin(), raw.end(), run->valveTable);
        notches[e][i] = FinishNotch(engines[e], anglesDeg[i], centrings[e], *run);
        continue;
      }
      notches[e][i].row.liftArmDeg = anglesDeg[i];
      notches[e][i].row.failure = failure;
    }
  }
  return notches;
}

ReviewSweep MeasureReviewSweep(const Engine& engine, const ReviewSetting& setting,
                               const std::vector<double>& anglesDeg, int threads, SolveMethod method,
                               const std::atomic<bool>* cancel) {
  ReviewSweep sweep;
  sweep.failure = EngineDataFailure(engine);
  const auto midGear = sweep.failure ? std::nullopt : FindMidGearAngle(engine);
  if (!midGear) {
    if (!sweep.failure) sweep.failure = MakeFailure(FailureKind::midGearUnreachable);
    return sweep;
  }
  sweep.midGearRad = *midGear;
  sweep.midGearDeg = RadiansToDegrees(*midGear);
  const auto centring = SettingCentring(engine, *midGear, setting, sweep);
  if (!centring) return sweep;
  sweep.centring = *centring;
  sweep.notches = MeasureReviewNotches(engine, *midGear, sweep.centring, anglesDeg, threads, method, cancel);
  if (cancel && cancel->load()) sweep.notches.clear();
  return sweep;
}
