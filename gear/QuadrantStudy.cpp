// The notches are independent runs of the session's Evaluate: worker threads
// take the next notch from one shared counter and write only that notch's row,
// so the rows do not depend on how many threads ran or in which order.
#include "QuadrantStudy.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "NotchThreads.h"
#include "NumberFormat.h"
#include "RunFigures.h"

namespace {

constexpr int kMostTypedDecimals = 15;

bool Cancelled(const WorkControl* control) {
  return control != nullptr && control->cancelled();
}

// The double nearest the value written with that many decimals.
double RoundedTo(double value, int decimals) {
  char text[400];  // the largest double has 309 digits before the point
  const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
  double rounded = value;
  if (written.ec == std::errc()) std::from_chars(text, written.ptr, rounded);
  return rounded;
}

// The fewest decimals that write the value exactly as the double it is; -1
// when it has no short decimal form (a third).
int TypedDecimals(double value) {
  for (int decimals = 0; decimals <= kMostTypedDecimals; ++decimals)
    if (RoundedTo(value, decimals) == value) return decimals;
  return -1;
}

// Rounds every angle to the decimals, and refuses a list whose angles do not
// strictly increase: a step too fine for the doubles at their size.
std::vector<double> AsTyped(std::vector<double> angles, int decimals) {
  if (decimals >= 0)
    for (double& angle : angles) angle = RoundedTo(angle, decimals);
  for (std::size_t i = 1; i < angles.size(); ++i)
    if (!(angles[i] > angles[i - 1])) return {};
  return angles;
}

std::vector<double> RangeNotches(const NotchPlan& plan) {
  // A step lost in rounding at either limit would repeat one notch.
  if (!(plan.loDeg + plan.stepDeg > plan.loDeg) || !(plan.hiDeg + plan.stepDeg > plan.hiDeg)) return {};
  const double span = (plan.hiDeg - plan.loDeg) / plan.stepDeg;
  if (!(span >= 0) || !(span < kMostNotches)) return {};
  // A limit that is a whole number of steps away counts despite rounding.
  const bool reachesHi = std::fabs(span - std::round(span)) < 1e-9;
  const int count = static_cast<int>(reachesHi ? std::round(span) : std::floor(span)) + 1;
  if (count > kMostNotches) return {};
  std::vector<double> angles;
  for (int i = 0; i < count; ++i) angles.push_back(plan.loDeg + i * plan.stepDeg);
  const int lo = TypedDecimals(plan.loDeg), step = TypedDecimals(plan.stepDeg);
  angles = AsTyped(std::move(angles), lo < 0 || step < 0 ? -1 : std::max(lo, step));
  if (reachesHi && !angles.empty()) angles.back() = plan.hiDeg;
  return angles;
}

std::vector<double> AutomaticNotches(double step, const UsableRange& usable) {
  const double first = std::floor(usable.loDeg / step) + 1, last = std::ceil(usable.hiDeg / step) - 1;
  if (!(last - first < kMostNotches - 2)) return {};
  std::vector<double> multiples;
  for (double k = first; k <= last; ++k) multiples.push_back(k * step);
  multiples = AsTyped(std::move(multiples), TypedDecimals(step));
  std::vector<double> angles{usable.loDeg};
  for (const double angle : multiples)
    if (angle > usable.loDeg && angle < usable.hiDeg) angles.push_back(angle);
  if (usable.hiDeg > usable.loDeg) angles.push_back(usable.hiDeg);
  return angles;
}

void RunNotches(const Session& session, QuadrantStudy& study, const std::vector<double>& angles, int threads,
                WorkControl* control, const NotchObserver* observer) {
  study.rows.resize(angles.size());
  const ItemTask notch = [&](std::size_t i) {
    const RunOutcome outcome = session.Evaluate(angles[i], study.centring);
    study.rows[i] = MakeStudyRow(angles[i], outcome, study.options.indicator);
    if (observer != nullptr) (*observer)(i, outcome);
    if (control != nullptr) ++control->done;
  };
  SpreadOverThreads(angles.size(), {threads, [control] { return Cancelled(control); }, {}}, notch);
}

// The engine and the centring at the setting angle, which every notch keeps;
// false when the study ends there with its problem.
bool SetUp(const Session& session, QuadrantStudy& study) {
  if (session.takeFailure() || !session.taken()) {
    study.problem = StudyProblem::engineUnusable;
    study.failure = session.takeFailure().value_or(MakeFailure(FailureKind::midGearUnreachable));
    return false;
  }
  const CentringOutcome setting = FindCentring(session, study.settingDeg, study.options.valveSetting);
  if (!setting.centring) {
    study.problem = StudyProblem::settingFails;
    study.failure = setting.failure;
    return false;
  }
  study.centring = *setting.centring;
  return true;
}

// Why the run in mid-gear is not usable: where it fails, the first event it
// lacks, or the first crank angle at which the die leaves the rod pins.
std::string MidGearFault(const Session& session) {
  const RunOutcome outcome = session.Evaluate(0, std::nullopt);
  if (!outcome.ok()) return FailureMessage(*outcome.failure);
  for (const FigureSpec& f : RunFigures())
    if (f.event >= 0 && !outcome.run->results.eventFound[f.event])
      return std::string("In mid-gear the valve event \"") + f.caption + "\" does not occur.";
  for (int k = 0; k < kSteps; ++k) {
    const double along = DiePositionAlongLink(*outcome.run, k);
    if (!(along >= 0 && along <= 1))
      return "In mid-gear the die leaves the link between the rod pins at crank angle " +
             std::to_string(2 * k) + " deg.";
  }
  return "";
}

// The notches of the plan, the usable range (for an automatic plan) known.
void RunPlan(const Session& session, QuadrantStudy& study, const NotchPlan& plan, int threads,
             WorkControl* control, const NotchObserver* observer = nullptr) {
  if (Cancelled(control)) {
    study.problem = StudyProblem::cancelled;
    return;
  }
  if (plan.automatic && !study.usable) {
    study.problem = StudyProblem::noUsableRange;
    study.midGearFault = MidGearFault(session);
    return;
  }
  const std::vector<double> angles = NotchAngles(plan, study.usable);
  if (angles.empty()) {
    study.problem = StudyProblem::badNotches;
    return;
  }
  if (control != nullptr) control->total = static_cast<int>(angles.size());
  RunNotches(session, study, angles, threads, control, observer);
  if (Cancelled(control)) {
    study.problem = StudyProblem::cancelled;
    study.rows.clear();
    return;
  }
  study.summary = SummariseStudy(study.rows);
}

std::string SettingFailsMessage(const QuadrantStudy& study) {
  const std::string at = "At the setting angle " + FormatGeneral4(study.settingDeg) + " deg.";
  if (study.failure->kind == FailureKind::cutOffsNeverEqual)
    return at + " no centring of the valve gives equal back and front cut-offs.";
  const bool leads = study.options.valveSetting == ValveSetting::equalLeads;
  return at + " the valve cannot be centred for " + (leads ? "equal leads. " : "equal cut-offs. ") +
         FailureMessage(*study.failure);
}

}  // namespace

