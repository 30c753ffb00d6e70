// A quadrant study: every notch of the lifting arm run as a later "GO" with the
// valve centred at one setting angle, for equal leads or equal cut-offs (the
// same Evaluate, bit for bit), the notches spread over the threads the caller
// gives, each notch's indicator figures, and their summary.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "GearFailure.h"
#include "IndicatorDiagram.h"
#include "Session.h"
#include "StudySummary.h"
#include "UsableRange.h"
#include "ValveSetting.h"
#include "WorkControl.h"

// Which notches: from lo to hi by step, or with `automatic` the usable range's
// ends and every multiple of step between them. A notch is written as typed:
// lo plus a whole number of steps (or a multiple of step) rounded to the
// decimals of lo and step, and a last notch a whole number of steps from lo is hi.
struct NotchPlan {
  bool automatic = true;
  double loDeg = 0, hiDeg = 0;
  double stepDeg = 1;
};

// How the valve is set at the setting angle, and the indicator diagrams' parameters.
struct StudyOptions {
  ValveSetting valveSetting = ValveSetting::equalLeads;
  IndicatorParams indicator;
};

inline constexpr int kMostNotches = 10001;

enum class StudyProblem {
  none,
  engineUnusable,  // the engine taken has no mid-gear (failure says why)
  settingFails,    // the valve cannot be set at the setting angle (failure says where or why)
  noUsableRange,   // not even mid-gear is usable (midGearFault says why)
  badNotches,  // step not above 0 or lost in rounding, limits reversed or not numbers, or too many notches
  cancelled,
};

struct QuadrantStudy {
  StudyProblem problem = StudyProblem::none;
  std::optional<GearFailure> failure;  // for engineUnusable and settingFails
  double settingDeg = 0;
  StudyOptions options;
  double centring = 0;                // of the setting run, kept for every notch
  std::string midGearFault;           // for noUsableRange: what fails in mid-gear, and where
  std::optional<UsableRange> usable;  // found for an automatic plan
  std::vector<StudyRow> rows;         // in order of angle
  StudySummary summary;
};

// The notch angles of a plan, strictly increasing; empty when the plan is
// unusable, when its step is too small to change the angle at its limits, or
// when it would give more than kMostNotches.
std::vector<double> NotchAngles(const NotchPlan& plan, const std::optional<UsableRange>& usable);

// The row of a notch from its outcome, with its indicator figures.
StudyRow MakeStudyRow(double liftArmDeg, const RunOutcome& outcome, const IndicatorParams& indicator = {});

// Runs the study on `threads` threads (at least one); the rows are the same
// for any number. An automatic plan searches the usable range first. The
// session is only read (Evaluate), so no Take or Go may run on it meanwhile.
// The control, when given, counts the notches (done of total) and stops the
// study when its flag is raised. The options' parameters must be sound
// (IndicatorParamsProblem), else every indicator figure is empty.
QuadrantStudy RunQuadrantStudy(const Session& session, double settingDeg, const NotchPlan& plan, int threads,
                               WorkControl* control = nullptr, const StudyOptions& options = {});

// The same with the usable range the caller has found already (none: the
// gear has none), so it is never searched twice; the study keeps it whatever
// the plan.
QuadrantStudy RunQuadrantStudy(const Session& session, double settingDeg, const NotchPlan& plan,
                               const std::optional<UsableRange>& usable, int threads,
                               WorkControl* control = nullptr, const StudyOptions& options = {});

// Called on the worker thread of each notch with its index among the rows and
// its run, for a caller that reads more off the runs than the rows keep (the
// worn gear's bands); it may be called from several threads at once.
using NotchObserver = std::function<void(std::size_t index, const RunOutcome& outcome)>;

// RunQuadrantStudy (the usable range searched for an automatic plan) with
// every notch's run shown to `observer`; the study is the same as without it.
QuadrantStudy RunObservedStudy(const Session& session, double settingDeg, const NotchPlan& plan, int threads,
                               WorkControl* control, const StudyOptions& options,
                               const NotchObserver& observer);
// The same with the usable range the caller has found already.
QuadrantStudy RunObservedStudy(const Session& session, double settingDeg, const NotchPlan& plan,
                               const std::optional<UsableRange>& usable, int threads, WorkControl* control,
                               const StudyOptions& options, const NotchObserver& observer);

// The run at the setting angle as the study makes it: the valve centred there as
// the options say (for equal leads exactly as the first "GO" there).
RunOutcome SettingRun(const Session& session, const QuadrantStudy& study);

// The user's sentence for a study that has a problem; empty for none.
std::string StudyProblemMessage(const QuadrantStudy& study);
