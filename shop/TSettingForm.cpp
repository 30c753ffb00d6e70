// The window's controls and its two jobs: preparing the design when the
// window opens (the usable range, which rod drives which gear, the
// recommended readings) and the fit with its corrections, each on the
// window's JobRunner; a timer reads the job's stage counts for the progress
// bar, and Cancel raises the job's flag, which the setting reads between stages.
#include "TSettingForm.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <thread>

#include "BoxText.h"
#include "CrankSweep.h"
#include "NumberFormat.h"
#include "Reaction.h"
#include "ShopNumber.h"
#include "WindowPlacement.h"

namespace {

int Cores() {
  return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

QTableWidget* Table(QWidget* parent, const char* name, const QStringList& headers) {
  auto* table = new QTableWidget(0, static_cast<int>(headers.size()), parent);
  table->setObjectName(name);
  table->setHorizontalHeaderLabels(headers);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->horizontalHeader()->setStretchLastSection(true);
  return table;
}

QLineEdit* Box(QWidget* parent, const char* name, int width) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(name);
  box->setMaximumWidth(width);
  return box;
}

// The gear with these deviations at the two full gears, valves as the design sets them.
SettingDiagram::Runs FullGearRuns(const SettingDesign& design, const DeviationVector& d) {
  const Engine built = AsBuilt(design, d);
  return {RunCrankSweep(built, design.midGearAngle, design.usable.hiDeg, design.centring).run,
          RunCrankSweep(built, design.midGearAngle, design.usable.loDeg, design.centring).run};
}

// The box's angle in the user's locale, or none when it is not a number.
std::optional<double> AngleIn(const QLineEdit* box) {
  try {
    return BoxText::Number(box);
  } catch (const ConversionError&) {
    return std::nullopt;
  }
}

DeviationVector After(DeviationVector d, const CorrectionOption& option) {
  for (const Operation& op : option.operations) {
    const DeviationVector u = AdjustmentDirection(op.adjust);
    for (int j = 0; j < kDeviationCount; ++j) d[j] += op.amount * u[j];
  }
  return d;
}

}  // namespace

TSettingForm::TSettingForm(SessionModel& model, QWidget* parent) : QWidget(parent), model_(model) {
  setObjectName("SettingForm");
  setWindowTitle("VALVE SETTING");
  setProperty("helpTopic", "setting");  // the help page F1 opens
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildControls());
  pages = new QTabWidget(this);
  pages->setObjectName("pages");
  auto* split = new QSplitter(Qt::Horizontal, pages);
  split->addWidget(BuildReadings());
  split->addWidget(BuildResults());
  split->setStretchFactor(1, 1);
  split->setSizes({580, 660});
  pages->addTab(split, "Readings and fit");
  runningPage = new RunningPage(model_, pages);
  pages->addTab(runningPage, "From the running engine");
  layout->addWidget(pages, 1);
  ConnectReactions();
  SetWorking(false);
  for (QTableWidget* t : {readingTable, deviationTable, correctionTable, predictedTable})
    t->resizeColumnsToContents();
  WindowPlacement::PlaceOuter(this, QPoint(100, 0), QSize(1240, 880));
}

QWidget* TSettingForm::BuildControls() {
  auto* box = new QWidget(this);
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  LbEngine = new QLabel(box);
  LbEngine->setObjectName("LbEngine");
  LbEngine->setWordWrap(true);
  grid->addWidget(LbEngine, 0, 0, 1, 2);
  grid->addLayout(BuildSettingRow(box), 1, 0, 1, 2);
  grid->addWidget(BuildAdjustments(), 2, 0);
  grid->addLayout(BuildCommands(box), 2, 1);
  grid->setColumnStretch(1, 1);
  return box;
}

