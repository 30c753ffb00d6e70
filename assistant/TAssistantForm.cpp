// The assistant's controls, the reading of its inputs and the start, cancel
// and "Put in boxes" reactions. Numbers are read as the main window's boxes
// read them (locale separator); the bounds are shown in the fewest digits that
// read back to the very bound, so the window searches the problem the command
// line would. The search runs as a job, the latest request dropping what an
// earlier one would deliver.
#include "TAssistantForm.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <thread>

#include "BoxText.h"
#include "EngineRecord.h"
#include "FreeName.h"
#include "NumberFormat.h"
#include "Reaction.h"
#include "WindowPlacement.h"

namespace {

constexpr double kDefaultSetAngleDeg = 25;

int Cores() {
  return static_cast<int>(std::thread::hardware_concurrency());
}

QLineEdit* SmallEdit(QWidget* parent, const QString& name, int width) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setMaximumWidth(width);
  return edit;
}

QComboBox* Choice(QWidget* parent, const QString& name, const QStringList& captions) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  box->addItems(captions);
  return box;
}

// Why the input cannot be searched, in the user's words; empty when it can.
QString InputProblem(const DesignInput& input) {
  if (input.free.empty()) return "Tick at least one free dimension.";
  if (!(input.rules.cutOffShiftPct > 0))
    return "The mean cut-off must be allowed to move by more than 0 points.";
  const DesignRules& r = input.rules;
  if (!(r.midGearShiftDeg >= 0)) return "The mid-gear direction may turn by 0 degrees or more.";
  if (!(r.dieMarginPct >= 0 && r.dieMarginPct < 50))
    return "The die margin must be from 0 to below 50 % of the arc between the rod pins.";
  if (r.workLimit == WorkLimit::percent && !(r.workLimitPct >= 0))
    return "The work imbalance limit must be 0 % or more.";
  if (!(input.grid.lengthStep >= 0 && input.grid.lengthTolerance >= 0))
    return "The drawing step and the tolerance must be 0 or more (blank: by significant figures).";
  for (const FreeDimension& d : input.free)
    if (const auto problem = BoundsProblem(input.start, d)) {
      QString text = QString::fromStdString(*problem);
      return text.left(1).toUpper() + text.mid(1) + ".";
    }
  return {};
}

}  // namespace

TAssistantForm::TAssistantForm(SessionModel& model, QWidget* parent) : QWidget(parent), model_(model) {
  setObjectName("AssistantForm");
  setWindowTitle("DESIGN ASSISTANT");
  setProperty("helpTopic", "assistant");  // the help page F1 opens
  auto* layout = new QHBoxLayout(this);
  // The inputs scroll so that the window fits a screen of 720 logical pixels'
  // height (or a doubled one of 1080); Start, Cancel and the progress stay
  // below them, in view, whatever the screen.
  auto* inputs = new QScrollArea(this);
  inputs->setWidget(BuildInputs());
  inputs->setWidgetResizable(true);
  inputs->setFrameShape(QFrame::NoFrame);
  inputs->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  inputs->setMinimumWidth(inputs->widget()->sizeHint().width() +
                          inputs->verticalScrollBar()->sizeHint().width());
  auto* left = new QVBoxLayout;
  left->addWidget(inputs, 1);
  left->addLayout(BuildButtons(this));
  left->addLayout(BuildProgress(this));
  layout->addLayout(left);
  // The outputs scroll too, so that the window fits a screen of 720 logical
  // pixels' height with the trade-off shown.
  auto* outputs = new QScrollArea(this);
  outputs->setWidget(BuildOutputs());
  outputs->setWidgetResizable(true);
  outputs->setFrameShape(QFrame::NoFrame);
  layout->addWidget(outputs, 1);
  ConnectReactions();
  // Beside the main window's place, as far as the screen allows.
  WindowPlacement::PlaceOuter(this, QPoint(120, 0), QSize(1240, 700));
}

QWidget* TAssistantForm::BuildInputs() {
  auto* column = new QWidget(this);
  auto* layout = new QVBoxLayout(column);
  layout->addWidget(BuildDimensionGrid());
  layout->addWidget(BuildChoices(column));
  layout->addWidget(BuildLimits(column));
  LbLimits = new QLabel(column);
  LbLimits->setObjectName("LbLimits");
  LbLimits->setWordWrap(true);
  LbLimits->setMaximumWidth(440);
  layout->addWidget(LbLimits);
  layout->addStretch(1);
  return column;
}

