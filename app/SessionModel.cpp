// Every change goes through the session first and is announced afterwards, so
// an observer always reads the state it is told about.
#include "SessionModel.h"

std::optional<GearFailure> SessionModel::TakeEngine(const Engine& engine) {
  auto failure = session_.Take(engine);
  emit engineTaken();
  return failure;
}

RunOutcome SessionModel::Go(double liftArmDegrees) {
  RunOutcome outcome = session_.Go(liftArmDegrees);
  if (outcome.ok()) emit runChanged();
  return outcome;
}

RunOutcome SessionModel::MoveReverser(double liftArmDegrees, double settingDegrees) {
  if (!session_.centring()) {
    const RunOutcome setting = session_.Go(settingDegrees);
    if (!setting.ok()) return setting;
    // Shown as a first "GO" there, so the equal-lead angle is the setting's.
    emit reverserMoved(settingDegrees);
    emit runChanged();
  }
  RunOutcome outcome = session_.Go(liftArmDegrees);
  if (!outcome.ok()) return outcome;
  emit reverserMoved(liftArmDegrees);
  emit runChanged();
  return outcome;
}

void SessionModel::ReleaseReverser() {
  if (session_.latestRun()) emit reverserReleased();
}

void SessionModel::ShowAnimationStep(int step, int markerHalf) {
  emit animationStepShown(step, markerHalf);
}