QLayout* TSettingForm::BuildSettingRow(QWidget* box) {
  EdSide = Box(box, "EdSide", 140);
  EdSide->setPlaceholderText("left or right");
  EdSetAngle = Box(box, "EdSetAngle", 70);
  EdSetAngle->setPlaceholderText("full fwd");
  EdSetAngle->setToolTip("Where the program sets the valves of the design; empty: full forward gear");
  CbValveSetting = new QComboBox(box);
  CbValveSetting->addItems({"equal leads", "equal cut-off"});
  CbTarget = new QComboBox(box);
  CbTarget->setObjectName("CbTarget");
  CbTarget->addItems({"the design", "equal leads at", "equal cut-off at"});
  EdTargetAngle = Box(box, "EdTargetAngle", 70);
  EdLengthStep = Box(box, "EdLengthStep", 70);
  EdLengthStep->setToolTip("The shop's step for lengths: a decimal, or inches as a fraction (1/64)");
  EdAngleStep = Box(box, "EdAngleStep", 60);
  auto* row = new QHBoxLayout;
  const auto label = [box](const char* text) { return new QLabel(text, box); };
  for (QWidget* w : {static_cast<QWidget*>(label("Side")), static_cast<QWidget*>(EdSide),
                     static_cast<QWidget*>(label("Valves set at (deg.)")), static_cast<QWidget*>(EdSetAngle),
                     static_cast<QWidget*>(label("for")), static_cast<QWidget*>(CbValveSetting),
                     static_cast<QWidget*>(label("Target")), static_cast<QWidget*>(CbTarget),
                     static_cast<QWidget*>(EdTargetAngle), static_cast<QWidget*>(label("deg.   Steps")),
                     static_cast<QWidget*>(EdLengthStep), static_cast<QWidget*>(label("and")),
                     static_cast<QWidget*>(EdAngleStep), static_cast<QWidget*>(label("deg."))})
    row->addWidget(w);
  row->addStretch(1);
  return row;
}

QLayout* TSettingForm::BuildCommands(QWidget* box) {
  auto* commands = new QGridLayout;
  BtFit = new QPushButton("Fit", box);
  BtFit->setToolTip("Fits the gear as built to the readings and works out the corrections");
  BtCancel = new QPushButton("Cancel", box);
  BtPdf = new QPushButton("PDF...", box);
  BtPrint = new QPushButton("Print...", box);
  BtHelp = new QPushButton("Help", box);
  int column = 0;
  for (QPushButton* b : {BtFit, BtCancel, BtPdf, BtPrint, BtHelp}) commands->addWidget(b, 0, column++);
  progress = new QProgressBar(box);
  LbStatus = new QLabel(box);
  LbStatus->setObjectName("LbStatus");
  LbStatus->setWordWrap(true);
  LbStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
  commands->addWidget(progress, 1, 0, 1, 5);
  commands->addWidget(LbStatus, 2, 0, 1, 5);
  commands->setRowStretch(3, 1);
  return commands;
}

QWidget* TSettingForm::BuildAdjustments() {
  auto* group = new QGroupBox("Adjustments the engine allows", this);
  auto* grid = new QGridLayout(group);
  const auto check = [group](const char* name) {
    auto* box = new QCheckBox(group);
    box->setObjectName(name);
    return box;
  };
  CkSpindle = check("CkSpindle");
  CkSpindle->setText("the valve on its spindle");
  CkRod1 = check("CkRod1");
  CkRod2 = check("CkRod2");
  CkOneCasting = check("CkOneCasting");
  CkOneCasting->setText("both eccentrics together (one casting)");
  CkAdvance1 = check("CkAdvance1");
  CkAdvance2 = check("CkAdvance2");
  for (QCheckBox* b : {CkSpindle, CkRod1, CkRod2}) b->setChecked(true);
  grid->addWidget(CkSpindle, 0, 0);
  grid->addWidget(CkRod1, 0, 1);
  grid->addWidget(CkRod2, 0, 2);
  grid->addWidget(CkOneCasting, 1, 0);
  grid->addWidget(CkAdvance1, 1, 1);
  grid->addWidget(CkAdvance2, 1, 2);
  NameAdjustments();
  return group;
}

QWidget* TSettingForm::BuildReadings() {
  auto* split = new QSplitter(Qt::Vertical, this);
  auto* box = new QWidget(split);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(
      new QLabel("<b>Readings</b> (one side of the engine; an empty value is not read yet)", box));
  readingTable = Table(box, "readingTable",
                       {"Angle (deg.)", "End", "Event", "Value", "Unit", "±", "Fitted", "Residual"});
  readingTable->setEditTriggers(QAbstractItemView::AllEditTriggers);
  readingTable->setSelectionBehavior(QAbstractItemView::SelectItems);
  readingTable->horizontalHeader()->setStretchLastSection(false);
  layout->addWidget(readingTable, 1);
  auto* buttons = new QHBoxLayout;
  BtOpen = new QPushButton("Open...", box);
  BtSave = new QPushButton("Save...", box);
  BtAddRow = new QPushButton("Add row", box);
  BtRemoveRow = new QPushButton("Remove row", box);
  BtRecommended = new QPushButton("Recommended rows", box);
  BtRecommended->setToolTip("Puts back the readings recommended for this engine, blank");
  for (QPushButton* b : {BtOpen, BtSave, BtAddRow, BtRemoveRow, BtRecommended}) buttons->addWidget(b);
  buttons->addStretch(1);
  layout->addLayout(buttons);
  diagram = new SettingDiagram(split);
  split->addWidget(box);
  split->addWidget(diagram);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 2);
  return split;
}