QWidget* TAssistantForm::BuildChoices(QWidget* column) {
  auto* box = new QWidget(column);
  auto* form = new QGridLayout(box);
  form->setContentsMargins(0, 0, 0, 0);
  EdSetAngle = SmallEdit(box, "EdSetAngle", 80);
  CbValveSetting = Choice(box, "CbValveSetting", {"equal leads", "equal cut-off"});
  CbValveSetting->setToolTip("Equal leads as the first GO sets them, or equal back and front cut-off");
  CbSide = Choice(box, "CbSide", {"both sides", "below mid-gear (down)", "above mid-gear (up)"});
  CbSide->setToolTip("With one side, the other may be no worse than the start's worst there");
  EdCutOffShift = SmallEdit(box, "EdCutOffShift", 80);
  EdCutOffShift->setToolTip("The full-gear cut-off on each side, or every working notch's when kept");
  EdCutOffShift->setText(BoxText::Format(kDefaultCutOffShiftPct));
  CbObjective = Choice(box, "CbObjective", {"cut-off inequality", "work imbalance", "Both (trade-off)"});
  CbObjective->setToolTip(
      "Both: up to seven searches from the best cut-off equality to the best work balance, plotted to pick "
      "from");
  EdMaxEvals = SmallEdit(box, "EdMaxEvals", 80);
  EdMaxEvals->setText(QString::number(kDefaultMaxEvaluations));
  const std::pair<const char*, QWidget*> rows[] = {
      {"Valves set at (deg.)", EdSetAngle}, {"Valves set for", CbValveSetting},
      {"Side made equal", CbSide},          {kFullGearShiftCaption, EdCutOffShift},
      {"Objective", CbObjective},           {"Evaluations at most", EdMaxEvals}};
  for (int r = 0; r < static_cast<int>(std::size(rows)); ++r) {
    auto* label = new QLabel(rows[r].first, box);
    form->addWidget(label, r, 0);
    form->addWidget(rows[r].second, r, 1);
    if (rows[r].second == EdCutOffShift) LbCutOffShift = label;
  }
  return box;
}

QVBoxLayout* TAssistantForm::BuildProgress(QWidget* column) {
  auto* rows = new QVBoxLayout;
  progress = new QProgressBar(column);
  LbBest = new QLabel(column);
  LbBest->setWordWrap(true);
  LbBest->setMaximumWidth(440);
  LbStatus = new QLabel(column);
  LbStatus->setObjectName("LbStatus");
  LbStatus->setWordWrap(true);
  LbStatus->setMaximumWidth(440);
  for (QWidget* w :
       {static_cast<QWidget*>(progress), static_cast<QWidget*>(LbBest), static_cast<QWidget*>(LbStatus)})
    rows->addWidget(w);
  return rows;
}

QHBoxLayout* TAssistantForm::BuildButtons(QWidget* column) {
  auto* buttons = new QHBoxLayout;
  BtStart = new QPushButton("Start", column);
  BtCancel = new QPushButton("Cancel", column);
  BtPutInBoxes = new QPushButton("Put in boxes", column);
  BtHelp = new QPushButton("Help", column);
  for (QPushButton* b : {BtStart, BtCancel, BtPutInBoxes, BtHelp}) buttons->addWidget(b);
  BtStart->setObjectName("BtStart");
  BtCancel->setObjectName("BtCancel");
  BtPutInBoxes->setObjectName("BtPutInBoxes");
  BtHelp->setObjectName("BtHelp");
  BtCancel->setEnabled(false);
  BtPutInBoxes->setEnabled(false);
  return buttons;
}

QWidget* TAssistantForm::BuildDimensionGrid() {
  auto* box = new QGroupBox("Free dimensions and their bounds", this);
  auto* grid = new QGridLayout(box);
  grid->setVerticalSpacing(1);
  const char* headers[] = {"Free", "Value", "Lower", "Upper"};
  for (int c = 0; c < 4; ++c) grid->addWidget(new QLabel(QString("<b>%1</b>").arg(headers[c]), box), 0, c);
  for (size_t i = 0; i < rows_.size(); ++i) {
    const DesignDimension& d = DesignDimensions()[i];
    const QString key = d.name;
    DimensionRow& row = rows_[i];
    row.free = new QCheckBox(d.caption, box);
    row.free->setObjectName("Free_" + key);
    row.free->setToolTip(key);
    row.value = new QLabel(box);
    row.lower = SmallEdit(box, "Lower_" + key, 80);
    row.upper = SmallEdit(box, "Upper_" + key, 80);
    const int r = static_cast<int>(i) + 1;
    grid->addWidget(row.free, r, 0);
    grid->addWidget(row.value, r, 1);
    grid->addWidget(row.lower, r, 2);
    grid->addWidget(row.upper, r, 3);
  }
  return box;
}

