// A quadrant study: every notch of the lifting arm run as a later "GO" with the
// valve centred for equal leads at one setting angle (the same Evaluate, bit
// for bit), the notches spread over the threads the caller gives, and their summary.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "GearFailure.h"
#include "Session.h"
#include "StudySummary.h"
#include "UsableRange.h"
#include "WorkControl.h"

// Which notches: from lo to hi by step, or with `automatic` the usable range's
// ends and every multiple of step between them.
struct NotchPlan {
  bool automatic = true;
  double loDeg = 0, hiDeg = 0;
  double stepDeg = 1;
};

inline constexpr int kMostNotches = 10001;

enum class StudyProblem {
  none,
  engineUnusable,  // the engine taken has no mid-gear (failure says why)
  settingFails,    // the gear does not assemble at the setting angle (failure says where)
  noUsableRange,   // not even mid-gear is usable
  badNotches,      // step not above 0, limits reversed or not numbers, or too many notches
  cancelled,
};

struct QuadrantStudy {
  StudyProblem problem = StudyProblem::none;
  std::optional<GearFailure> failure;  // for engineUnusable and settingFails
  double settingDeg = 0;
  double centring = 0;                // of the setting run, kept for every notch
  std::optional<UsableRange> usable;  // found for an automatic plan
  std::vector<StudyRow> rows;         // in order of angle
  StudySummary summary;
};

// The notch angles of a plan, in increasing order; empty when the plan is
// unusable or would give more than kMostNotches.
std::vector<double> NotchAngles(const NotchPlan& plan, const std::optional<UsableRange>& usable);

// The row of a notch from its outcome.
StudyRow MakeStudyRow(double liftArmDeg, const RunOutcome& outcome);

// Runs the study on `threads` threads (at least one); the rows are the same
// for any number. An automatic plan searches the usable range first. The
// session is only read (Evaluate), so no Take or Go may run on it meanwhile.
// The control, when given, counts the notches (done of total) and stops the
// study when its flag is raised.
QuadrantStudy RunQuadrantStudy(const Session& session, double settingDeg, const NotchPlan& plan, int threads,
                               WorkControl* control = nullptr);

// The same with the usable range the caller has found already (none: the
// gear has none), so it is never searched twice; the study keeps it whatever
// the plan.
QuadrantStudy RunQuadrantStudy(const Session& session, double settingDeg, const NotchPlan& plan,
                               const std::optional<UsableRange>& usable, int threads,
                               WorkControl* control = nullptr);

// The user's sentence for a study that has a problem; empty for none.
std::string StudyProblemMessage(const QuadrantStudy& study);