QWidget* TSettingForm::BuildResults() {
  auto* split = new QSplitter(Qt::Vertical, this);
  deviationTable = Table(split, "deviationTable", {"Gear as built", "Found", "± one sigma"});
  notes = new QTextBrowser(split);
  notes->setObjectName("notes");
  auto* box = new QWidget(split);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  correctionTable = Table(box, "correctionTable", {"#", "Operations", "Reaches", "Cut-off inequality after"});
  correctionTable->horizontalHeaderItem(3)->setToolTip("The worst over the quadrant, points of stroke");
  correctionTable->setSelectionMode(QAbstractItemView::SingleSelection);
  correctionTable->setWordWrap(true);
  layout->addWidget(correctionTable, 1);
  LbOrder = new QLabel(box);
  LbOrder->setObjectName("LbOrder");
  LbOrder->setWordWrap(true);
  LbOrder->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(LbOrder);
  predictedTable = Table(split, "predictedTable", {"Reading", "Design", "Predicted after", "±"});
  for (QWidget* w : {static_cast<QWidget*>(deviationTable), static_cast<QWidget*>(notes),
                     static_cast<QWidget*>(box), static_cast<QWidget*>(predictedTable)})
    split->addWidget(w);
  // The five deviations whole; the rest shares what is left.
  deviationTable->verticalHeader()->setDefaultSectionSize(deviationTable->fontMetrics().height() + 6);
  deviationTable->setFixedHeight(7 * (deviationTable->fontMetrics().height() + 6));
  split->setStretchFactor(0, 0);
  split->setStretchFactor(1, 2);
  split->setStretchFactor(2, 3);
  split->setStretchFactor(3, 3);
  return split;
}

void TSettingForm::ConnectReactions() {
  connect(BtFit, &QPushButton::clicked, this, Reaction([this](bool) { BtFitClick(); }));
  connect(BtCancel, &QPushButton::clicked, this, Reaction([this](bool) { BtCancelClick(); }));
  connect(BtOpen, &QPushButton::clicked, this, Reaction([this](bool) { BtOpenClick(); }));
  connect(BtSave, &QPushButton::clicked, this, Reaction([this](bool) { BtSaveClick(); }));
  connect(BtPdf, &QPushButton::clicked, this, Reaction([this](bool) { PdfClick(); }));
  connect(BtPrint, &QPushButton::clicked, this, Reaction([this](bool) { PrintClick(); }));
  connect(BtHelp, &QPushButton::clicked, this, Reaction([this](bool) { emit helpRequested("setting"); }));
  connect(BtAddRow, &QPushButton::clicked, this, Reaction([this](bool) {
            Reading r;
            r.plusMinus = DefaultPlusMinus(r.unit, unit_);
            AddRow(r);
          }));
  connect(BtRemoveRow, &QPushButton::clicked, this, Reaction([this](bool) {
            const int row = readingTable->currentRow();
            if (row < 0) return;
            readingTable->removeRow(row);
            ReadingsEdited();
          }));
  connect(readingTable, &QTableWidget::itemChanged, this, Reaction([this](QTableWidgetItem* item) {
            if (item->column() < fittedColumn) ReadingsEdited();
          }));
  connect(BtRecommended, &QPushButton::clicked, this, Reaction([this](bool) {
            if (prepared_ && prepared_->ok()) SetReadings(prepared_->recommended);
          }));
  ConnectTableReactions();
}

