// The sweep runs on a scratch copy so that a gear that comes apart part-way
// round leaves the previous run's tables, centring and first-run mark intact
// for the windows that show them.
#include "CrankSweep.h"

#include <cmath>
#include <memory>

#include "Angles.h"
#include "GearSolver.h"
#include "MidGear.h"

GearStatus RunCrankSweep(GearState& s, double liftArmDegrees) {
  if (!std::isfinite(liftArmDegrees)) return GearStatus::Failure("The lifting-arm angle is not a number.");
  const GearStatus numbers = CheckEngineNumbers(s);
  if (!numbers.ok) return numbers;
  // Without a mid-gear position the lifting-arm angle has nothing to count from.
  if (!FindMidGearAngle(s)) return MidGearFailure();
  auto run = std::make_unique<GearState>(s);
  run->liftArmAngle = DegreesToRadians(liftArmDegrees);
  if (!std::isfinite(run->liftArmAngle)) return GearStatus::Failure("The lifting-arm angle is too large.");
  run->runDir = run->liftArmAngle < 0 ? -1 : 1;
  run->linkAngleMin = run->linkAngleMax = 0;
  for (int k = 0; k < kSteps; ++k) {
    run->crankStep = k;
    const GearStatus step = SolveGearStep(*run, run->runDir);
    if (!step.ok) return step;
  }
  if (run->firstRun) {
    run->valveCentre = (run->valveTable[0] + run->valveTable[90]) * 0.5;
    run->firstRun = false;
  }
  for (int k = 0; k < kSteps; ++k) run->valveTable[k] = run->valveTable[k] - run->valveCentre;
  run->pistonTable[kSteps] = run->pistonTable[0];
  run->valveTable[kSteps] = run->valveTable[0];
  s = std::move(*run);
  return GearStatus::Success();
}
