// Runs through a Session exactly as the results window does: Take, the first
// run at the setting angle fixes the centring, and every notch is evaluated
// with it, so the figures are those a user would read after "GO".
#include "DesignFigures.h"

#include <algorithm>
#include <cmath>

#include "QuadrantStudy.h"
#include "Session.h"

namespace {

constexpr double kDefaultNotchStepDeg = 5;
constexpr std::size_t kMostNotchesPerSide = 5;

bool AllEvents(const RunResults& r) {
  return std::all_of(std::begin(r.eventFound), std::end(r.eventFound), [](bool found) { return found; });
}

}  // namespace

DesignFigures MeasureDesign(const Engine& engine, double setAngleDeg, const std::vector<double>& notchesDeg) {
  DesignFigures figures;
  Session s;
  s.Take(engine);
  const RunOutcome setting = s.Evaluate(setAngleDeg, std::nullopt);
  figures.setting = MakeStudyRow(setAngleDeg, setting);
  figures.complete = setting.ok();
  if (!figures.complete) return figures;
  const double centring = setting.run->valveCentre;
  for (const double angle : notchesDeg) {
    figures.notches.push_back(MakeStudyRow(angle, s.Evaluate(angle, centring)));
    const StudyRow& run = figures.notches.back();
    if (!run.ok() || !AllEvents(run.results)) {
      figures.complete = false;
      return figures;
    }
    const double inequality = std::fabs(run.results.eventPct[cutOffBack] - run.results.eventPct[cutOffFront]);
    figures.worstInequality = std::max(figures.worstInequality, inequality);
  }
  return figures;
}

std::vector<double> DefaultNotches(const Engine& engine, double setAngleDeg, int threads) {
  Session s;
  if (s.Take(engine)) return {};
  const QuadrantStudy study =
      RunQuadrantStudy(s, setAngleDeg, NotchPlan{true, 0, 0, kDefaultNotchStepDeg}, threads);
  std::vector<double> up, down, notches;
  for (const double angle : study.summary.workingNotchesDeg) (angle < 0 ? up : down).push_back(angle);
  for (const auto* side : {&up, &down}) {
    const std::size_t n = side->size(), k = std::min(n, kMostNotchesPerSide);
    for (std::size_t j = 0; j < k; ++j) notches.push_back((*side)[k == 1 ? 0 : j * (n - 1) / (k - 1)]);
  }
  return notches;
}

std::vector<double> SmallerPortOpenings(const DesignFigures& figures) {
  std::vector<double> smaller;
  for (const StudyRow& run : figures.notches)
    smaller.push_back(std::min(run.results.portOpenBack, run.results.portOpenFront));
  return smaller;
}

double ConstraintViolation(const DesignFigures& figures, const std::vector<double>& portFloor, double port) {
  const double scale = std::fabs(port) > 0 ? std::fabs(port) : 1;
  double violation = 0;
  for (std::size_t i = 0; i < figures.notches.size(); ++i) {
    const RunResults& r = figures.notches[i].results;
    if (i < portFloor.size())
      violation += std::max(0.0, portFloor[i] - std::min(r.portOpenBack, r.portOpenFront)) / scale;
    // A lead of exactly zero is not positive: it counts as a tiny shortfall.
    for (const double lead : {r.leadBack, r.leadFront})
      if (!(lead > 0)) violation += (1e-12 - lead) / scale;
  }
  return violation;
}