void TSettingForm::ConnectTableReactions() {
  connect(CkOneCasting, &QCheckBox::toggled, this, Reaction([this](bool together) {
            for (QCheckBox* b : {CkAdvance1, CkAdvance2}) {
              b->setEnabled(!together);
              if (together) b->setChecked(false);
            }
          }));
  connect(CbTarget, &QComboBox::currentIndexChanged, this,
          Reaction([this](int index) { EdTargetAngle->setEnabled(index != 0); }));
  connect(correctionTable, &QTableWidget::itemSelectionChanged, this, Reaction([this] {
            const auto rows = correctionTable->selectionModel()->selectedRows();
            if (!rows.isEmpty()) ChooseOption(rows.front().row());
          }));
  connect(&model_, &SessionModel::storeOpened, this, Reaction([this] {
    engine_.reset();
    prepared_.reset();
    jobs_.Cancel();
    ClearResults();
    readingTable->setRowCount(0);
    runningPage->evidenceTable->setRowCount(0);
    runningPage->SetDesign(nullptr, {});
    SetWorking(false);
    LbEngine->setText("No engine: another data folder was opened.");
  }));
  auto* poll = new QTimer(this);
  connect(poll, &QTimer::timeout, this, [this] {
    if (!working_ || jobs_.total() <= 0) return;
    progress->setRange(0, jobs_.total());
    progress->setValue(std::min(jobs_.done(), jobs_.total()));
  });
  poll->start(100);
}

void TSettingForm::NameAdjustments() {
  const bool named = prepared_ && prepared_->design;
  const auto name = [&](bool rod, int which) {
    if (!named) return QString(rod ? "eccentric rod %1" : "eccentric %1").arg(which);
    const SettingDesign& d = *prepared_->design;
    return QString::fromStdString(rod ? RodName(d, which) : EccentricName(d, which));
  };
  CkRod1->setText(name(true, 1));
  CkRod2->setText(name(true, 2));
  CkAdvance1->setText(name(false, 1));
  CkAdvance2->setText(name(false, 2));
}

void TSettingForm::Open(const Engine& engine, LengthUnit unit) {
  engine_ = engine;
  unit_ = unit;
  prepared_.reset();
  ClearResults();
  readingTable->setRowCount(0);
  runningPage->evidenceTable->setRowCount(0);
  runningPage->SetDesign(nullptr, {});
  NameAdjustments();
  const QString name = BoxText::FromNameBytes(engine.name);
  setWindowTitle("VALVE SETTING  " + name);
  LbEngine->setText("<b>" + name.toHtmlEscaped() + "</b>");
  const bool inches = unit != LengthUnit::mm;
  EdLengthStep->setText(inches ? "1/64" : "0.5");
  EdAngleStep->setText("0.5");
  CbTarget->setCurrentIndex(0);
  EdTargetAngle->clear();
  EdTargetAngle->setEnabled(false);
  show();
  raise();
  activateWindow();
  SetWorking(true);
  progress->setRange(0, 0);
  LbStatus->setText("Finding the usable range and the readings to take...");
  ShopSettingRequest q;
  q.engine = engine;
  q.unit = unit;
  q.threads = Cores();
  jobs_.Start([this, q](JobRunner::Job&) -> JobRunner::Delivery {
    auto prepared = std::make_shared<const ShopSetting>(PrepareShopSetting(q));
    return [this, prepared] { Prepared(prepared); };
  });
}

void TSettingForm::Prepared(std::shared_ptr<const ShopSetting> prepared) {
  prepared_ = std::move(prepared);
  SetWorking(false);
  progress->setRange(0, 1);
  progress->setValue(1);
  NameAdjustments();
  runningPage->SetDesign(prepared_, SuggestedName("evidence", ".csv"));
  if (!prepared_->ok())
    return LbStatus->setText("This engine cannot be set: " + QString::fromStdString(prepared_->problem));
  const SettingDesign& d = *prepared_->design;
  SetReadings(prepared_->recommended);
  LbEngine->setText("<b>" + BoxText::FromNameBytes(d.engine.name).toHtmlEscaped() +
                    "</b>: " + GearSentence().toHtmlEscaped());
  LbStatus->setText("Fill in the readings taken at the engine, then press Fit.");
}

QString TSettingForm::GearSentence() const {
  if (!prepared_ || !prepared_->design) return {};
  const SettingDesign& d = *prepared_->design;
  return QString(
             "usable range %1 to %2 deg. (positive angles are forward gear). The %3 runs to the upper rod "
             "pin, the %4 to the lower.")
      .arg(BoxText::FormatFaithful(d.usable.loDeg), BoxText::FormatFaithful(d.usable.hiDeg),
           QString::fromStdString(RodName(d, 1)), QString::fromStdString(RodName(d, 2)));
}

std::vector<Adjustment> TSettingForm::Allowed() const {
  std::vector<Adjustment> allowed;
  const std::pair<QCheckBox*, Adjustment> boxes[] = {
      {CkSpindle, Adjustment::spindle},   {CkRod1, Adjustment::rod1},
      {CkRod2, Adjustment::rod2},         {CkAdvance1, Adjustment::advance1},
      {CkAdvance2, Adjustment::advance2}, {CkOneCasting, Adjustment::advance}};
  for (const auto& [box, adjustment] : boxes)
    if (box->isChecked()) allowed.push_back(adjustment);
  return allowed;
}

