// The dead band is the play (backlash) operator. Once the driven valve has
// passed both ends of its travel the valve's position no longer depends on
// where it started, so a second revolution is the steady one; more are run
// only where the band is wider than the travel.
#include "DeadBand.h"

#include <algorithm>
#include <memory>

#include "ValveEvents.h"

namespace {

constexpr int kMostRevolutions = 8;

}  // namespace

LostMotion LostMotionOf(const GearPlay& play, const PlayLevers& levers) {
  LostMotion b{};
  if (play.total) {
    b.fill(*play.total);
    return b;
  }
  for (std::size_t j = 0; j < kPlayJoints; ++j) {
    const double c = play.clearance[j];
    if (c == 0) continue;
    for (int k = 0; k < kSteps; ++k) b[k] += c * levers.Size(PlayJoints()[j].lever, k);
  }
  return b;
}

void HoldBehindDeadBand(GearRun& run, const LostMotion& b) {
  std::array<double, kSteps> driven;
  std::copy(run.valveTable, run.valveTable + kSteps, driven.begin());
  double valve = driven[0];
  for (int revolution = 0; revolution < kMostRevolutions; ++revolution) {
    const double start = valve;
    for (int k = 0; k < kSteps; ++k) {
      valve = std::clamp(valve, driven[k] - b[k] / 2, driven[k] + b[k] / 2);
      run.valveTable[k] = valve;
    }
    if (revolution > 0 && valve == start) break;
  }
  run.valveTable[kSteps] = run.valveTable[0];
}

RunResults WornResults(const Engine& e, const GearRun& centred, const LostMotion& b) {
  auto worn = std::make_unique<GearRun>(centred);
  HoldBehindDeadBand(*worn, b);
  return ComputeRunResults(e, *worn);
}
