// A figure of the worn gear moves one way as the lost motion grows (every
// event of an end is later, every lead and opening smaller), so the gear's
// own, half the play and the play given bound it for every smaller play of
// the joints; half the play is kept for figures that are not monotonic.
#include "PlayBands.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <mutex>

#include "DeadBand.h"

namespace {

NotchBand BandOf(const Engine& e, const GearRun& run, const GearPlay& play,
                 const IndicatorParams& indicator) {
  NotchBand band;
  band.ok = true;
  const bool needsLevers = !play.total && !play.none();
  const PlayLevers levers = needsLevers ? LeversOf(e, run) : PlayLevers{};
  const LostMotion full = LostMotionOf(play, levers);
  LostMotion half;
  for (int k = 0; k < kSteps; ++k) half[k] = full[k] / 2;
  band.half = WornResults(e, run, half);
  band.full = WornResults(e, run, full);
  band.halfIndicator = IndicatorOf(band.half, indicator);
  band.fullIndicator = IndicatorOf(band.full, indicator);
  return band;
}

void KeepLargest(std::optional<double>& kept, double value) {
  kept = kept ? std::max(*kept, value) : value;
}

void KeepSmallest(std::optional<double>& kept, double value) {
  kept = kept ? std::min(*kept, value) : value;
}

void KeepLargestSize(std::optional<double>& kept, const std::optional<double>& value) {
  if (value && (!kept || std::fabs(*value) > std::fabs(*kept))) kept = value;
}

double Extreme(const FigureSpec& f, const StudyRow& row, const NotchBand& band, bool high) {
  const auto b = FigureBand(f, row, band);
  return high ? b->second : b->first;
}

// The worst of each summary figure over the working notches, each end's
// figure anywhere in its band.
StudySummary WorstWithPlay(const QuadrantStudy& study, const std::vector<NotchBand>& bands) {
  StudySummary s;
  const FigureSpec &cutB = *FindFigure("cutOffBack"), &cutF = *FindFigure("cutOffFront");
  const FigureSpec &leadB = *FindFigure("leadBack"), &leadF = *FindFigure("leadFront");
  const FigureSpec &portB = *FindFigure("maxPortOpeningBack"), &portF = *FindFigure("maxPortOpeningFront");
  for (std::size_t i = 0; i < study.rows.size(); ++i) {
    const StudyRow& row = study.rows[i];
    const NotchBand& band = bands[i];
    if (!IsWorkingNotch(row) || !band.ok) continue;
    s.workingNotchesDeg.push_back(row.liftArmDeg);
    const double inequality =
        std::max(std::fabs(Extreme(cutB, row, band, true) - Extreme(cutF, row, band, false)),
                 std::fabs(Extreme(cutB, row, band, false) - Extreme(cutF, row, band, true)));
    KeepLargest(s.worstInequality, inequality);
    if (row.liftArmDeg > 0) KeepLargest(s.worstInequalityDown, inequality);
    if (row.liftArmDeg < 0) KeepLargest(s.worstInequalityUp, inequality);
    KeepSmallest(s.leadMin, std::min(Extreme(leadB, row, band, false), Extreme(leadF, row, band, false)));
    KeepLargest(s.leadMax, std::max(Extreme(leadB, row, band, true), Extreme(leadF, row, band, true)));
    KeepSmallest(s.smallestPortOpening,
                 std::min(Extreme(portB, row, band, false), Extreme(portF, row, band, false)));
    for (const IndicatorFigures* f : {&row.indicator, &band.halfIndicator, &band.fullIndicator})
      KeepLargestSize(s.worstWorkImbalancePct, f->workImbalancePct);
    KeepLargest(s.worstDieSlip, row.results.dieSlip);
  }
  return s;
}

}  // namespace

RunResults WornRunResults(const Engine& e, const GearRun& run, const GearPlay& play) {
  const bool needsLevers = !play.total && !play.none();
  return WornResults(e, run, LostMotionOf(play, needsLevers ? LeversOf(e, run) : PlayLevers{}));
}

const std::vector<const FigureSpec*>& BandFigures() {
  static const std::vector<const FigureSpec*> figures = [] {
    std::vector<const FigureSpec*> ends;
    for (const FigureSpec& f : RunFigures())
      if (f.end != CylinderEnd::none && f.resultsWindow) ends.push_back(&f);
    return ends;
  }();
  return figures;
}

std::optional<std::pair<double, double>> FigureBand(const FigureSpec& figure, const StudyRow& row,
                                                    const NotchBand& band) {
  const auto own = figure.Of(row.results);
  if (!row.ok() || !band.ok || !own) return std::nullopt;
  std::pair<double, double> range{*own, *own};
  for (const RunResults* worn : {&band.half, &band.full}) {
    if (const auto value = figure.Of(*worn)) {
      range.first = std::min(range.first, *value);
      range.second = std::max(range.second, *value);
    }
  }
  return range;
}

namespace {

// The study `run` makes with an observer that takes each notch's bands.
PlayStudy ObservedPlayStudy(const Engine& e, const GearPlay& play, const IndicatorParams& indicator,
                            const std::function<QuadrantStudy(const NotchObserver&)>& run) {
  PlayStudy result;
  result.play = play;
  std::mutex bandsLock;
  const NotchObserver observer = [&](std::size_t index, const RunOutcome& outcome) {
    const NotchBand band = outcome.ok() ? BandOf(e, *outcome.run, play, indicator) : NotchBand{};
    const std::lock_guard<std::mutex> hold(bandsLock);
    if (result.bands.size() <= index) result.bands.resize(index + 1);
    result.bands[index] = band;
  };
  result.study = run(observer);
  result.bands.resize(result.study.rows.size());
  result.worstWithPlay = WorstWithPlay(result.study, result.bands);
  return result;
}

}  // namespace

PlayStudy RunPlayStudy(const Session& session, double settingDeg, const NotchPlan& plan, const GearPlay& play,
                       int threads, WorkControl* control, const StudyOptions& options) {
  return ObservedPlayStudy(session.engine(), play, options.indicator, [&](const NotchObserver& observer) {
    return RunObservedStudy(session, settingDeg, plan, threads, control, options, observer);
  });
}

PlayStudy RunPlayStudy(const Session& session, double settingDeg, const NotchPlan& plan,
                       const std::optional<UsableRange>& usable, const GearPlay& play, int threads,
                       WorkControl* control, const StudyOptions& options) {
  return ObservedPlayStudy(session.engine(), play, options.indicator, [&](const NotchObserver& observer) {
    return RunObservedStudy(session, settingDeg, plan, usable, threads, control, options, observer);
  });
}
