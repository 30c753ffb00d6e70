// Each side of mid-gear is an independent walk outwards, so the two sides run
// side by side; a walk stops at the first angle that fails, as a designer
// notching the lever out would.
#include "UsableRange.h"

#include <cmath>
#include <thread>

#include "RunUsability.h"

double DiePositionAlongLink(const GearRun& run, int step) {
  const JointTable& t = run.joints;
  const Point centre = t.At(step, linkCentre), dieAt = t.At(step, die);
  const Point p1 = t.At(step, pin1), p2 = t.At(step, pin2);
  const auto radius = [&](Point p) { return std::hypot(p.x - centre.x, p.y - centre.y); };
  const double outwards = radius(dieAt) / radius(p1);
  const auto onSlot = [&](Point p) {
    return Point{centre.x + (p.x - centre.x) * outwards, centre.y + (p.y - centre.y) * outwards};
  };
  const Point top = onSlot(p1), bottom = onSlot(p2);
  const double chordX = top.x - bottom.x, chordY = top.y - bottom.y;
  return ((dieAt.x - bottom.x) * chordX + (dieAt.y - bottom.y) * chordY) /
         (chordX * chordX + chordY * chordY);
}

bool IsUsableRun(const GearRun& run) {
  return JudgeRun(run).usable();
}

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
