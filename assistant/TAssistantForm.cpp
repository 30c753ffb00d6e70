// The assistant's controls, the reading of its inputs and the start, cancel
// and "Put in boxes" reactions. Numbers are read and shown as the main window's
// boxes do (locale separator, 4 significant digits); notches are separated by
// commas, or by semicolons where the comma is the decimal separator. The
// default notches (a quadrant study) and the search run as jobs, the latest
// request dropping what an earlier one would deliver.
#include "TAssistantForm.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>
#include <thread>

#include "BoxText.h"
#include "NumberFormat.h"
#include "Reaction.h"
#include "WindowPlacement.h"

namespace {

constexpr double kDefaultSetAngleDeg = 25;

int Cores() {
  return static_cast<int>(std::thread::hardware_concurrency());
}

QChar NotchSeparator() {
  return BoxText::DecimalSeparator() == ',' ? ';' : ',';
}

QString NotchesText(const std::vector<double>& notches) {
  QStringList texts;
  for (const double notch : notches) texts << BoxText::Format(notch);
  return texts.join(QString(NotchSeparator()) + " ");
}

QLineEdit* SmallEdit(QWidget* parent, const QString& name, int width) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setMaximumWidth(width);
  return edit;
}

}  // namespace

TAssistantForm::TAssistantForm(SessionModel& model, QWidget* parent) : QWidget(parent), model_(model) {
  setObjectName("AssistantForm");
  setWindowTitle("DESIGN ASSISTANT");
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(BuildInputs());
  layout->addWidget(BuildOutputs(), 1);
  ConnectReactions();
  // Beside the main window's place, as far as the screen allows.
  WindowPlacement::PlaceOuter(this, QPoint(250, 0), QSize(1020, 750));
}

QWidget* TAssistantForm::BuildInputs() {
  auto* column = new QWidget(this);
  auto* layout = new QVBoxLayout(column);
  layout->addWidget(BuildDimensionGrid());
  auto* form = new QGridLayout;
  EdSetAngle = SmallEdit(column, "EdSetAngle", 80);
  EdSetAngle->setToolTip(
      "The valves are centred for equal leads at this lifting-arm angle, as the first GO does");
  EdNotches = SmallEdit(column, "EdNotches", 400);
  EdNotches->setToolTip(
      "Lifting-arm angles (deg.) at which front and back cut-off are compared; empty: the working notches");
  EdMaxEvals = SmallEdit(column, "EdMaxEvals", 80);
  EdMaxEvals->setText(QString::number(kDefaultMaxEvaluations));
  form->addWidget(new QLabel("Valves set at (deg.)", column), 0, 0);
  form->addWidget(EdSetAngle, 0, 1);
  form->addWidget(new QLabel("Notches (deg.)", column), 1, 0);
  form->addWidget(EdNotches, 1, 1);
  form->addWidget(new QLabel("Evaluations at most", column), 2, 0);
  form->addWidget(EdMaxEvals, 2, 1);
  layout->addLayout(form);
  layout->addLayout(BuildButtons(column));
  progress = new QProgressBar(column);
  LbBest = new QLabel(column);
  LbStatus = new QLabel(column);
  LbStatus->setWordWrap(true);
  for (QWidget* w :
       {static_cast<QWidget*>(progress), static_cast<QWidget*>(LbBest), static_cast<QWidget*>(LbStatus)})
    layout->addWidget(w);
  layout->addStretch(1);
  return column;
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
    const QString name = DesignDimensions()[i].name;
    DimensionRow& row = rows_[i];
    row.free = new QCheckBox(name, box);
    row.free->setObjectName("Free_" + name);
    row.value = new QLabel(box);
    row.lower = SmallEdit(box, "Lower_" + name, 70);
    row.upper = SmallEdit(box, "Upper_" + name, 70);
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
}

void TAssistantForm::Open(const Engine& start) {
  start_ = start;
  result_.reset();
  for (size_t i = 0; i < rows_.size(); ++i) {
    const DesignDimension& d = DesignDimensions()[i];
    const FreeDimension bounds = DefaultBounds(start, d.name);
    rows_[i].value->setText(BoxText::Format(start.*d.field));
    rows_[i].lower->setText(BoxText::Format(bounds.lower));
    rows_[i].upper->setText(BoxText::Format(bounds.upper));
    const auto& defaults = DefaultFreeNames();
    rows_[i].free->setChecked(std::find(defaults.begin(), defaults.end(), d.name) != defaults.end());
  }
  const Session& s = model_.session();
  // The angle the user set the valves at, when the results window runs this engine.
  const bool sameEngine = s.taken() && s.engine().name == start.name;
  const double set = sameEngine ? s.settingAngleDeg().value_or(kDefaultSetAngleDeg) : kDefaultSetAngleDeg;
  EdSetAngle->setText(BoxText::Format(set));
  EdNotches->clear();
  setWindowTitle("DESIGN ASSISTANT  " + BoxText::FromNameBytes(start.name));
  LbStatus->setText("Finding the working notches of the engine's quadrant study...");
  LbBest->clear();
  // A search still running was for the engine before: this request drops its result.
  SetSearching(false);
  SetPreparing(true);
  jobs_.Start([this, start, set](JobRunner::Job&) -> JobRunner::Delivery {
    std::vector<double> notches = DefaultNotches(start, set, Cores());
    return [this, notches = std::move(notches)] { Prepared(notches); };
  });
  show();
  raise();
  activateWindow();
}

