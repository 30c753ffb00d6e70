// The sweep fills a fresh run, so a gear that comes apart part-way round
// gives only the failure and nothing half-solved escapes.
#include "CrankSweep.h"

#include <cmath>

#include "Angles.h"
#include "GearSolver.h"
#include "ValveEvents.h"

RunOutcome RunCrankSweep(const Engine& e, double midGearAngle, double liftArmDegrees,
                         std::optional<double> centring) {
  if (!std::isfinite(liftArmDegrees)) return {nullptr, MakeFailure(FailureKind::angleNotNumber)};
  if (!HasFiniteNumbers(e)) return {nullptr, MakeFailure(FailureKind::nonFiniteEngine)};
  auto run = std::make_shared<GearRun>();
  run->midGearAngle = midGearAngle;
  run->liftArmAngle = DegreesToRadians(liftArmDegrees);
  if (!std::isfinite(run->liftArmAngle)) return {nullptr, MakeFailure(FailureKind::angleTooLarge)};
  run->runDir = run->liftArmAngle < 0 ? -1 : 1;
  GearWork work{e, *run};
  for (int k = 0; k < kSteps; ++k)
    if (auto failure = SolveGearStep(work, k)) return {nullptr, failure};
  run->valveCentre = centring ? *centring : (run->valveTable[0] + run->valveTable[90]) * 0.5;
  for (int k = 0; k < kSteps; ++k) run->valveTable[k] = run->valveTable[k] - run->valveCentre;
  run->pistonTable[kSteps] = run->pistonTable[0];
  run->valveTable[kSteps] = run->valveTable[0];
  ComputeRunResults(e, *run);
  return {std::move(run), std::nullopt};
}
