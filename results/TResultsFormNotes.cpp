// The results window's words around the figures: the choice of valve setting
// for the first run, the notes and caption that name the setting in use, and
// the note on a run outside the usable range, judged on the run itself.
#include <QFontMetrics>
#include <QStringList>
#include <algorithm>

#include "BoxText.h"
#include "Controls.h"
#include "TResultsForm.h"
#include "UsableRange.h"

namespace {

QStringList FirstRunLines(ValveSetting setting) {
  const QString equalised = setting == ValveSetting::equalCutOff ? "cut-offs" : "leads";
  return {" NOTE: For the first run choose the lifting arm position at which the " + equalised,
          " at each end of the cylinder are to be equalised. You will subsequently be",
          " able to changethe lifting arm position whilst retaining this initial setting.", " "};
}

QStringList LaterRunLines(ValveSetting setting) {
  if (setting == ValveSetting::equalCutOff)
    return {" Equal cut-offs at each end of the cylinder have been set at the lifting arm position ",
            " initially chosen for this run. (see below *) If you wish to change the lifting arm ",
            "position for equal cut-offs, go back to 'GET RESULTS' on the DATA ENTRY form."};
  return {" Equal leads at  each end of the cylinder have beenset at the lifting arm position ",
          " initially chosen  for this run. (see below *) If you wish to change the lifting arm ",
          "position for equal leads, go back to  'GET RESULTS' on the DATA ENTRY form."};
}

void SetLines(QPlainTextEdit* memo, const QStringList& lines) {
  if (memo->toPlainText() != lines.join('\n')) memo->setPlainText(lines.join('\n'));
}

}  // namespace

void TResultsForm::BuildValveSettingChoice() {
  // Above the angle box, in the room the first-run note leaves; the later-run
  // note covers it once the setting is kept.
  settingCaption_ = Controls::Label(this, "Valve setting", 378, 13);
  CbValveSetting = new QComboBox(this);
  CbValveSetting->setObjectName("CbValveSetting");
  CbValveSetting->setFont(Controls::Font());
  CbValveSetting->addItem("equal leads", static_cast<int>(ValveSetting::equalLeads));
  CbValveSetting->addItem("equal cut-off", static_cast<int>(ValveSetting::equalCutOff));
  CbValveSetting->setGeometry(376, 28, 82, 22);
  CbValveSetting->setToolTip(
      "How the first GO sets the valves at its lifting-arm angle: for equal leads at the two ends of "
      "the cylinder, or for equal cut-offs (the valves set in the running notch). Later runs keep it.");
  connect(CbValveSetting, &QComboBox::currentIndexChanged, this, [this](int) { ShowSettingTexts(); });
}

ValveSetting TResultsForm::ChosenSetting() const {
  return static_cast<ValveSetting>(CbValveSetting->currentData().toInt());
}

void TResultsForm::ShowFirstRunNote() {
  MXleads->hide();
  MLeads->show();
  settingCaption_->show();
  CbValveSetting->show();
  ShowSettingTexts();
}

void TResultsForm::ShowLaterRunNote() {
  MLeads->hide();
  settingCaption_->hide();
  CbValveSetting->hide();
  MXleads->show();
  ShowSettingTexts();
}

void TResultsForm::ShowSettingTexts() {
  const ValveSetting setting = model_.session().valveSetting().value_or(ChosenSetting());
  SetLines(MLeads, FirstRunLines(ChosenSetting()));
  SetLines(MXleads, LaterRunLines(setting));
  eqldsCaption_->setText(setting == ValveSetting::equalCutOff
                             ? "* Lifting arm angle  for equal cut-offs set at "
                             : "* Lifting arm angle  for equal leads set at ");
  eqldsCaption_->adjustSize();
  LbEqlds->move(std::max(215, eqldsCaption_->geometry().right() + 1), LbEqlds->y());
}

void TResultsForm::ShowUsability(const GearRun& run) {
  const Session& session = model_.session();
  if (!usableFound_) {
    usable_ = FindUsableRange(session, 2);
    usableFound_ = true;
  }
  const QString note =
      QString::fromStdString(UsabilityNote(session, usable_, run, BoxText::DecimalSeparator()));
  LbUsable->setToolTip(note);
  // Up to the diagram: a longer note takes the narrow face, and one longer
  // still is cut short (its tooltip holds it whole).
  const int room = Oval->x() - 4 - LbUsable->x();
  QFont font = Controls::Font();
  if (QFontMetrics(font).horizontalAdvance(note) > room) font = Controls::NarrowFont();
  LbUsable->setFont(font);
  LbUsable->setText(QFontMetrics(font).elidedText(note, Qt::ElideRight, room));
  LbUsable->adjustSize();
}
