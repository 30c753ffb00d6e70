// The study window's controls and its reactions to the session: a new engine
// or a new equal-lead setting starts a new study; every run moves the markers.
// Studies are computed by the window's JobRunner on a copy of the session (so
// "GO" may change the model's meanwhile) and shown when they arrive.
#include "TStudyForm.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QShowEvent>
#include <QSplitter>
#include <QVBoxLayout>
#include <thread>

#include "Angles.h"
#include "BoxText.h"
#include "Controls.h"
#include "Reaction.h"
#include "WindowPlacement.h"

namespace {

QDoubleSpinBox* AngleBox(QWidget* parent, const char* name, double lo, double hi, double value) {
  auto* box = new QDoubleSpinBox(parent);
  box->setObjectName(name);
  box->setRange(lo, hi);
  box->setDecimals(2);
  box->setValue(value);
  box->setKeyboardTracking(false);  // a study per finished number, not per keystroke
  return box;
}

QString Figure(const std::optional<double>& value, const QString& unit = "") {
  return value ? BoxText::Format(*value) + unit : QString("-");
}

// The usable range is searched once, whatever the notches (the reverser spans
// it); with no setting given the valve is set at its positive end, full gear
// downwards, where a designer first sets it.
QuadrantStudy StudyOf(const Session& session, std::optional<double> settingDeg, const NotchPlan& plan,
                      WorkControl& control) {
  const int threads = static_cast<int>(std::thread::hardware_concurrency());
  std::optional<UsableRange> usable;
  if (!session.takeFailure() && session.taken()) usable = FindUsableRange(session, threads, &control.cancel);
  const double setting = settingDeg.value_or(usable ? usable->hiDeg : 0);
  return RunQuadrantStudy(session, setting, plan, usable, threads, &control);
}

}  // namespace

TStudyForm::TStudyForm(SessionModel& model, QWidget* parent) : QWidget(parent, Qt::Window), model_(model) {
  setObjectName("StudyForm");
  setWindowTitle("QUADRANT STUDY");
  setFont(Controls::Font());
  Charts = new StudyCharts(this);
  auto* plots = new QWidget(this);
  auto* grid = new QGridLayout(plots);
  grid->setContentsMargins(0, 0, 0, 0);
  for (int plot = 0; plot < StudyCharts::kPlots; ++plot)
    grid->addWidget(Charts->view(plot), plot / 2, plot % 2);
  Table = new QTableView(this);
  Table->setObjectName("Table");
  Table->setModel(&tableModel_);
  Table->verticalHeader()->hide();
  Table->verticalHeader()->setDefaultSectionSize(Table->fontMetrics().height() + 4);
  Table->setSelectionBehavior(QAbstractItemView::SelectRows);
  Table->horizontalHeader()->setStretchLastSection(true);
  LbHover = new QLabel(this);
  LbHover->setObjectName("LbHover");
  auto* split = new QSplitter(Qt::Vertical, this);
  split->addWidget(plots);
  split->addWidget(Table);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 1);
  LbSummary = new QLabel(this);
  LbSummary->setObjectName("LbSummary");
  LbSummary->setWordWrap(true);
  LbSummary->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildSettingRow());
  layout->addWidget(LbSummary);
  layout->addWidget(BuildReverserRow());
  layout->addWidget(split, 1);
  layout->addWidget(LbHover);
  layout->addWidget(BuildButtonRow());
  ConnectReactions();
  WindowPlacement::PlaceOuter(this, QPoint(110, 0), QSize(1160, 930));
}

QWidget* TStudyForm::BuildSettingRow() {
  auto* row = new QWidget(this);
  auto* h = new QHBoxLayout(row);
  h->setContentsMargins(0, 0, 0, 0);
  h->addWidget(Controls::Label(row, "ENGINE:", 0, 0, true));
  LbName = Controls::Label(row, "", 0, 0, true);
  LbName->setObjectName("LbName");
  h->addWidget(LbName);
  h->addSpacing(16);
  h->addWidget(new QLabel("Equal leads set at", row));
  EdSetting = AngleBox(row, "EdSetting", -90, 90, 0);
  h->addWidget(EdSetting);
  h->addWidget(new QLabel("deg.   Notch step", row));
  EdStep = AngleBox(row, "EdStep", 0.1, 30, 1);
  h->addWidget(EdStep);
  ChBAuto = new QCheckBox("auto (usable range)", row);
  ChBAuto->setObjectName("ChBAuto");
  ChBAuto->setChecked(true);
  h->addWidget(ChBAuto);
  h->addWidget(new QLabel("or from", row));
  EdFrom = AngleBox(row, "EdFrom", -90, 90, -30);
  h->addWidget(EdFrom);
  h->addWidget(new QLabel("to", row));
  EdTo = AngleBox(row, "EdTo", -90, 90, 30);
  h->addWidget(EdTo);
  EdFrom->setEnabled(false);
  EdTo->setEnabled(false);
  h->addStretch(1);
  Progress = new QProgressBar(row);
  Progress->setMaximumWidth(160);
  Progress->hide();
  h->addWidget(Progress);
  BtCancel = new QPushButton("Cancel", row);
  BtCancel->hide();
  h->addWidget(BtCancel);
  return row;
}

