// One design session: the engine taken in, its mid-gear direction, the valve
// centring (none until the first good run) and the latest run. "GET  RESULTS"
// is Take, "GO" is Go, the live reverser MoveReverser; studies call Evaluate,
// which changes nothing.
#pragma once

#include <memory>
#include <optional>

#include "CrankSweep.h"
#include "Engine.h"
#include "GearFailure.h"
#include "ValveSetting.h"

// A move of the live reverser: the run at its angle, and whether a good run at
// the setting angle first fixed the centring (then the latest run is that
// setting run when the move itself failed).
struct ReverserMove {
  RunOutcome outcome;
  bool settingFixed = false;
};

class Session {
 public:
  // Takes the engine in and finds the mid-gear direction of its lifting arm;
  // the centring and the latest run are cleared. The engine is kept even when
  // it cannot be set in mid-gear (then its runs fail with the same reason).
  std::optional<GearFailure> Take(const Engine& engine);

  // Runs the gear at liftArmDegrees. The first good run after Take centres the
  // valve for equal leads at that angle and the centring is kept for later
  // runs; only a good run changes the session.
  RunOutcome Go(double liftArmDegrees);
  // As Go, but a first run centres the valve for `setting` at liftArmDegrees
  // (FindCentring); a failure to find that centring is the run's failure.
  RunOutcome Go(double liftArmDegrees, ValveSetting setting);

  // The run at liftArmDegrees as a later Go with the kept centring gives it.
  // With no centring yet, Go(settingDegrees, setting) fixes it first, as a
  // first "GO" at the setting angle would; when that fails, nothing changes.
  ReverserMove MoveReverser(double liftArmDegrees, double settingDegrees,
                            ValveSetting setting = ValveSetting::equalLeads);

  // The run that Go would give at liftArmDegrees with this centring (none:
  // centred for equal leads there), without changing the session. Several
  // threads may call it at once, while no Take or Go runs.
  RunOutcome Evaluate(double liftArmDegrees, std::optional<double> centring) const;

  bool taken() const { return taken_; }
  const Engine& engine() const { return engine_; }
  // Radians below the horizontal; empty when the engine has no mid-gear.
  std::optional<double> midGearAngle() const { return midGear_; }
  // Why the engine taken has no mid-gear (or unusable numbers); empty otherwise.
  std::optional<GearFailure> takeFailure() const { return takeFailure_; }
  std::optional<double> centring() const { return centring_; }
  // The lifting-arm angle (degrees) of the run that fixed the centring.
  std::optional<double> settingAngleDeg() const { return settingDeg_; }
  // How the kept centring was found.
  std::optional<ValveSetting> valveSetting() const { return valveSetting_; }
  const std::shared_ptr<const GearRun>& latestRun() const { return latest_; }

 private:
  bool taken_ = false;
  Engine engine_;
  std::optional<double> midGear_;
  std::optional<GearFailure> takeFailure_;
  std::optional<double> centring_;
  std::optional<double> settingDeg_;
  std::optional<ValveSetting> valveSetting_;
  std::shared_ptr<const GearRun> latest_;
};

// The centring at settingDeg for `setting` (ValveSetting's FindCentring) from
// the session's own runs.
CentringOutcome FindCentring(const Session& session, double settingDeg, ValveSetting setting);
