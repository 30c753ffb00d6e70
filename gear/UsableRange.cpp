// Each side of mid-gear is an independent walk outwards, so the two sides run
// side by side; a walk stops at the first angle that fails, as a designer
// notching the lever out would. A run's note takes its angle against the range
// the caller found once for the engine, and only an angle past the range's end
// costs one more run, at the first notch that failed the search there.
#include "UsableRange.h"

#include <thread>

#include "Angles.h"
#include "NumberFormat.h"

namespace {

bool UsableAt(const Session& session, double degrees) {
  const RunOutcome outcome = session.Evaluate(degrees, std::nullopt);
  return outcome.ok() && IsUsableRun(*outcome.run);
}

// The last usable angle walking from mid-gear in direction `sense`.
double WalkOut(const Session& session, int sense, const std::atomic<bool>* cancel) {
  double last = 0;
  for (int i = 1; i * kUsableSearchStepDeg <= kUsableSearchLimitDeg; ++i) {
    if (cancel != nullptr && cancel->load()) break;
    const double degrees = sense * i * kUsableSearchStepDeg;
    if (!UsableAt(session, degrees)) break;
    last = degrees;
  }
  return last;
}

// Why the search stopped at `degrees`, as a first run there (its own
// centring) gives it; empty when that run passes.
std::string CausesAt(const Session& session, double degrees) {
  const RunOutcome outcome = session.Evaluate(degrees, std::nullopt);
  if (!outcome.ok()) return "the gear cannot be assembled";
  return UnusableCauses(JudgeRun(*outcome.run));
}

}  // namespace

std::optional<UsableRange> FindUsableRange(const Session& session, int threads,
                                           const std::atomic<bool>* cancel) {
  if (!UsableAt(session, 0)) return std::nullopt;
  UsableRange range{0, 0};
  if (threads >= 2) {
    std::thread up([&] { range.loDeg = WalkOut(session, -1, cancel); });
    range.hiDeg = WalkOut(session, +1, cancel);
    up.join();
  } else {
    range.loDeg = WalkOut(session, -1, cancel);
    range.hiDeg = WalkOut(session, +1, cancel);
  }
  if (cancel != nullptr && cancel->load()) return std::nullopt;
  return range;
}

std::string UsabilityNote(const Session& session, const std::optional<UsableRange>& range, const GearRun& run,
                          char decimalSeparator) {
  const std::string prefix = "Outside the usable range: ";
  const RunUsability own = JudgeRun(run);
  if (!own.usable()) return prefix + UnusableCauses(own) + ".";
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
