// Accept or re-bush: the worn gear judged by the gear review's own checks.
// Every notch of the review is run with the play (the valve held behind its
// dead band), each check's figure taken afresh and set against the gear's
// own; the joints ranked by their effect on the deciding figure per unit of
// clearance, each with the clearance at which the verdict would change.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "GearPlay.h"
#include "GearReview.h"
#include "Quantity.h"

// accept: no check loses a grade; watch: one loses a grade but none becomes
// poor; rebush: a check the gear's own passes becomes poor with the play.
enum class PlayVerdictKind { accept, watch, rebush };

struct JointEffect {
  std::string joint;     // a PlayJoints key, or "total" for a total lost motion given
  std::string words;     // the fitter's name for it
  double clearance = 0;  // as given
  // The deciding figure's change per unit of this joint's clearance (the
  // check's unit per length unit).
  double perUnit = 0;
  // The clearance of this joint, the others as given, at which the verdict
  // changes: for rebush the largest it may keep (down to which it must be
  // bushed), otherwise the least that makes it worse; empty when none in
  // reach does.
  std::optional<double> clearanceAtChange;
};

struct PlayVerdict {
  std::string problem;  // why there is no verdict; empty when there is one
  PlayVerdictKind verdict = PlayVerdictKind::accept;
  std::size_t check = 0;  // the deciding check (ReviewChecks)
  std::optional<double> ownFigure, wornFigure;
  std::vector<std::size_t> worse;   // the checks that lose a grade with the play
  std::vector<JointEffect> joints;  // most effect first
  std::string words;
};

// The verdict on the reviewed gear with this play (PlayProblem already
// checked); `unit` relates the clearances to the published running fits.
PlayVerdict JudgePlay(const GearReview& review, const GearPlay& play, LengthUnit unit, int threads);

const char* PlayVerdictKey(PlayVerdictKind verdict);
