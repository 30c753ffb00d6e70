// "Play...": a worn gear's play for the study, as a total lost motion at the
// valve typed in (a fitter's "1/32" too) or a play file read through the
// store; the study is made again with the bands, and "No play" drops them,
// so the study shown is the gear's own again without running it anew.
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <cmath>

#include "BoxText.h"
#include "NumberFormat.h"
#include "PlayFile.h"
#include "QtPrompter.h"
#include "Reaction.h"
#include "TStudyForm.h"

namespace {

// A length as typed: a number, or a fraction "1/32".
std::optional<double> ParseLength(const QString& typed) {
  const QStringList parts = typed.trimmed().split('/');
  if (parts.size() > 2) return std::nullopt;
  const auto top = ParseFloat(parts[0].trimmed().toStdString());
  if (parts.size() == 1 || !top) return top;
  const auto bottom = ParseFloat(parts[1].trimmed().toStdString());
  if (!bottom || !(*bottom > 0)) return std::nullopt;
  return *top / *bottom;
}

QString UnitWords(LengthUnit unit) {
  const std::string suffix = UnitSuffix(Quantity::length, unit);
  return suffix.empty() ? QString(" (the engine's length unit)") : QString::fromStdString(suffix);
}

// The joints a file gives, with their clearances.
QString JointWords(const GearPlay& play) {
  QStringList joints;
  for (std::size_t j = 0; j < kPlayJoints; ++j)
    if (play.clearance[j] > 0)
      joints << QString("%1 %2").arg(PlayJoints()[j].key, BoxText::Format(play.clearance[j]));
  return joints.isEmpty() ? QString("no joint with play") : joints.join(", ");
}

}  // namespace

void TStudyForm::BuildPlayMenu() {
  PlayMenu = new QMenu(BtPlay);
  PlayMenu->setObjectName("PlayMenu");
  BtPlay->setMenu(PlayMenu);
  PlayMenu->addAction("Total lost motion at the valve, b...", this,
                      Reaction([this](bool) { AskPlayTotal(); }));
  PlayMenu->addAction("Joints' clearances from a play file (joint,clearance)...", this,
                      Reaction([this](bool) { AskPlayFile(); }));
  PlayMenu->addSeparator();
  QAction* none =
      PlayMenu->addAction("No play (the gear as built)", this, Reaction([this](bool) { ClearPlay(); }));
  connect(PlayMenu, &QMenu::aboutToShow, this, [this, none] { none->setEnabled(play_.has_value()); });
}

void TStudyForm::AskPlayTotal() {
  const QString unit = UnitWords(model_.lengthUnit());
  const QString current = play_ && play_->total ? BoxText::Format(*play_->total) : QString();
  bool ok = false;
  const QString typed = QInputDialog::getText(this, "Play",
                                              "Total lost motion at the valve, b" + unit +
                                                  ", as a fitter reads it at the spindle\n"
                                                  "(a number, or a fraction such as 1/32):",
                                              QLineEdit::Normal, current, &ok);
  if (!ok) return;
  const auto b = ParseLength(typed);
  if (!b || !std::isfinite(*b) || *b < 0)
    return AppPrompter().Inform("Message", QString("\"%1\" is no length of at least 0: type the lost motion "
                                                   "b%2, such as 0.03125 or 1/32.")
                                               .arg(typed, unit)
                                               .toStdString());
  SetPlayTotal(*b);
}

void TStudyForm::AskPlayFile() {
  const QString path = QFileDialog::getOpenFileName(this, "The joints' clearances (joint,clearance)",
                                                    QDir::currentPath(), "Play files (*.csv);;All files (*)");
  if (!path.isEmpty()) OpenPlayFile(path);
}

bool TStudyForm::SetPlayTotal(double lostMotion) {
  GearPlay play;
  play.total = lostMotion;
  return TakePlay(play, QString("b = %1%2 of lost motion at the valve")
                            .arg(BoxText::Format(lostMotion), UnitWords(model_.lengthUnit())));
}

bool TStudyForm::OpenPlayFile(const QString& path) {
  const PlayRead read = ReadPlayFile(path.toStdString());
  if (!read.ok()) {
    AppPrompter().Inform("Message", read.problem);
    return false;
  }
  return TakePlay(read.play, QString("%1: %2").arg(QFileInfo(path).fileName(), JointWords(read.play)));
}

bool TStudyForm::TakePlay(const GearPlay& play, const QString& words) {
  if (model_.session().taken())
    if (const std::string problem = PlayProblem(play, model_.session().engine()); !problem.empty()) {
      AppPrompter().Inform("Message", "The play cannot be put on this engine: " + problem + ".");
      return false;
    }
  play_ = play;
  playWords_ = words;
  Restudy();
  return true;
}

std::optional<GearPlay> TStudyForm::PlayForStudy(QString* why) const {
  if (!play_) return std::nullopt;
  const std::string problem = PlayProblem(*play_, model_.session().engine());
  if (problem.empty()) return play_;
  *why = QString("The play (%1) does not fit this engine: %2; studied without it.")
             .arg(playWords_, QString::fromStdString(problem));
  return std::nullopt;
}

void TStudyForm::ClearPlay() {
  play_.reset();
  playWords_.clear();
  playRefusal_.clear();
  // A study on its way carries the bands; the one shown needs only to lose them.
  if (jobs_.busy()) return Restudy();
  played_.reset();
  ShowPlayed();
}

void TStudyForm::ShowPlayed() {
  tableModel_.SetBands(played_ ? played_->bands : std::vector<NotchBand>{});
  ShowStudies();
  if (!haveStudy_) return;
  ShowSummary();
  UpdateMarker();  // the plots were drawn afresh, their marker and diagrams too
}
