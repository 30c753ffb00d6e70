// The review reuses the quadrant study's pieces: its usable-range search, its
// notch plan and its sentences for an engine that cannot be studied.
#include "GearReview.h"

#include <algorithm>

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

// Each side's notches a chunk at a time outwards from mid-gear, up to the
// first that is not usable or the search's limit: the usable range's search,
// whose every notch is measured once and kept.
void MeasureSide(const Engine& engine, double midGear, double sign, int threads,
                 const std::atomic<bool>* cancel, ReviewSweep& sweep) {
  constexpr int kChunk = 8;
  const int last = static_cast<int>(kUsableSearchLimitDeg / kReviewStepDeg);
  for (int first = 1; first <= last && !(cancel && cancel->load()); first += kChunk) {
    std::vector<double> angles;
    for (int k = first; k < first + kChunk && k <= last; ++k) angles.push_back(sign * k * kReviewStepDeg);
    const auto notches =
        MeasureReviewNotches(engine, midGear, sweep.centring, angles, threads, SolveMethod::exact, cancel);
    sweep.notches.insert(sweep.notches.end(), notches.begin(), notches.end());
    if (!std::all_of(notches.begin(), notches.end(), [](const ReviewNotch& n) { return n.usable(); })) return;
  }
}

ReviewSweep MeasureOutwards(const Engine& engine, const ReviewSetting& setting, int threads,
                            const std::atomic<bool>* cancel) {
  ReviewSweep sweep = MeasureReviewSweep(engine, setting, {0}, threads, SolveMethod::exact, cancel);
  if (sweep.failure || sweep.notches.empty() || !sweep.notches.front().usable()) return sweep;
  const double midGear = sweep.midGearRad;
  MeasureSide(engine, midGear, -1, threads, cancel, sweep);
  std::reverse(sweep.notches.begin(), sweep.notches.end());
  MeasureSide(engine, midGear, 1, threads, cancel, sweep);
  return sweep;
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
  review.sweep = MeasureOutwards(engine, setting, threads, cancel);
  if (cancel && cancel->load()) {
    review.problem = "The review was cancelled.";
    return review;
  }
  const auto range = TrimToUsable(review.sweep);
  if (!range) {
    QuadrantStudy study;
    study.problem = StudyProblem::noUsableRange;
    review.problem = StudyProblemMessage(study);
    return review;
  }
  review.range = *range;
  for (const ReviewNotch& notch : review.sweep.notches) review.notchesDeg.push_back(notch.row.liftArmDeg);
  review.figures = FiguresOf(engine, review.sweep, review.range);
  return review;
}
