// The notches are independent runs of the session's Evaluate: worker threads
// take the next notch from one shared counter and write only that notch's row,
// so the rows do not depend on how many threads ran or in which order.
#include "QuadrantStudy.h"

#include <algorithm>
#include <cmath>
#include <thread>

#include "NumberFormat.h"

namespace {

bool Cancelled(const WorkControl* control) {
  return control != nullptr && control->cancelled();
}

std::vector<double> RangeNotches(const NotchPlan& plan) {
  const double span = (plan.hiDeg - plan.loDeg) / plan.stepDeg;
  // A limit that is a whole number of steps away counts despite rounding.
  if (!(span >= 0) || !(span < kMostNotches)) return {};
  const int count = static_cast<int>(std::floor(span + 1e-9)) + 1;
  std::vector<double> angles;
  for (int i = 0; i < count; ++i) angles.push_back(plan.loDeg + i * plan.stepDeg);
  return angles;
}

std::vector<double> AutomaticNotches(double step, const UsableRange& usable) {
  const double first = std::floor(usable.loDeg / step) + 1, last = std::ceil(usable.hiDeg / step) - 1;
  if (!(last - first < kMostNotches - 2)) return {};
  std::vector<double> angles{usable.loDeg};
  for (double k = first; k <= last; ++k)
    if (k * step > usable.loDeg && k * step < usable.hiDeg) angles.push_back(k * step);
  if (usable.hiDeg > usable.loDeg) angles.push_back(usable.hiDeg);
  return angles;
}

int ThreadCount(int threads, int notches) {
  return std::max(1, std::min(threads, notches));
}

void RunNotches(const Session& session, QuadrantStudy& study, const std::vector<double>& angles, int threads,
                WorkControl* control) {
  study.rows.resize(angles.size());
  std::atomic<std::size_t> next{0};
  const auto work = [&] {
    for (std::size_t i = next++; i < angles.size() && !Cancelled(control); i = next++) {
      study.rows[i] = MakeStudyRow(angles[i], session.Evaluate(angles[i], study.centring));
      if (control != nullptr) ++control->done;
    }
  };
  std::vector<std::thread> helpers;
  for (int t = 1; t < ThreadCount(threads, static_cast<int>(angles.size())); ++t) helpers.emplace_back(work);
  work();
  for (std::thread& helper : helpers) helper.join();
}

// The engine and the run at the setting angle, whose centring every notch
// keeps; false when the study ends there with its problem.
bool SetUp(const Session& session, QuadrantStudy& study) {
  if (session.takeFailure() || !session.taken()) {
    study.problem = StudyProblem::engineUnusable;
    study.failure = session.takeFailure().value_or(MakeFailure(FailureKind::midGearUnreachable));
    return false;
  }
  const RunOutcome setting = session.Evaluate(study.settingDeg, std::nullopt);
  if (!setting.ok()) {
    study.problem = StudyProblem::settingFails;
    study.failure = setting.failure;
    return false;
  }
  study.centring = setting.run->valveCentre;
  return true;
}

// The notches of the plan, the usable range (for an automatic plan) known.
void RunPlan(const Session& session, QuadrantStudy& study, const NotchPlan& plan, int threads,
             WorkControl* control) {
  if (Cancelled(control)) {
    study.problem = StudyProblem::cancelled;
    return;
  }
  if (plan.automatic && !study.usable) {
    study.problem = StudyProblem::noUsableRange;
    return;
  }
  const std::vector<double> angles = NotchAngles(plan, study.usable);
  if (angles.empty()) {
    study.problem = StudyProblem::badNotches;
    return;
  }
  if (control != nullptr) control->total = static_cast<int>(angles.size());
  RunNotches(session, study, angles, threads, control);
  if (Cancelled(control)) {
    study.problem = StudyProblem::cancelled;
    study.rows.clear();
    return;
  }
  study.summary = SummariseStudy(study.rows);
}

}  // namespace

std::vector<double> NotchAngles(const NotchPlan& plan, const std::optional<UsableRange>& usable) {
  if (!(plan.stepDeg > 0) || !std::isfinite(plan.stepDeg)) return {};
  if (plan.automatic) return usable ? AutomaticNotches(plan.stepDeg, *usable) : std::vector<double>{};
  if (!std::isfinite(plan.loDeg) || !std::isfinite(plan.hiDeg)) return {};
  return RangeNotches(plan);
}

StudyRow MakeStudyRow(double liftArmDeg, const RunOutcome& outcome) {
  StudyRow row;
  row.liftArmDeg = liftArmDeg;
  if (!outcome.ok()) {
    row.failure = outcome.failure;
    return row;
  }
  row.results = outcome.run->results;
  return row;
}

QuadrantStudy RunQuadrantStudy(const Session& session, double settingDeg, const NotchPlan& plan, int threads,
                               WorkControl* control) {
  QuadrantStudy study;
  study.settingDeg = settingDeg;
  if (!SetUp(session, study)) return study;
  if (plan.automatic)
    study.usable = FindUsableRange(session, threads, control != nullptr ? &control->cancel : nullptr);
  RunPlan(session, study, plan, threads, control);
  return study;
}

QuadrantStudy RunQuadrantStudy(const Session& session, double settingDeg, const NotchPlan& plan,
                               const std::optional<UsableRange>& usable, int threads, WorkControl* control) {
  QuadrantStudy study;
  study.settingDeg = settingDeg;
  study.usable = usable;
  if (SetUp(session, study)) RunPlan(session, study, plan, threads, control);
  return study;
}

std::string StudyProblemMessage(const QuadrantStudy& study) {
  switch (study.problem) {
    case StudyProblem::none:
      return "";
    case StudyProblem::engineUnusable:
      return FailureMessage(*study.failure);
    case StudyProblem::settingFails:
      return "At the setting angle " + FormatGeneral4(study.settingDeg) +
             " deg. the valve cannot be centred for equal leads. " + FailureMessage(*study.failure);
    case StudyProblem::noUsableRange:
      return "The gear has no usable range: even in mid-gear it does not assemble, the die leaves the "
             "link between the rod pins, or a valve event is missing.";
    case StudyProblem::badNotches:
      return "The notches cannot be made: the step must be above 0, the first angle must not be above the "
             "last, and there may be at most " +
             std::to_string(kMostNotches) + " notches.";
    case StudyProblem::cancelled:
      return "The study was cancelled.";
  }
  return "";
}
