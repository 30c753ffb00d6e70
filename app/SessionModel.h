// The design session as the windows see it: it owns the Qt-free Session and
// announces with signals what changed, so that each window redraws its own
// controls from it and no window drives another.
#pragma once

#include <QObject>
#include <QString>
#include <optional>

#include "Session.h"

class SessionModel : public QObject {
  Q_OBJECT

 public:
  explicit SessionModel(QObject* parent = nullptr) : QObject(parent) {}

  const Session& session() const { return session_; }
  // The engine's name as the data-entry window shows it now; the other
  // windows show it under their pictures.
  const QString& shownName() const { return shownName_; }
  void SetShownName(const QString& name) { shownName_ = name; }

  // "GET  RESULTS": takes the engine in (centring cleared) and announces it.
  std::optional<GearFailure> TakeEngine(const Engine& engine);
  // "GO": runs the gear; a good run is kept and announced.
  RunOutcome Go(double liftArmDegrees);
  // The live reverser: the run at liftArmDegrees as a later "GO" with the
  // centring kept. With no centring yet, the run at settingDegrees fixes it
  // first, as a first "GO" there would. Good runs are kept and announced,
  // reverserMoved before runChanged.
  RunOutcome MoveReverser(double liftArmDegrees, double settingDegrees);
  // The reverser was let go at the latest run.
  void ReleaseReverser();
  // The animation has drawn crank step `step` with a marker of that half size.
  void ShowAnimationStep(int step, int markerHalf);

 signals:
  void engineTaken();
  void runChanged();
  void reverserMoved(double liftArmDegrees);
  void reverserReleased();
  void animationStepShown(int step, int markerHalf);

 private:
  Session session_;
  QString shownName_;
};
