// The results window's controls at their laid-out places and its reactions;
// "GO" runs the gear through the session model, and only a run that assembled
// at every crank step changes what the window shows.
#include "TResultsForm.h"

#include <QEvent>
#include <QMenu>
#include <QVBoxLayout>
#include <cmath>

#include "BoxText.h"
#include "Controls.h"
#include "MidGear.h"
#include "QtPrompter.h"
#include "Reaction.h"
#include "WindowPlacement.h"
#include "WindowPrinter.h"

TResultsForm::TResultsForm(SessionModel& model, QWidget* parent)
    : QWidget(parent, Qt::Window), model_(model) {
  setObjectName("ResultsForm");
  setProperty("helpTopic", "results");  // the help page F1 opens
  setWindowTitle("RESULTS");
  setFont(Controls::Font());
  BuildControls();
  BuildEventLabels();
  ConnectReactions();
  connect(&model_, &SessionModel::engineTaken, this, Reaction([this] { EngineTaken(); }));
  connect(&model_, &SessionModel::runChanged, this, Reaction([this] { RunChanged(); }));
  connect(&model_, &SessionModel::reverserMoved, this,
          Reaction([this](double degrees) { ReverserMoved(degrees); }));
  connect(&model_, &SessionModel::resultsNotWritten, this,
          Reaction([](const QString& message) { AppPrompter().Inform("Message", message.toStdString()); }));
  connect(&model_, &SessionModel::lengthUnitChanged, this, Reaction([this] { LengthUnitChanged(); }));
  connect(&model_, &SessionModel::animationStepShown, this,
          Reaction([this](int step, int markerHalf) { MarkAnimationStep(step, markerHalf); }));
  WindowPlacement::PlaceOuter(this, {6, 89}, {599, 371});
}

QLabel* TResultsForm::ResultLabel(int left, int top, const char* name) {
  QLabel* label = Controls::Label(this, "", left, top);
  label->setObjectName(name);
  return label;
}

void TResultsForm::BuildControls() {
  Controls::Label(this, "ENGINE:", 182, 0, true);
  LbName = ResultLabel(241, 0, "LbName");
  LbName->setFont(Controls::Font(true));
  LbName->setMinimumWidth(200);
  MLeads =
      Controls::Memo(this, 13, 13, 358, 46,
                     {" NOTE: For the first run choose the lifting arm position at which the leads",
                      " at each end of the cylinder are to be equalised. You will subsequently be",
                      " able to changethe lifting arm position whilst retaining this initial setting.", " "});
  MXleads =
      Controls::Memo(this, 13, 13, 397, 46,
                     {" Equal leads at  each end of the cylinder have beenset at the lifting arm position ",
                      " initially chosen  for this run. (see below *) If you wish to change the lifting arm ",
                      "position for equal leads, go back to  'GET RESULTS' on the DATA ENTRY form."});
  for (QPlainTextEdit* memo : {MLeads, MXleads}) {
    memo->setReadOnly(true);
    memo->setFocusPolicy(Qt::NoFocus);
  }
  MLeads->hide();
  BtGo = Controls::Button(this, "GO", 462, 7, 60, 20);
  BtAnima = Controls::Button(this, "ANIMATE", 462, 39, 60, 20);
  BtGo->setObjectName("BtGo");
  BtAnima->setObjectName("BtAnima");
  BtStudy = Controls::Button(this, "STUDY", 462, 72, 60, 20);
  BtStudy->setObjectName("BtStudy");
  BtStudy->setShortcut(QKeySequence("Ctrl+T"));
  BtStudy->setToolTip("Quadrant study of this engine (Ctrl+T)");
  Controls::Label(this, "In mid-gear the lifting arm points ", 20, 65);
  LbMid_deg = ResultLabel(182, 65, "LbMid_deg");
  Controls::Label(this, "Set Lifting arm angle", 20, 78);
  Controls::Label(this, "relative to mid-gear", 124, 78, true);
  Controls::Label(this, "(Positive downwards)", 241, 78);
  EdLa_ang = Controls::Edit(this, 364, 72, 66, 24, true);
  EdLa_ang->setObjectName("EdLa_ang");
  BuildValveSettingChoice();
  Controls::Label(this, "Die deflection (engine on dead centres)", 20, 91);
  LbDiedef = ResultLabel(221, 91, "LbDiedef");
  BuildDiagramAndButtons();
  setTabOrder(EdLa_ang, CbValveSetting);
  setTabOrder(CbValveSetting, BtGo);
  setTabOrder(BtGo, BtAnima);
  setTabOrder(BtAnima, BtStudy);
  EdLa_ang->setFocus();
}

