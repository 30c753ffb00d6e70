// The review reuses the quadrant study's pieces: its usable-range search, its
// notch plan and its sentences for an engine that cannot be studied.
#include "GearReview.h"

#include "QuadrantStudy.h"
#include "Session.h"

namespace {

std::string SetUpProblem(const Session& session, const ReviewSetting& setting) {
  QuadrantStudy study;
  study.settingDeg = setting.angleDeg;
  study.options.valveSetting = setting.valve;
  if (session.takeFailure()) {
    study.problem = StudyProblem::engineUnusable;
    study.failure = session.takeFailure();
    return StudyProblemMessage(study);
  }
  const CentringOutcome centring = FindCentring(session, setting.angleDeg, setting.valve);
  if (centring.centring) return "";
  study.problem = StudyProblem::settingFails;
  study.failure = centring.failure.value_or(MakeFailure(FailureKind::cutOffsNeverEqual));
  return StudyProblemMessage(study);
}

}  // namespace

std::optional<Verdict> GearReview::VerdictOf(std::size_t check) const {
  if (!figures[check]) return std::nullopt;
  return Judge(ReviewChecks()[check].rule, *figures[check]);
}

GearReview ReviewGear(const Engine& engine, const ReviewSetting& setting, int threads,
                      const std::atomic<bool>* cancel) {
  GearReview review;
  review.engine = engine;
  review.setting = setting;
  Session session;
  session.Take(engine);
  review.problem = SetUpProblem(session, setting);
  if (!review.reviewed()) return review;
  const auto range = FindUsableRange(session, threads, cancel);
  if (cancel && cancel->load()) {
    review.problem = "The review was cancelled.";
    return review;
  }
  if (!range) {
    QuadrantStudy study;
    study.problem = StudyProblem::noUsableRange;
    review.problem = StudyProblemMessage(study);
    return review;
  }
  review.range = *range;
  review.notchesDeg = NotchAngles(NotchPlan{true, 0, 0, kReviewStepDeg}, range);
  review.sweep = MeasureReviewSweep(engine, setting, review.notchesDeg, threads, SolveMethod::exact, cancel);
  if (review.sweep.notches.empty()) {
    review.problem = "The review was cancelled.";
    return review;
  }
  review.figures = FiguresOf(engine, review.sweep, review.range);
  return review;
}
