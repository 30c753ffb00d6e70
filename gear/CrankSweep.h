// One run of the gear: the crank turned through a full revolution in 2-degree
// steps at one lifting-arm angle, the valve centred for equal leads when no
// centring is given (the first run after an engine was taken in).
#pragma once

#include <memory>
#include <optional>

#include "Engine.h"
#include "GearFailure.h"
#include "GearRun.h"
#include "GearSolver.h"

// A run, or why there is none.
struct RunOutcome {
  std::shared_ptr<const GearRun> run;  // set when every crank step assembled
  std::optional<GearFailure> failure;  // set otherwise

  bool ok() const { return run != nullptr; }
};

// Solves the 180 steps at liftArmDegrees (from mid-gear, positive downwards)
// with the arm's mid-gear direction midGearAngle (radians). The valve table is
// centred by `centring`, or when there is none by the mean of the raw valve
// positions at the two dead centres (equal leads); entry 180 repeats entry 0,
// and the events, leads and openings are computed. A failure names the crank
// angle and the member.
RunOutcome RunCrankSweep(const Engine& e, double midGearAngle, double liftArmDegrees,
                         std::optional<double> centring);

// The two halves of RunCrankSweep, for a caller that reads one solved sweep
// with several centrings or solves many sweeps into one run of its own.
// SolveCrankSweep fills the run's setting, joint and piston tables, the raw
// valve table, the link's swing and the die deflection (rows 0 to 179), every
// other figure left as it was; a failure leaves the run half-filled.
std::optional<GearFailure> SolveCrankSweep(const Engine& e, double midGearAngle, double liftArmDegrees,
                                           GearRun& run, SolveMethod method = SolveMethod::exact);
// Centres a solved run's raw valve table as RunCrankSweep does, closes the
// tables on their first entry and computes the results.
void CentreRun(const Engine& e, GearRun& run, std::optional<double> centring);
