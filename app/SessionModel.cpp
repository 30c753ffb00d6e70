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

void SessionModel::ShowAnimationStep(int step, int markerHalf) {
  emit animationStepShown(step, markerHalf);
}
