// The worn gear over the quadrant: the quadrant study of the gear's own, and
// at every notch the figures of the same runs with half the play and with the
// play given, whose range is each figure's band; and the summary's worst
// figures with the play.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "GearPlay.h"
#include "QuadrantStudy.h"
#include "RunFigures.h"

struct NotchBand {
  bool ok = false;  // the notch ran
  RunResults half, full;
  IndicatorFigures halfIndicator, fullIndicator;
};

struct PlayStudy {
  QuadrantStudy study;  // the gear's own, the plain study bit for bit
  GearPlay play;
  std::vector<NotchBand> bands;  // one per row of the study
  // The summary's figures at their worst with any play up to the given:
  // each over the gear's own working notches, the cut-off inequality the
  // largest the two ends' bands allow, the die slip the gear's own.
  StudySummary worstWithPlay;
};

// The study with the play, on `threads` threads; the levers are taken from
// each notch's own run, so the bands cost the notches' runs once.
PlayStudy RunPlayStudy(const Session& session, double settingDeg, const NotchPlan& plan, const GearPlay& play,
                       int threads, WorkControl* control = nullptr, const StudyOptions& options = {});
// The same with the usable range the caller has found already.
PlayStudy RunPlayStudy(const Session& session, double settingDeg, const NotchPlan& plan,
                       const std::optional<UsableRange>& usable, const GearPlay& play, int threads,
                       WorkControl* control = nullptr, const StudyOptions& options = {});

// The worn figures of one centred run of the gear (its joint table filled)
// with that play.
RunResults WornRunResults(const Engine& e, const GearRun& run, const GearPlay& play);

// The figures that have a band: each end's figures shown for every run, in
// the figure table's order (the band columns of the study's table and CSV).
const std::vector<const FigureSpec*>& BandFigures();

// [low, high] of a figure over the gear with no play, half and all of it;
// empty where the gear's own run lacks it.
std::optional<std::pair<double, double>> FigureBand(const FigureSpec& figure, const StudyRow& row,
                                                    const NotchBand& band);