QWidget* TStudyForm::BuildReverserRow() {
  auto* row = new QWidget(this);
  auto* h = new QHBoxLayout(row);
  h->setContentsMargins(0, 0, 0, 0);
  h->addWidget(Controls::Label(row, "REVERSER", 0, 0, true));
  Reverser = new QSlider(Qt::Horizontal, row);
  Reverser->setObjectName("Reverser");
  Reverser->setEnabled(false);
  Reverser->setToolTip("Drag to move the lifting arm; the RESULTS and ANIMATION windows follow");
  h->addWidget(Reverser, 1);
  LbReverser = new QLabel(row);
  LbReverser->setObjectName("LbReverser");
  LbReverser->setMinimumWidth(90);
  h->addWidget(LbReverser);
  LbReverserNote = new QLabel(row);
  LbReverserNote->setObjectName("LbReverserNote");
  Controls::SetTextColour(LbReverserNote, Controls::Maroon());
  h->addWidget(LbReverserNote);
  return row;
}

QWidget* TStudyForm::BuildButtonRow() {
  auto* row = new QWidget(this);
  auto* h = new QHBoxLayout(row);
  h->setContentsMargins(0, 0, 0, 0);
  BtCsv = new QPushButton("EXPORT CSV...", row);
  BtPdf = new QPushButton("PDF...", row);
  BtPrint = new QPushButton("PRINT...", row);
  BtClose = new QPushButton("CLOSE", row);
  h->addWidget(BtCsv);
  h->addWidget(BtPdf);
  h->addWidget(BtPrint);
  h->addStretch(1);
  h->addWidget(BtClose);
  return row;
}

void TStudyForm::ConnectReactions() {
  connect(&model_, &SessionModel::engineTaken, this, Reaction([this] { EngineTaken(); }));
  connect(&model_, &SessionModel::runChanged, this, Reaction([this] { RunChanged(); }));
  const auto restudy = Reaction([this] { Restudy(); });
  connect(EdSetting, &QDoubleSpinBox::valueChanged, this, [this, restudy](double) {
    settingTyped_ = true;
    restudy();
  });
  for (QDoubleSpinBox* box : {EdStep, EdFrom, EdTo})
    connect(box, &QDoubleSpinBox::valueChanged, this, [restudy](double) { restudy(); });
  connect(ChBAuto, &QCheckBox::toggled, this, [this, restudy](bool automatic) {
    EdFrom->setEnabled(!automatic);
    EdTo->setEnabled(!automatic);
    restudy();
  });
  connect(BtCancel, &QPushButton::clicked, this, [this] {
    jobs_.Cancel();
    LbSummary->setText("The study was cancelled.");
  });
  connect(&progressTimer_, &QTimer::timeout, this, [this] { ShowProgress(); });
  connect(Reverser, &QSlider::valueChanged, this, Reaction([this](int value) { ReverserChanged(value); }));
  connect(Reverser, &QSlider::sliderReleased, this, Reaction([this] { ReverserLetGo(); }));
  connect(Charts, &StudyCharts::pointHovered, LbHover, &QLabel::setText);
  connect(Charts, &StudyCharts::plotClicked, this,
          Reaction([this](int plot, QPoint pixel) { PlotClicked(plot, pixel); }));
  connect(BtCsv, &QPushButton::clicked, this, Reaction([this](bool) { CsvClick(); }));
  connect(BtPdf, &QPushButton::clicked, this, Reaction([this](bool) { PdfClick(); }));
  connect(BtPrint, &QPushButton::clicked, this, Reaction([this](bool) { PrintClick(); }));
  connect(BtClose, &QPushButton::clicked, this, [this] { close(); });
}

void TStudyForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (stale_) Reaction([this] { Restudy(); })();
}

void TStudyForm::EngineTaken() {
  settingTyped_ = false;
  sessionSetting_.reset();
  haveStudy_ = false;
  stale_ = true;
  if (isVisible()) Restudy();
}

void TStudyForm::RunChanged() {
  const auto setting = model_.session().settingAngleDeg();
  if (setting != sessionSetting_) {
    // A new centring: the study is set where the leads now are equal (unless
    // it already is, as when the reverser fixed it at this study's setting).
    sessionSetting_ = setting;
    settingTyped_ = false;
    const bool studied = haveStudy_ && setting == study_.settingDeg;
    if (setting && !studied) {
      SetSettingBox(*setting);
      stale_ = true;
      if (isVisible()) Restudy();
    }
  }
  UpdateMarker();
  UpdateReverser();
}

