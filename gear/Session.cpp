// The first-run policy lives here alone: Go passes the kept centring to the
// sweep, or none on the first run, and keeps what a good run used; a reverser
// move with no centring yet takes it from the setting angle, never its own.
#include "Session.h"

#include <cmath>

#include "MidGear.h"

std::optional<GearFailure> Session::Take(const Engine& engine) {
  taken_ = true;
  engine_ = engine;
  centring_.reset();
  settingDeg_.reset();
  valveSetting_.reset();
  latest_.reset();
  midGear_.reset();
  takeFailure_ = EngineDataFailure(engine_);
  if (!takeFailure_ && !(midGear_ = FindMidGearAngle(engine_)))
    takeFailure_ = MakeFailure(FailureKind::midGearUnreachable);
  return takeFailure_;
}

RunOutcome Session::Go(double liftArmDegrees) {
  return Go(liftArmDegrees, ValveSetting::equalLeads);
}

RunOutcome Session::Go(double liftArmDegrees, ValveSetting setting) {
  // Equal leads need no search: a run without a centring centres itself so.
  std::optional<double> centring = centring_;
  if (!centring_ && setting != ValveSetting::equalLeads) {
    const CentringOutcome found = FindCentring(*this, liftArmDegrees, setting);
    if (!found.centring) return {nullptr, found.failure};
    centring = found.centring;
  }
  RunOutcome outcome = Evaluate(liftArmDegrees, centring);
  if (!outcome.ok()) return outcome;
  if (!centring_) {
    centring_ = outcome.run->valveCentre;
    settingDeg_ = liftArmDegrees;
    valveSetting_ = setting;
  }
  latest_ = outcome.run;
  return outcome;
}

ReverserMove Session::MoveReverser(double liftArmDegrees, double settingDegrees, ValveSetting setting) {
  ReverserMove move;
  if (!centring_) {
    move.outcome = Go(settingDegrees, setting);
    if (!move.outcome.ok()) return move;
    move.settingFixed = true;
  }
  move.outcome = Go(liftArmDegrees);
  return move;
}

RunOutcome Session::Evaluate(double liftArmDegrees, std::optional<double> centring) const {
  if (!std::isfinite(liftArmDegrees)) return {nullptr, MakeFailure(FailureKind::angleNotNumber)};
  if (takeFailure_) return {nullptr, takeFailure_};
  if (!taken_) return {nullptr, MakeFailure(FailureKind::noEngine)};
  return RunCrankSweep(engine_, *midGear_, liftArmDegrees, centring);
}

CentringOutcome FindCentring(const Session& session, double settingDeg, ValveSetting setting) {
  return FindCentring(
      [&session](double degrees, std::optional<double> centring) {
        return session.Evaluate(degrees, centring);
      },
      settingDeg, setting);
}