void TAssistantForm::ConnectReactions() {
  connect(BtStart, &QPushButton::clicked, this, Reaction([this](bool) { BtStartClick(); }));
  connect(BtCancel, &QPushButton::clicked, this, Reaction([this](bool) { BtCancelClick(); }));
  connect(BtPutInBoxes, &QPushButton::clicked, this, Reaction([this](bool) { BtPutInBoxesClick(); }));
  connect(BtHelp, &QPushButton::clicked, this, Reaction([this](bool) { emit helpRequested("assistant"); }));
  connect(&model_, &SessionModel::storeOpened, this, Reaction([this] { StoreOpened(); }));
  connect(&model_, &SessionModel::lengthUnitChanged, this, Reaction([this] {
    // The new unit is the searched engine's only when the session computes that engine.
    const Session& s = model_.session();
    if (!start_ || !s.taken() || s.engine().name != start_->name) return;
    unit_ = model_.lengthUnit();
    ShowDimensionValues();
    ShowDrawingGrid();
    if (front_)
      PickDesign(shown_);
    else if (result_)
      ShowResult(input_, result_);
  }));
}

QString TAssistantForm::Length(double value) const {
  return BoxText::Format(value) + QString::fromStdString(UnitSuffix(Quantity::length, unit_));
}

void TAssistantForm::ShowDimensionValues() {
  for (size_t i = 0; i < rows_.size(); ++i) {
    const DesignDimension& d = DesignDimensions()[i];
    const Quantity quantity = FindDimension(d.name)->quantity;
    rows_[i].value->setText(start_ ? BoxText::FormatFaithful((*start_).*d.field) +
                                         QString::fromStdString(UnitSuffix(quantity, unit_))
                                   : QString());
  }
}

void TAssistantForm::DropSearch() {
  if (searching_) jobs_.Start([](JobRunner::Job&) -> JobRunner::Delivery { return nullptr; });
  SetSearching(false);
  // The bar belongs to the search dropped: an idle Start shows an empty one.
  progress->reset();
}

void TAssistantForm::StoreOpened() {
  start_.reset();
  DropSearch();
  ClearResult();
  ShowDimensionValues();
  progress->reset();
  setWindowTitle("DESIGN ASSISTANT");
  LbStatus->setText(
      "No engine: another data folder was opened. Choose an engine in the main window and "
      "open the assistant again.");
}

void TAssistantForm::Open(const Engine& start) {
  start_ = start;
  unit_ = model_.lengthUnit();
  ShowDrawingGrid();
  ClearResult();
  for (size_t i = 0; i < rows_.size(); ++i) {
    const DesignDimension& d = DesignDimensions()[i];
    const FreeDimension bounds = DefaultBounds(start, d.name);
    rows_[i].lower->setText(BoxText::FormatFaithful(bounds.lower));
    rows_[i].upper->setText(BoxText::FormatFaithful(bounds.upper));
    const auto& defaults = DefaultFreeNames();
    rows_[i].free->setChecked(std::find(defaults.begin(), defaults.end(), d.name) != defaults.end());
  }
  ShowDimensionValues();
  const Session& s = model_.session();
  // The angle the user set the valves at, when the results window runs this engine.
  const bool sameEngine = s.taken() && s.engine().name == start.name;
  const double set = sameEngine ? s.settingAngleDeg().value_or(kDefaultSetAngleDeg) : kDefaultSetAngleDeg;
  EdSetAngle->setText(BoxText::Format(set));
  setWindowTitle("DESIGN ASSISTANT  " + BoxText::FromNameBytes(start.name));
  LbStatus->setText("Tick the dimensions the search may change and press Start.");
  // A search still running was for the engine before: dropping it also drops its result.
  DropSearch();
  show();
  raise();
  activateWindow();
}

QString TAssistantForm::ProposalName(const Engine& start,
                                     const std::function<bool(const std::string&)>& taken) {
  const auto none = [](const std::string&) { return false; };
  return BoxText::FromNameBytes(FreeEngineName(start.name, " equalised", taken ? taken : none));
}