void TResultsForm::BuildDiagramAndButtons() {
  Oval = new ImageView(this, 299, 104, 280, 183);
  Oval->setObjectName("Oval");
  RunLegend = new QWidget(Oval);
  RunLegend->setObjectName("RunLegend");
  auto* lines = new QVBoxLayout(RunLegend);
  lines->setContentsMargins(2, 1, 2, 1);
  lines->setSpacing(0);
  RunLegend->move(5, 5);
  RunLegend->setAutoFillBackground(true);
  QPalette paper = RunLegend->palette();
  paper.setColor(QPalette::Window, Qt::white);  // the diagram's own ground
  RunLegend->setPalette(paper);
  RunLegend->hide();
  frontEnd_ = Controls::Label(this, "Front", 267, 98);
  Controls::Label(this, "VALVE", 260, 182);
  Controls::Label(this, "Back", 267, 280);
  Controls::Label(this, "Back", 293, 293);
  Controls::Label(this, "PISTON", 416, 293);
  Controls::Label(this, "Front", 553, 293);
  Controls::Bevel(this, 7, 306, 254, 26);
  Controls::Label(this, "NOTE", 13, 312);
  Controls::Label(this, "Lap line _____", 65, 312, true, QColor(0, 255, 0));
  Controls::Label(this, "Port line _____", 169, 312, true, QColor(255, 0, 255));
  BtClear = Controls::Button(this, "CLEAR FORM", 299, 312, 79, 20);
  BtPrint = Controls::Button(this, "PRINT FORM", 397, 312, 78, 20);
  BtClose = Controls::Button(this, "CLOSE", 494, 312, 72, 20);
  BuildFileMenu();
}

void TResultsForm::BuildFileMenu() {
  BtFile = Controls::Button(this, "FILE", 530, 7, 56, 20);
  BtFile->setObjectName("BtFile");
  auto* menu = new QMenu(BtFile);
  menu->addAction("Export drawing\u2026", this, Reaction([this](bool) { RequestDrawing(false); }));
  menu->addAction("Part sheets\u2026", this, Reaction([this](bool) { RequestDrawing(true); }));
  BtFile->setMenu(menu);
}

void TResultsForm::RequestDrawing(bool parts) {
  const auto& run = model_.session().latestRun();
  if (!run && !(parts && model_.session().taken())) {
    AppPrompter().Inform("Message", "There is no run to draw: press \"GO\" first.");
    return;
  }
  emit drawingRequested(run ? run->liftArmDeg : 0, NAN, parts);
}