// The angle boxes are numbers (BtFitClick looks first).
ShopSettingRequest TSettingForm::Request(const std::vector<Reading>& readings) const {
  ShopSettingRequest q;
  q.engine = *engine_;
  q.unit = unit_;
  if (!EdSetAngle->text().trimmed().isEmpty()) q.settingDeg = BoxText::Number(EdSetAngle);
  q.valveSetting = CbValveSetting->currentIndex() == 1 ? ValveSetting::equalCutOff : ValveSetting::equalLeads;
  q.readings = readings;
  q.allowed = Allowed();
  q.target.kind = CbTarget->currentIndex() == 1   ? SettingTarget::Kind::equalLeads
                  : CbTarget->currentIndex() == 2 ? SettingTarget::Kind::equalCutOff
                                                  : SettingTarget::Kind::design;
  if (q.target.kind != SettingTarget::Kind::design) q.target.angleDeg = BoxText::Number(EdTargetAngle);
  q.lengthStep = ShopNumber(EdLengthStep->text());
  q.angleStep = ShopNumber(EdAngleStep->text());
  q.threads = Cores();
  return q;
}

void TSettingForm::BtFitClick() {
  if (!engine_ || working_) return;
  const TableRead read = ReadTable();
  if (!read.problem.isEmpty()) {
    if (read.row >= 0) readingTable->setCurrentCell(read.row, 0);
    return Fail("Nothing was fitted: " + read.problem);
  }
  if (Allowed().empty()) return Fail("Nothing was fitted: allow at least one adjustment.");
  if (CbTarget->currentIndex() != 0 && !AngleIn(EdTargetAngle))
    return Fail("Nothing was fitted: type the lifting-arm angle (deg.) the target is at.");
  if (!EdSetAngle->text().trimmed().isEmpty() && !AngleIn(EdSetAngle))
    return Fail(
        "Nothing was fitted: the angle the valves are set at is not a number (empty: full forward gear).");
  for (QLineEdit* step : {EdLengthStep, EdAngleStep})
    if (!ShopNumber(step->text()) || *ShopNumber(step->text()) <= 0)
      return Fail("Nothing was fitted: a step is a number above 0 (a length may be a fraction: 1/64).");
  const ShopSettingRequest q = Request(read.readings);
  ClearResults();
  SetWorking(true);
  progress->setRange(0, 0);
  LbStatus->setText("Fitting the gear as built to the readings and working out the corrections...");
  jobs_.Start([this, q](JobRunner::Job& job) -> JobRunner::Delivery {
    ShopSettingRequest request = q;
    request.control = &job.control;
    auto result = std::make_shared<FitResult>();
    result->setting = RunShopSetting(request);
    const ShopSetting& s = result->setting;
    if (s.ok()) {
      const SettingDesign& design = *s.design;
      result->design = FullGearRuns(design, DeviationVector{});
      result->asBuilt = FullGearRuns(design, s.fit.deviations);
      for (const CorrectionOption& option : s.corrections.options)
        if (!job.control.cancelled())
          result->corrected.push_back(FullGearRuns(design, After(s.fit.deviations, option)));
      const Prediction want = Predict(design, DeviationVector{}, s.corrections.options.front().predicted);
      result->designFigures = want.figures;
    }
    return [this, result] { Finished(result); };
  });
}

void TSettingForm::BtCancelClick() {
  jobs_.Cancel();
  LbStatus->setText("Cancelling: the stage under way ends first...");
}

void TSettingForm::SetWorking(bool working) {
  working_ = working;
  BtFit->setEnabled(!working && engine_.has_value());
  BtCancel->setEnabled(working);
  for (QWidget* w : {static_cast<QWidget*>(BtOpen), static_cast<QWidget*>(BtRecommended),
                     static_cast<QWidget*>(EdSetAngle), static_cast<QWidget*>(CbValveSetting)})
    w->setEnabled(!working);
}

void TSettingForm::Fail(const QString& status) {
  LbStatus->setText(status);
}

void TSettingForm::closeEvent(QCloseEvent* event) {
  // A closed window leaves nothing running.
  jobs_.Cancel();
  runningPage->Reset();
  QWidget::closeEvent(event);
}
