// A run is judged on its own tables; its angle against the usable range the
// caller found once for the engine, and only an angle past the range's end
// costs one more run, at the first notch that failed the search there.
#include "RunUsability.h"

#include <vector>

#include "Angles.h"
#include "NumberFormat.h"

namespace {

const ValveEvent kBackEvents[] = {admissionBack, cutOffBack, exhaustBack, compressionBack};
const ValveEvent kFrontEvents[] = {admissionFront, cutOffFront, exhaustFront, compressionFront};

// One end's missing events, in the order the valve makes them: "admission or
// cut-off", or "events" when it makes none there.
std::string Missing(const RunUsability& usability, const ValveEvent (&events)[4]) {
  static const char* const names[] = {"admission", "cut-off", "exhaust", "compression"};
  std::vector<std::string> missing;
  for (int i = 0; i < 4; ++i)
    if (usability.eventMissing[events[i]]) missing.push_back(names[i]);
  if (missing.size() == 4) return "events";
  std::string text;
  for (std::size_t i = 0; i < missing.size(); ++i)
    text += (i == 0 ? "" : i + 1 == missing.size() ? " or " : ", ") + missing[i];
  return text;
}

std::string Causes(const RunUsability& usability) {
  std::vector<std::string> causes;
  if (usability.dieBeyondPin) causes.push_back("the die runs past a rod pin");
  const std::string back = Missing(usability, kBackEvents), front = Missing(usability, kFrontEvents);
  if (!back.empty() && back == front) {
    causes.push_back("no " + back + " at either end");
  } else {
    if (!back.empty()) causes.push_back("no back " + back);
    if (!front.empty()) causes.push_back("no front " + front);
  }
  std::string text;
  for (std::size_t i = 0; i < causes.size(); ++i) text += (i == 0 ? "" : "; ") + causes[i];
  return text;
}

// Why the search stopped at `degrees`, as a first run there (its own
// centring) gives it; empty when that run passes.
std::string CausesAt(const Session& session, double degrees) {
  const RunOutcome outcome = session.Evaluate(degrees, std::nullopt);
  if (!outcome.ok()) return "the gear cannot be assembled";
  return Causes(JudgeRun(*outcome.run));
}

}  // namespace

bool RunUsability::usable() const {
  for (const bool missing : eventMissing)
    if (missing) return false;
  return !dieBeyondPin;
}

RunUsability JudgeRun(const GearRun& run) {
  RunUsability usability;
  for (int e = 0; e < kEvents; ++e) usability.eventMissing[e] = !run.results.eventFound[e];
  for (int k = 0; k < kSteps && !usability.dieBeyondPin; ++k) {
    const double along = DiePositionAlongLink(run, k);
    usability.dieBeyondPin = !(along >= 0 && along <= 1);
  }
  return usability;
}

std::string UsabilityNote(const Session& session, const std::optional<UsableRange>& range, const GearRun& run,
                          char decimalSeparator) {
  const std::string prefix = "Outside the usable range: ";
  const RunUsability own = JudgeRun(run);
  if (!own.usable()) return prefix + Causes(own) + ".";
  // The run keeps its angle in radians: an end notch read back may differ
  // from it in the last bits.
  const double degrees = RadiansToDegrees(run.liftArmAngle), slack = 1e-9;
  if (range && degrees >= range->loDeg - slack && degrees <= range->hiDeg + slack) return "";
  // Where the search stopped: mid-gear itself, or the first notch past the
  // end of the range on the angle's side.
  std::string where = "at mid-gear";
  double failed = 0;
  if (range) {
    const bool downwards = degrees > range->hiDeg;
    const double end = downwards ? range->hiDeg : range->loDeg;
    where = "beyond " + FormatGeneral4(end, decimalSeparator) + " deg.";
    failed = end + (downwards ? kUsableSearchStepDeg : -kUsableSearchStepDeg);
  }
  const std::string causes = CausesAt(session, failed);
  return prefix + where + (causes.empty() ? (range ? "" : ".") : " " + causes + ".");
}
