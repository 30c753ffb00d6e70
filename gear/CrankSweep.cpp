// A sweep solves into a run it was given; RunCrankSweep gives it a fresh one,
// so a gear that comes apart part-way round gives only the failure and nothing
// half-solved escapes.
#include "CrankSweep.h"

#include <cmath>

#include "Angles.h"
#include "SlotPosition.h"
#include "ValveEvents.h"

std::optional<GearFailure> SolveCrankSweep(const Engine& e, double midGearAngle, double liftArmDegrees,
                                           GearRun& run, SolveMethod method) {
  if (!std::isfinite(liftArmDegrees)) return MakeFailure(FailureKind::angleNotNumber);
  if (auto failure = EngineDataFailure(e)) return failure;
  run.midGearAngle = midGearAngle;
  run.liftArmDeg = liftArmDegrees;
  run.liftArmAngle = DegreesToRadians(liftArmDegrees);
  if (!std::isfinite(run.liftArmAngle)) return MakeFailure(FailureKind::angleTooLarge);
  run.runDir = run.liftArmAngle < 0 ? -1 : 1;
  // The swing is measured from the link's upright position, as in a fresh run.
  run.linkAngleMin = 0;
  run.linkAngleMax = 0;
  run.dieDeflection = 0;
  GearWork work{e, run, method};
  for (int k = 0; k < kSteps; ++k)
    if (auto failure = SolveGearStep(work, k)) return failure;
  run.dieSlip = DieSlip(run);
  return std::nullopt;
}

void CentreRun(const Engine& e, GearRun& run, std::optional<double> centring) {
  // A gear as built keeps the centring given (the design's) with its valve
  // moved on the spindle; it is never centred again, as a real valve is not.
  run.valveCentre = centring ? *centring - e.asBuilt.spindle : (run.valveTable[0] + run.valveTable[90]) * 0.5;
  for (int k = 0; k < kSteps; ++k) run.valveTable[k] = run.valveTable[k] - run.valveCentre;
  run.pistonTable[kSteps] = run.pistonTable[0];
  run.valveTable[kSteps] = run.valveTable[0];
  ComputeRunResults(e, run);
}

RunOutcome RunCrankSweep(const Engine& e, double midGearAngle, double liftArmDegrees,
                         std::optional<double> centring) {
  auto run = std::make_shared<GearRun>();
  if (auto failure = SolveCrankSweep(e, midGearAngle, liftArmDegrees, *run)) return {nullptr, failure};
  CentreRun(e, *run, centring);
  return {std::move(run), std::nullopt};
}