void TStudyForm::SetSettingBox(double degrees) {
  const QSignalBlocker quiet(EdSetting);
  EdSetting->setValue(degrees);
}

void TStudyForm::Restudy() {
  const Session& session = model_.session();
  stale_ = false;
  LbName->setText(BoxText::First29(model_.engineName()));
  if (!session.taken()) {
    LbSummary->setText("No engine yet: press GET  RESULTS on the data-entry window first.");
    return;
  }
  // The setting typed here, else the session's, else the one the last study
  // chose for this engine; with none of them the study picks full gear.
  std::optional<double> setting = session.settingAngleDeg();
  if (settingTyped_ || (!setting && haveStudy_)) setting = EdSetting->value();
  const NotchPlan plan{ChBAuto->isChecked(), EdFrom->value(), EdTo->value(), EdStep->value()};
  // Until the new study arrives the reverser would move with a stale setting.
  Reverser->setEnabled(false);
  jobs_.Start([this, session, setting, plan](JobRunner::Job& job) -> JobRunner::Delivery {
    QuadrantStudy study = StudyOf(session, setting, plan, job.control);
    return [this, study = std::move(study)] { Delivered(study); };
  });
  progressTicks_ = 0;
  progressTimer_.start(100);
}

void TStudyForm::ShowProgress() {
  const bool running = jobs_.busy();
  // Short studies finish before anything would flicker.
  const bool show = running && ++progressTicks_ >= 3;
  Progress->setVisible(show);
  BtCancel->setVisible(show);
  if (show) {
    Progress->setMaximum(std::max(1, jobs_.total()));
    Progress->setValue(jobs_.done());
  }
  if (!running) progressTimer_.stop();
}

void TStudyForm::Delivered(const QuadrantStudy& study) {
  // A cancelled study leaves the last one shown; the summary says it was cancelled.
  if (study.problem == StudyProblem::cancelled) return ShowProgress();
  study_ = study;
  haveStudy_ = true;
  SetSettingBox(study.settingDeg);
  tableModel_.SetRows(study.rows);
  Charts->Show(study.rows);
  LbHover->clear();
  if (study.usable) {
    const QSignalBlocker quiet(Reverser);
    Reverser->setRange(SliderValue(study.usable->loDeg), SliderValue(study.usable->hiDeg));
  }
  ShowSummary();
  UpdateMarker();
  UpdateReverser();
  ShowProgress();
}

void TStudyForm::ShowSummary() {
  if (study_.problem != StudyProblem::none) {
    LbSummary->setText(QString::fromStdString(StudyProblemMessage(study_)));
    return;
  }
  const StudySummary& s = study_.summary;
  int failed = 0;
  for (const StudyRow& row : study_.rows) failed += row.ok() ? 0 : 1;
  QString usable =
      study_.usable ? QString("Usable range %1 to %2 deg.")
                          .arg(BoxText::Format(study_.usable->loDeg), BoxText::Format(study_.usable->hiDeg))
                    : QString("No usable range");
  QString text = QString("%1;  %2 notches, %3 working (mean cut-off 15 to 80 %)%4.\n")
                     .arg(usable)
                     .arg(study_.rows.size())
                     .arg(s.workingNotchesDeg.size())
                     .arg(failed ? QString(", %1 did not assemble").arg(failed) : QString());
  text += QString(
              "Worst cut-off inequality |back - front|: down %1, up %2, overall %3;  leads %4 to %5;  "
              "smallest max. port opening %6.")
              .arg(Figure(s.worstInequalityDown, " %"), Figure(s.worstInequalityUp, " %"),
                   Figure(s.worstInequality, " %"), Figure(s.leadMin), Figure(s.leadMax),
                   Figure(s.smallestPortOpening));
  LbSummary->setText(text);
}

void TStudyForm::UpdateMarker() {
  const auto& latest = model_.session().latestRun();
  if (!latest) return Charts->SetMarker(std::nullopt, std::nullopt);
  const RunResults& r = latest->results;
  const double degrees = RadiansToDegrees(latest->liftArmAngle);
  std::optional<double> mean;
  if (r.eventFound[cutOffBack] && r.eventFound[cutOffFront])
    mean = (r.eventPct[cutOffBack] + r.eventPct[cutOffFront]) / 2;
  Charts->SetMarker(degrees, mean);
  LbReverser->setText(BoxText::Format(degrees) + " deg.");
  if (!Reverser->isSliderDown()) {
    const QSignalBlocker quiet(Reverser);
    Reverser->setValue(SliderValue(degrees));
  }
  const int row = tableModel_.RowNearest(degrees);
  if (row >= 0) Table->selectRow(row);
}
