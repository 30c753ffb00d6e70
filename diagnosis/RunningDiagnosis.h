// What the running engine says is wrong: from the events of its indicator
// cards or its exhaust beats, each cause fitted alone to the evidence (the
// valve off on its spindle, an eccentric rod long or short, an eccentric
// slipped, play in the gear) with its size, ranked by how much of the
// evidence's departure from the design it explains, and the causes the
// evidence cannot tell apart with the reading that would.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "RunningEvidence.h"
#include "SettingModel.h"
#include "WorkControl.h"

enum class Cause { spindle, rod1, rod2, advance1, advance2, play };
inline constexpr int kCauses = 6;

struct CauseFit {
  Cause cause = Cause::spindle;
  double size = 0;      // the deviation's sense and unit (Deviations.h); play: the total lost motion, >= 0
  double explains = 0;  // 1 - chi2 / chi2 of the design: the share of the evidence it accounts for
  double chi2 = 0;      // the weighted squared residuals with this cause alone
  std::string words;    // "valve off on its spindle, about 1/16 in towards the front"
};

// The gear as built with its play, all fitted together: the valve-setting
// fit's five deviations and the total lost motion b >= 0, each held near
// zero by its plausible size, as the valve-setting fit holds them.
struct FittedWithPlay {
  DeviationVector deviations{};
  double play = 0;
  double chi2 = 0;
};

struct RunningDiagnosis {
  std::string problem;  // the user's sentence when there is none
  double chi2Design = 0;
  FittedWithPlay together;
  std::vector<CauseFit> causes;        // best first
  std::vector<std::string> undecided;  // one sentence per pair the evidence cannot tell apart
  bool ok() const { return problem.empty(); }
};

// "spindle", "rod1", "rod2", "advance1", "advance2", "play": the JSON's keys.
std::string_view CauseKey(Cause cause);
// The size's unit: the length unit's symbol ("" for none) or "deg".
std::string CauseUnit(Cause cause, LengthUnit unit);

// Every evidence row must lie in the design's usable range (else the problem
// says the range). Each cause is fitted alone by Gauss-Newton steps from the
// design, the play kept at or above zero. A control, when given, counts the
// fits (all together, then each cause) and is read for a cancel between them;
// a cancelled diagnosis has the problem "Cancelled." and no causes.
RunningDiagnosis DiagnoseRunning(const SettingDesign& design, const std::vector<Evidence>& evidence,
                                 WorkControl* control = nullptr);

// The evidence figures of the gear as built with deviations d and a total
// lost motion b at the valve; empty when it does not assemble or lacks an event.
std::optional<std::vector<double>> EvidenceFigures(const SettingDesign& design, const DeviationVector& d,
                                                   double play, const std::vector<Evidence>& evidence);
