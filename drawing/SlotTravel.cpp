// The joints do not depend on the valve's centring, so the runs are evaluated
// with the session's centring as they stand; the range's two ends are always
// among them.
#include "SlotTravel.h"

#include <algorithm>
#include <cmath>

#include "SlotPosition.h"

std::pair<double, double> DieExtremes(const GearRun& run) {
  double lowest = DieAlongSlot(run, 0), highest = lowest;
  for (int k = 1; k < kSteps; ++k) {
    lowest = std::min(lowest, DieAlongSlot(run, k));
    highest = std::max(highest, DieAlongSlot(run, k));
  }
  return {lowest, highest};
}

std::optional<SlotTravel> FindSlotTravel(const Session& session, const UsableRange& range) {
  SlotTravel travel{range.loDeg, range.hiDeg, INFINITY, -INFINITY, 0, 0};
  const int steps = static_cast<int>(std::ceil(range.hiDeg - range.loDeg));
  for (int i = 0; i <= steps; ++i) {
    const double angle = i == steps ? range.hiDeg : range.loDeg + i;
    const RunOutcome outcome = session.Evaluate(angle, session.centring());
    if (!outcome.ok()) continue;
    const auto [lowest, highest] = DieExtremes(*outcome.run);
    travel.lowest = std::min(travel.lowest, lowest);
    travel.highest = std::max(travel.highest, highest);
    travel.worstSlip = std::max(travel.worstSlip, outcome.run->results.dieSlip);
    travel.pinAlong = PinAlongSlot(*outcome.run, 0, pin1);
  }
  if (!(travel.lowest <= travel.highest)) return std::nullopt;
  return travel;
}