std::vector<double> NotchAngles(const NotchPlan& plan, const std::optional<UsableRange>& usable) {
  if (!(plan.stepDeg > 0) || !std::isfinite(plan.stepDeg)) return {};
  if (plan.automatic) return usable ? AutomaticNotches(plan.stepDeg, *usable) : std::vector<double>{};
  if (!std::isfinite(plan.loDeg) || !std::isfinite(plan.hiDeg)) return {};
  return RangeNotches(plan);
}

StudyRow MakeStudyRow(double liftArmDeg, const RunOutcome& outcome, const IndicatorParams& indicator) {
  StudyRow row;
  row.liftArmDeg = liftArmDeg;
  if (!outcome.ok()) {
    row.failure = outcome.failure;
    return row;
  }
  row.results = outcome.run->results;
  row.indicator = IndicatorOf(row.results, indicator);
  return row;
}

QuadrantStudy RunQuadrantStudy(const Session& session, double settingDeg, const NotchPlan& plan, int threads,
                               WorkControl* control, const StudyOptions& options) {
  return RunObservedStudy(session, settingDeg, plan, threads, control, options, nullptr);
}

QuadrantStudy RunObservedStudy(const Session& session, double settingDeg, const NotchPlan& plan, int threads,
                               WorkControl* control, const StudyOptions& options,
                               const NotchObserver& observer) {
  QuadrantStudy study;
  study.settingDeg = settingDeg;
  study.options = options;
  if (!SetUp(session, study)) return study;
  if (plan.automatic)
    study.usable = FindUsableRange(session, threads, control != nullptr ? &control->cancel : nullptr);
  RunPlan(session, study, plan, threads, control, observer ? &observer : nullptr);
  return study;
}

QuadrantStudy RunQuadrantStudy(const Session& session, double settingDeg, const NotchPlan& plan,
                               const std::optional<UsableRange>& usable, int threads, WorkControl* control,
                               const StudyOptions& options) {
  return RunObservedStudy(session, settingDeg, plan, usable, threads, control, options, nullptr);
}

QuadrantStudy RunObservedStudy(const Session& session, double settingDeg, const NotchPlan& plan,
                               const std::optional<UsableRange>& usable, int threads, WorkControl* control,
                               const StudyOptions& options, const NotchObserver& observer) {
  QuadrantStudy study;
  study.settingDeg = settingDeg;
  study.options = options;
  study.usable = usable;
  if (SetUp(session, study)) RunPlan(session, study, plan, threads, control, observer ? &observer : nullptr);
  return study;
}

RunOutcome SettingRun(const Session& session, const QuadrantStudy& study) {
  if (study.options.valveSetting == ValveSetting::equalLeads)
    return session.Evaluate(study.settingDeg, std::nullopt);
  return session.Evaluate(study.settingDeg, study.centring);
}

std::string StudyProblemMessage(const QuadrantStudy& study) {
  switch (study.problem) {
    case StudyProblem::none:
      return "";
    case StudyProblem::engineUnusable:
      return FailureMessage(*study.failure);
    case StudyProblem::settingFails:
      return SettingFailsMessage(study);
    case StudyProblem::noUsableRange:
      return study.midGearFault.empty()
                 ? "The gear has no usable range: even in mid-gear it does not assemble, the die leaves the "
                   "link between the rod pins, or a valve event is missing."
                 : "The gear has no usable range. " + study.midGearFault;
    case StudyProblem::badNotches:
      return "The notches cannot be made: the step must be above 0 and large enough to change the angles, "
             "the first angle must not be above the last, and there may be at most " +
             std::to_string(kMostNotches) + " notches.";
    case StudyProblem::cancelled:
      return "The study was cancelled.";
  }
  return "";
}