void TResultsForm::BuildEventLabels() {
  Controls::Bevel(this, 7, 111, 247, 91);
  Controls::Label(this, "VALVE  EVENTS", 13, 117);
  Controls::Label(this, "Back", 124, 117, true);
  Controls::Label(this, "Front", 195, 117, true);
  const char* rows[] = {"Admission", "Cut-off", "Exhaust", "Compression", "Lead"};
  for (int i = 0; i < 5; ++i) Controls::Label(this, rows[i], 13, 130 + 13 * i);
  LbAdmB = ResultLabel(124, 130, "LbAdmB");
  LbCoB = ResultLabel(124, 143, "LbCoB");
  LbExB = ResultLabel(124, 156, "LbExB");
  LbCpB = ResultLabel(124, 169, "LbCpB");
  LbLeadB = ResultLabel(124, 182, "LbLeadB");
  LbAdmF = ResultLabel(195, 130, "LbAdmF");
  LbCoF = ResultLabel(195, 143, "LbCoF");
  LbExF = ResultLabel(195, 156, "LbExF");
  LbCpF = ResultLabel(195, 169, "LbCpF");
  LbLeadF = ResultLabel(195, 182, "LbLeadF");
  Controls::Label(this, "Max. port", 13, 208);
  Controls::Label(this, "opening", 13, 221);
  LbPopB = ResultLabel(124, 215, "LbPopB");
  LbPopF = ResultLabel(195, 215, "LbPopF");
  LbUsable = Controls::Label(this, "", 13, 234, false, QColor(192, 0, 0));
  LbUsable->setObjectName("LbUsable");
  eqldsCaption_ = Controls::Label(this, "* Lifting arm angle  for equal leads set at ", 13, 247);
  LbEqlds = ResultLabel(215, 247, "LbEqlds");
  Controls::Label(this, "Minimum angle of link (anticlockwise)", 13, 267);
  Controls::Label(this, "Maximum angle of link (clockwise)", 13, 280);
  LbLinkmin = ResultLabel(202, 267, "LbLinkmin");
  LbLinkmax = ResultLabel(202, 280, "LbLinkmax");
  Controls::Label(this, "Die slip along the slot (one rev.)", 13, 293);
  LbDieSlip = ResultLabel(202, 293, "LbDieSlip");
}

void TResultsForm::ConnectReactions() {
  connect(EdLa_ang, &QLineEdit::textChanged, this, Reaction([this](const QString&) { EdLa_angChange(); }));
  // Enter in the angle box runs "GO" when it can be pressed.
  connect(EdLa_ang, &QLineEdit::returnPressed, this, [this] {
    if (BtGo->isEnabled()) BtGo->click();
  });
  connect(BtGo, &QPushButton::clicked, this, Reaction([this](bool) { BtGoClick(); }));
  connect(BtAnima, &QPushButton::clicked, this, Reaction([this](bool) { BtAnimaClick(); }));
  connect(BtStudy, &QPushButton::clicked, this, Reaction([this](bool) { BtStudyClick(); }));
  connect(BtClear, &QPushButton::clicked, this, Reaction([this](bool) { BtClearClick(); }));
  connect(BtPrint, &QPushButton::clicked, this, Reaction([this](bool) { BtPrintClick(); }));
  connect(BtClose, &QPushButton::clicked, this, Reaction([this](bool) { BtCloseClick(); }));
}

void TResultsForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) activeSinceShown_ = isActiveWindow();
  Reaction([this] { FormShow(); })();
}

void TResultsForm::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
    activeSinceShown_ = true;
    Reaction([this] { FormActivate(); })();
  }
}

void TResultsForm::MainWindowActivated() {
  if (activeSinceShown_) close();
}

void TResultsForm::FormShow() {
  ShowEngineName();
  EdLa_ang->setFocus();  // the first control in the tab order
}

void TResultsForm::ShowEngineName() {
  LbName->setText(BoxText::First29(model_.engineName()));
}

void TResultsForm::FormActivate() {
  emit activated();
}

void TResultsForm::EdLa_angChange() {
  BtGo->setEnabled(true);
  BtAnima->setEnabled(false);
}

void TResultsForm::EngineTaken() {
  // An open window is not shown again, so the name is set here as well.
  ShowEngineName();
  LbEqlds->setText("");
  usableFound_ = false;
  setEnabled(true);
  ClearResults();
  // The link swing and die deflection belong to a run: none of this engine yet.
  for (QLabel* label : {LbLinkmin, LbLinkmax, LbDiedef, LbDieSlip}) label->setText("");
  const Session& session = model_.session();
  if (const auto failure = session.takeFailure()) {
    LbMid_deg->setText("");
    AppPrompter().Inform("Message", FailureMessage(*failure));
  } else {
    LbMid_deg->setText(
        QString::fromStdString(MidGearText(*session.midGearAngle(), BoxText::DecimalSeparator())));
    LbMid_deg->adjustSize();
  }
  ShowFirstRunNote();
  show();
  BtGo->setEnabled(false);
  BtAnima->setEnabled(false);
}

void TResultsForm::BtPrintClick() {
  WindowPrinter::Print(this, "Vardenlyke results", model_.dataFile());
}
