// The live reverser. A move only records the latest angle and asks for one
// run at the next turn of the event loop, so however fast the slider moves,
// one run is computed per turn and nothing queues up; results.txt is written
// when the slider is let go. The indicator diagrams follow the handle: the
// window runs its own copy of the studied sessions there (one crank sweep
// each), so they follow also where the RESULTS window keeps another setting.
#include <algorithm>

#include "Angles.h"
#include "BoxText.h"
#include "Reaction.h"
#include "StudySummary.h"
#include "TStudyForm.h"

bool TStudyForm::ReverserDrivesSession() const {
  const Session& session = model_.session();
  // The RESULTS window's runs keep the valves set as the session's first run
  // set them (a first move sets them as this study does): the reverser moves
  // them only when this study was set the same way at the same angle.
  if (!session.centring()) return true;
  return session.settingAngleDeg() == study_.settingDeg &&
         session.valveSetting() == study_.options.valveSetting;
}

QString TStudyForm::ReverserOnlyHere() const {
  const Session& session = model_.session();
  const auto setting = session.settingAngleDeg();
  const bool cutOffs = session.valveSetting() == ValveSetting::equalCutOff;
  const QString results = setting ? QString("The RESULTS window keeps equal %1 set at %2 deg.")
                                        .arg(cutOffs ? "cut-offs" : "leads", BoxText::Format(*setting))
                                  : QString("The RESULTS window sets the valves at its first run");
  return results + "; the reverser moves this window only.";
}

void TStudyForm::UpdateReverser() {
  const bool studied = haveStudy_ && study_.problem == StudyProblem::none && study_.usable;
  Reverser->setEnabled(studied);
  if (!studied) {
    LbReverser->clear();
    LbReverserNote->clear();
  }
}

void TStudyForm::UpdateMarker() {
  const auto& latest = model_.session().latestRun();
  if (ReverserDrivesSession() && latest) {
    const double degrees = RadiansToDegrees(latest->liftArmAngle);
    std::optional<double> mean = MeanCutOff(latest->results);
    Charts->SetMarker(degrees, mean);
    if (!Reverser->isSliderDown()) {
      const QSignalBlocker quiet(Reverser);
      Reverser->setValue(SliderValue(degrees));
    }
  }
  ShowReverserRun();
}

RunOutcome TStudyForm::RunAtHandle(double degrees) const {
  // Where the reverser has just driven the session, its run is this one, bit for bit.
  const auto& latest = model_.session().latestRun();
  if (ReverserDrivesSession() && latest && std::fabs(RadiansToDegrees(latest->liftArmAngle) - degrees) < 1e-9)
    return {latest, std::nullopt};
  return studySession_.Evaluate(degrees, study_.centring);
}

void TStudyForm::ShowReverserRun() {
  if (!Reverser->isEnabled()) return Charts->ShowIndicator(std::nullopt, nullptr, nullptr);
  const double degrees = SliderAngle(Reverser->value());
  LbReverser->setText(BoxText::Format(degrees) + " deg.");
  const RunOutcome run = RunAtHandle(degrees);
  std::optional<RunOutcome> compared;
  if (compared_ && compared_->problem == StudyProblem::none)
    compared = comparedSession_->Evaluate(degrees, compared_->centring);
  Charts->ShowIndicator(degrees, run.ok() ? &run.run->results : nullptr,
                        compared && compared->ok() ? &compared->run->results : nullptr);
  const bool drives = ReverserDrivesSession();
  if (!drives) Charts->SetMarker(degrees, run.ok() ? MeanCutOff(run.run->results) : std::nullopt);
  // Said beside the slider: a message box would stop the drag.
  QString note;
  const auto& latest = model_.session().latestRun();
  if (!run.ok())
    note = QString("At %1 deg.: %2")
               .arg(BoxText::Format(degrees), QString::fromStdString(FailureMessage(*run.failure)));
  else if (!drives)
    note = ReverserOnlyHere();
  else if (latest && SliderValue(RadiansToDegrees(latest->liftArmAngle)) != Reverser->value() &&
           !Reverser->isSliderDown())
    note = QString("The RESULTS window is at %1 deg., outside the usable range.")
               .arg(BoxText::Format(RadiansToDegrees(latest->liftArmAngle)));
  LbReverserNote->setText(note);
  const int row = tableModel_.RowNearest(degrees);
  if (row >= 0) Table->selectRow(row);
}

void TStudyForm::ReverserChanged(int value) {
  pendingAngle_ = SliderAngle(value);
  LbReverser->setText(BoxText::Format(*pendingAngle_) + " deg.");
  // A key or a click on the groove is a move and a release at once.
  if (!Reverser->isSliderDown()) releasePending_ = true;
  ScheduleMove();
}

void TStudyForm::ReverserLetGo() {
  releasePending_ = true;
  ScheduleMove();
}

void TStudyForm::ScheduleMove() {
  if (moveScheduled_) return;
  moveScheduled_ = true;
  QTimer::singleShot(0, this, Reaction([this] { MovePending(); }));
}

void TStudyForm::MovePending() {
  moveScheduled_ = false;
  if (!Reverser->isEnabled()) pendingAngle_.reset();  // a new study is on its way
  const bool drives = ReverserDrivesSession();
  if (pendingAngle_) {
    const double degrees = *pendingAngle_;
    pendingAngle_.reset();
    // A good run of the session is announced, and its announcement redraws
    // this window; otherwise the window shows its own run there.
    if (!drives || !model_.MoveReverser(degrees, study_.settingDeg, study_.options.valveSetting).ok())
      ShowReverserRun();
  }
  if (releasePending_ && !Reverser->isSliderDown()) {
    releasePending_ = false;
    if (drives) model_.ReleaseReverser();
  }
}

void TStudyForm::PlotClicked(int plot, QPoint pixel) {
  if (!Reverser->isEnabled()) return;
  const auto angle = Charts->AngleAt(plot, pixel);
  if (!angle) return;
  const int value = std::clamp(SliderValue(*angle), Reverser->minimum(), Reverser->maximum());
  if (value == Reverser->value()) return ReverserChanged(value);
  Reverser->setValue(value);
}