void TAssistantForm::Prepared(const std::vector<double>& notches) {
  SetPreparing(false);
  EdNotches->setText(NotchesText(notches));
  LbStatus->setText(notches.empty()
                        ? "The engine has no working notches at this setting angle: type the notches."
                        : "Tick the dimensions the search may change and press Start.");
}

QString TAssistantForm::ProposalName(const Engine& start) {
  return BoxText::First29(BoxText::FromNameBytes(start.name) + " equalised");
}

DesignInput TAssistantForm::ReadInput() const {
  DesignInput input;
  input.start = start_;
  input.setAngleDeg = BoxText::Number(EdSetAngle);
  for (const QString& part : EdNotches->text().split(NotchSeparator(), Qt::SkipEmptyParts))
    if (!part.trimmed().isEmpty()) input.notchesDeg.push_back(BoxText::Number(part.trimmed()));
  for (size_t i = 0; i < rows_.size(); ++i) {
    if (!rows_[i].free->isChecked()) continue;
    const FreeDimension d{DesignDimensions()[i].name, BoxText::Number(rows_[i].lower),
                          BoxText::Number(rows_[i].upper)};
    if (d.lower > d.upper) throw ConversionError("Lower bound above upper bound for " + d.name);
    input.free.push_back(d);
  }
  const QString evals = EdMaxEvals->text().trimmed();
  bool whole = false;
  input.maxEvaluations = evals.toInt(&whole);
  if (!whole || input.maxEvaluations < 1)
    throw ConversionError("Evaluations at most: " + evals.toStdString());
  return input;
}

void TAssistantForm::BtStartClick() {
  DesignInput input = ReadInput();
  if (input.free.empty()) return LbStatus->setText("Tick at least one free dimension.");
  result_.reset();
  progress->setRange(0, input.maxEvaluations);
  progress->setValue(0);
  LbBest->setText("Searching...");
  LbStatus->setText("The search runs on both cores; Cancel stops it and keeps the best design so far.");
  SetSearching(true);
  jobs_.Start([this, given = std::move(input)](JobRunner::Job& job) -> JobRunner::Delivery {
    DesignInput input = given;
    // An empty box asks for the working notches at the angle typed.
    if (input.notchesDeg.empty()) input.notchesDeg = DefaultNotches(input.start, input.setAngleDeg, Cores());
    if (input.notchesDeg.empty()) return [this] { ShowNoNotches(); };
    const auto sink = [this, &job](const DesignProgress& p) { job.Post([this, p] { ShowProgress(p); }); };
    auto result =
        std::make_shared<const DesignResult>(SearchDesign(input, Cores(), &job.control.cancel, sink));
    return [this, input, result] {
      // The working notches found for an empty box are shown there.
      if (EdNotches->text().trimmed().isEmpty()) EdNotches->setText(NotchesText(input.notchesDeg));
      ShowResult(input, result);
    };
  });
}

void TAssistantForm::BtCancelClick() {
  jobs_.Cancel();
  LbStatus->setText("Cancelling...");
}

void TAssistantForm::BtPutInBoxesClick() {
  if (result_) emit putInBoxesRequested(result_->proposal, ProposalName(start_));
}

// While the default notches are sought, the angle they are for and the notch
// box wait for them; the bar shows the window is busy.
void TAssistantForm::SetPreparing(bool preparing) {
  preparing_ = preparing;
  for (QWidget* w :
       {static_cast<QWidget*>(BtStart), static_cast<QWidget*>(EdSetAngle), static_cast<QWidget*>(EdNotches)})
    w->setEnabled(!preparing);
  progress->setRange(0, preparing ? 0 : 1);
  progress->reset();
}

void TAssistantForm::SetSearching(bool searching) {
  searching_ = searching;
  BtStart->setEnabled(!searching);
  BtCancel->setEnabled(searching);
  BtPutInBoxes->setEnabled(false);
  for (QLineEdit* edit : {EdSetAngle, EdNotches, EdMaxEvals}) edit->setEnabled(!searching);
  for (DimensionRow& row : rows_)
    for (QWidget* w : {static_cast<QWidget*>(row.free), static_cast<QWidget*>(row.lower),
                       static_cast<QWidget*>(row.upper)})
      w->setEnabled(!searching);
}

void TAssistantForm::ShowNoNotches() {
  SetSearching(false);
  progress->reset();
  LbBest->clear();
  LbStatus->setText("The engine has no working notches at this setting angle: type the notches.");
}

void TAssistantForm::ShowProgress(const DesignProgress& p) {
  progress->setRange(0, p.maxEvaluations);
  progress->setValue(std::min(p.evaluations, p.maxEvaluations));
  LbBest->setText(p.bestInequality ? "Best worst cut-off inequality so far: " +
                                         BoxText::Format(*p.bestInequality) + " % of stroke"
                                   : "No design within the constraints yet");
}

void TAssistantForm::closeEvent(QCloseEvent* event) {
  // A closed assistant leaves nothing running.
  jobs_.Cancel();
  QWidget::closeEvent(event);
}