DesignInput TAssistantForm::ReadInput() const {
  DesignInput input;
  input.start = *start_;
  input.setting = {BoxText::Number(EdSetAngle), CbValveSetting->currentIndex() == 1
                                                    ? ValveSetting::equalCutOff
                                                    : ValveSetting::equalLeads};
  constexpr DesignSide kSides[] = {DesignSide::both, DesignSide::down, DesignSide::up};
  input.rules.side = kSides[std::clamp(CbSide->currentIndex(), 0, 2)];
  input.rules.objective = CbObjective->currentIndex() == 1 ? DesignObjective::work : DesignObjective::cutOff;
  input.rules.cutOffShiftPct = BoxText::Number(EdCutOffShift);
  ReadLimits(input);
  for (size_t i = 0; i < rows_.size(); ++i) {
    if (!rows_[i].free->isChecked()) continue;
    input.free.push_back(
        {DesignDimensions()[i].name, BoxText::Number(rows_[i].lower), BoxText::Number(rows_[i].upper)});
  }
  const QString evals = EdMaxEvals->text().trimmed();
  bool whole = false;
  input.maxEvaluations = evals.toInt(&whole);
  if (!whole || input.maxEvaluations < 1) throw ConversionError(evals.toStdString());
  return input;
}

void TAssistantForm::BtStartClick() {
  if (!start_) return;
  const DesignInput input = ReadInput();
  if (const QString problem = InputProblem(input); !problem.isEmpty()) return LbStatus->setText(problem);
  if (TradeOffChosen()) return StartFront(input);
  ClearResult();
  progress->setRange(0, input.maxEvaluations);
  progress->setValue(0);
  LbBest->setText("Searching...");
  LbStatus->setText("The search runs in the background; Cancel stops it and keeps the best design so far.");
  SetSearching(true);
  jobs_.Start([this, input](JobRunner::Job& job) -> JobRunner::Delivery {
    const auto sink = [this, &job](const DesignProgress& p) { job.Post([this, p] { ShowProgress(p); }); };
    auto result =
        std::make_shared<const DesignResult>(SearchDesign(input, Cores(), &job.control.cancel, sink));
    return [this, input, result] { ShowResult(input, result); };
  });
}

void TAssistantForm::BtCancelClick() {
  jobs_.Cancel();
  LbStatus->setText("Cancelling...");
}

void TAssistantForm::BtPutInBoxesClick() {
  if (result_ && start_)
    emit putInBoxesRequested(result_->proposal, ProposalName(*start_, [this](const std::string& name) {
                               return model_.IsStored(name);
                             }));
}

void TAssistantForm::SetSearching(bool searching) {
  searching_ = searching;
  BtStart->setEnabled(!searching && start_);
  BtCancel->setEnabled(searching);
  for (QWidget* w : {static_cast<QWidget*>(EdSetAngle), static_cast<QWidget*>(CbValveSetting),
                     static_cast<QWidget*>(CbSide), static_cast<QWidget*>(EdCutOffShift),
                     static_cast<QWidget*>(CbObjective), static_cast<QWidget*>(EdMaxEvals),
                     static_cast<QWidget*>(CkKeepNotches), static_cast<QWidget*>(EdMidGearShift),
                     static_cast<QWidget*>(EdDieMargin), static_cast<QWidget*>(CbWorkLimit),
                     static_cast<QWidget*>(EdPrecision), static_cast<QWidget*>(EdTolerance)})
    w->setEnabled(!searching);
  EdWorkLimit->setEnabled(!searching && CbWorkLimit->currentIndex() == 1);
  for (DimensionRow& row : rows_)
    for (QWidget* w : {static_cast<QWidget*>(row.free), static_cast<QWidget*>(row.lower),
                       static_cast<QWidget*>(row.upper)})
      w->setEnabled(!searching);
}

void TAssistantForm::ShowProgress(const DesignProgress& p) {
  progress->setRange(0, p.maxEvaluations);
  progress->setValue(std::min(p.evaluations, p.maxEvaluations));
  LbBest->setText(p.best ? "Best trial so far: " + BoxText::Format(*p.best) + " %"
                         : "No trial within the constraints yet");
}

void TAssistantForm::closeEvent(QCloseEvent* event) {
  // A closed assistant leaves nothing running, and no bar of a search it dropped.
  DropSearch();
  jobs_.Cancel();
  QWidget::closeEvent(event);
}
