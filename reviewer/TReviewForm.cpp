// The window's controls and its one job: the review, then the sensitivities,
// then the fixes, each handed to the GUI thread as soon as it is done, so the
// checks show first and the fixes fill in one by one. A timer reads the job's
// counts for the progress bar; Cancel raises the job's flag and what was shown
// stays.
#include "TReviewForm.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <thread>

#include "BoxText.h"
#include "EngineRecord.h"
#include "EngineSchema.h"
#include "FreeName.h"
#include "Reaction.h"
#include "WindowPlacement.h"

namespace {

constexpr double kDefaultSetAngleDeg = 25;

int Cores() {
  return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

QTableWidget* Table(QWidget* parent, const char* name, const QStringList& headers) {
  auto* table = new QTableWidget(0, static_cast<int>(headers.size()), parent);
  table->setObjectName(name);
  table->setHorizontalHeaderLabels(headers);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->verticalHeader()->setDefaultSectionSize(20);
  return table;
}

}  // namespace

TReviewForm::TReviewForm(SessionModel& model, QWidget* parent) : QWidget(parent), model_(model) {
  setObjectName("ReviewForm");
  setWindowTitle("GEAR REVIEW");
  setProperty("helpTopic", "review");  // the help page F1 opens
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildControls());
  checkTable = Table(this, "checkTable", {"Check", "Figure", "Unit", "Good", "Fair", "Verdict"});
  checkTable->setSelectionMode(QAbstractItemView::NoSelection);
  sensitivityTable = Table(this, "sensitivityTable", {});
  sensitivityTable->setSelectionMode(QAbstractItemView::NoSelection);
  fixTable = Table(
      this, "fixTable",
      {"Check", "Dimension", "From", "To", "Figure after", "Verdict after", "Made worse", "Made better"});
  fixTable->setSelectionMode(QAbstractItemView::SingleSelection);
  auto* split = new QSplitter(Qt::Vertical, this);
  split->addWidget(checkTable);
  split->addWidget(BuildPlay());
  auto* sensitivities = new QWidget(split);
  auto* column = new QVBoxLayout(sensitivities);
  column->setContentsMargins(0, 0, 0, 0);
  auto* note = new QLabel(kSensitivityNote, sensitivities);
  note->setWordWrap(true);
  column->addWidget(note);
  column->addWidget(sensitivityTable, 1);
  split->addWidget(sensitivities);
  split->addWidget(fixTable);
  layout->addWidget(split, 1);
  ConnectReactions();
  WindowPlacement::PlaceOuter(this, QPoint(140, 0), QSize(1180, 860));
}

QWidget* TReviewForm::BuildControls() {
  auto* box = new QWidget(this);
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  LbEngine = new QLabel(box);
  LbEngine->setObjectName("LbEngine");
  EdSetAngle = new QLineEdit(box);
  EdSetAngle->setObjectName("EdSetAngle");
  EdSetAngle->setMaximumWidth(80);
  CbValveSetting = new QComboBox(box);
  CbValveSetting->setObjectName("CbValveSetting");
  CbValveSetting->addItems({"equal leads", "equal cut-off"});
  BtReview = new QPushButton("Review", box);
  BtCancel = new QPushButton("Cancel", box);
  BtTryIt = new QPushButton("Try it", box);
  BtTryIt->setToolTip("Puts the engine with the selected fix in the main window's boxes, unsaved");
  BtPdf = new QPushButton("PDF...", box);
  BtPrint = new QPushButton("Print...", box);
  BtHelp = new QPushButton("Help", box);
  progress = new QProgressBar(box);
  LbStatus = new QLabel(box);
  LbStatus->setObjectName("LbStatus");
  LbStatus->setWordWrap(true);
  grid->addWidget(LbEngine, 0, 0, 1, 9);
  grid->addWidget(new QLabel("Valves set at (deg.)", box), 1, 0);
  grid->addWidget(EdSetAngle, 1, 1);
  grid->addWidget(new QLabel("for", box), 1, 2);
  int column = 3;
  for (QWidget* w :
       {static_cast<QWidget*>(CbValveSetting), static_cast<QWidget*>(BtReview),
        static_cast<QWidget*>(BtCancel), static_cast<QWidget*>(BtTryIt), static_cast<QWidget*>(BtPdf),
        static_cast<QWidget*>(BtPrint), static_cast<QWidget*>(BtHelp)})
    grid->addWidget(w, 1, column++);
  grid->addWidget(progress, 2, 0, 1, 3);
  grid->addWidget(LbStatus, 2, 3, 1, 7);
  LbPlayGiven = new QLabel(box);
  EdPlay = new QLineEdit(box);
  EdPlay->setObjectName("EdPlay");
  EdPlay->setPlaceholderText("none");
  EdPlay->setToolTip(
      "A number: the total lost motion at the valve, as a fitter reads it (rock the wheel and "
      "read the spindle). Otherwise the name of a play file (joint,clearance).");
  BtPlayFile = new QPushButton("Play file...", box);
  BtJudgePlay = new QPushButton("Judge play", box);
  BtJudgePlay->setToolTip("Judges the gear with this play against the review shown: accept or re-bush");
  grid->addWidget(LbPlayGiven, 3, 0, 1, 3);
  grid->addWidget(EdPlay, 3, 3, 1, 4);
  grid->addWidget(BtPlayFile, 3, 7);
  grid->addWidget(BtJudgePlay, 3, 8);
  BtJudgePlay->setEnabled(false);
  BtCancel->setEnabled(false);
  BtTryIt->setEnabled(false);
  return box;
}

void TReviewForm::ConnectReactions() {
  connect(BtReview, &QPushButton::clicked, this, Reaction([this](bool) { BtReviewClick(); }));
  connect(BtCancel, &QPushButton::clicked, this, Reaction([this](bool) { BtCancelClick(); }));
  connect(BtTryIt, &QPushButton::clicked, this, Reaction([this](bool) { BtTryItClick(); }));
  connect(BtPdf, &QPushButton::clicked, this, Reaction([this](bool) { PdfClick(); }));
  connect(BtPrint, &QPushButton::clicked, this, Reaction([this](bool) { PrintClick(); }));
  connect(BtPlayFile, &QPushButton::clicked, this, Reaction([this](bool) { BtPlayFileClick(); }));
  connect(BtJudgePlay, &QPushButton::clicked, this, Reaction([this](bool) { BtJudgePlayClick(); }));
  connect(BtHelp, &QPushButton::clicked, this, Reaction([this](bool) { emit helpRequested("review"); }));
  connect(fixTable, &QTableWidget::itemSelectionChanged, this,
          Reaction([this] { BtTryIt->setEnabled(!fixTable->selectedItems().isEmpty()); }));
  connect(&model_, &SessionModel::storeOpened, this, Reaction([this] {
    engine_.reset();
    jobs_.Cancel();
    ClearResults();
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

void TReviewForm::Open(const Engine& engine) {
  engine_ = engine;
  const Session& s = model_.session();
  const bool sameEngine = s.taken() && s.engine().name == engine.name;
  EdSetAngle->setText(
      BoxText::Format(sameEngine ? s.settingAngleDeg().value_or(kDefaultSetAngleDeg) : kDefaultSetAngleDeg));
  CbValveSetting->setCurrentIndex(sameEngine && s.valveSetting() == ValveSetting::equalCutOff ? 1 : 0);
  const QString name = BoxText::FromNameBytes(engine.name);
  setWindowTitle("GEAR REVIEW  " + name);
  LbEngine->setText("<b>" + name.toHtmlEscaped() + "</b>");
  const std::string unit = UnitSuffix(Quantity::length, model_.lengthUnit());
  LbPlayGiven->setText(
      QString("Play: total lost motion b%1 or a play file")
          .arg(unit.empty() ? QString() : " (" + QString::fromStdString(unit).trimmed() + ")"));
  show();
  raise();
  activateWindow();
  StartReview();
}

void TReviewForm::BtReviewClick() {
  if (engine_) StartReview();
}

void TReviewForm::StartReview() {
  const ReviewSetting setting{BoxText::Number(EdSetAngle), CbValveSetting->currentIndex() == 1
                                                               ? ValveSetting::equalCutOff
                                                               : ValveSetting::equalLeads};
  ClearResults();
  const std::optional<GearPlay> play = PlayGiven();
  SetWorking(true);
  LbStatus->setText("Reviewing: the checks over the usable range...");
  progress->setRange(0, 0);
  const Engine engine = *engine_;
  const LengthUnit unit = model_.lengthUnit();
  jobs_.Start([this, engine, setting, play, unit](JobRunner::Job& job) -> JobRunner::Delivery {
    std::atomic<bool>* cancel = &job.control.cancel;
    auto review = std::make_shared<const GearReview>(ReviewGear(engine, setting, Cores(), cancel));
    job.Post([this, review] { ShowChecks(review); });
    if (!review->reviewed()) return [this, review] { Finished(QString::fromStdString(review->problem)); };
    if (play && !cancel->load()) {
      const PlayVerdict verdict = JudgePlay(*review, *play, unit, Cores());
      job.Post([this, verdict] { ShowPlay(verdict); });
    }
    job.control.total = static_cast<int>(kDimensions);
    auto table = std::make_shared<const SensitivityTable>(
        ComputeSensitivities(*review, Cores(), cancel, &job.control.done));
    if (table->cancelled) return [this] { Finished("Cancelled: the sensitivities were not finished."); };
    const int searches = FixSearchCount(*review, *table);
    job.Post([this, table, searches] { ShowSensitivities(table, searches); });
    job.control.done = 0;
    job.control.total = searches;
    const auto found = [this, &job](const ReviewFix& fix) { job.Post([this, fix] { AddFix(fix); }); };
    FindFixes(*review, *table, Cores(), cancel, found, &job.control.done);
    const bool cancelled = cancel->load();
    return [this, cancelled] {
      Finished(cancelled ? "Cancelled: the fixes shown are the ones found before." : "Review finished.");
    };
  });
}

void TReviewForm::BtCancelClick() {
  jobs_.Cancel();
  LbStatus->setText("Cancelling...");
}

QString TReviewForm::TryItName(const ReviewFix& fix) {
  const std::vector<std::string> stored = model_.ListEngineNames();
  const auto taken = [&stored](const std::string& name) {
    return std::find(stored.begin(), stored.end(), name) != stored.end();
  };
  const std::string caption = QString(EngineDimensions()[fix.dimension].caption).simplified().toStdString();
  // A caption too long to leave the engine's name a few letters names the copy alone.
  if (caption.size() + 5 > kEngineNameLimit)
    return BoxText::FromNameBytes(FreeEngineName(caption, "", taken));
  return BoxText::FromNameBytes(FreeEngineName(review_->engine.name, " " + caption, taken));
}

void TReviewForm::BtTryItClick() {
  const auto selected = fixTable->selectionModel()->selectedRows();
  if (selected.isEmpty() || !review_) return;
  const ReviewFix& fix = fixes_.at(static_cast<std::size_t>(selected.front().row()));
  emit tryItRequested(fix.after.engine, TryItName(fix));
}

void TReviewForm::SetWorking(bool working) {
  working_ = working;
  BtReview->setEnabled(!working);
  BtCancel->setEnabled(working);
  EdSetAngle->setEnabled(!working);
  CbValveSetting->setEnabled(!working);
  EdPlay->setEnabled(!working);
  BtPlayFile->setEnabled(!working);
  BtJudgePlay->setEnabled(!working && review_ && review_->reviewed());
}

void TReviewForm::ClearResults() {
  review_.reset();
  table_.reset();
  fixes_.clear();
  for (QTableWidget* t : {checkTable, sensitivityTable, fixTable}) t->setRowCount(0);
  BtTryIt->setEnabled(false);
  ClearPlay();
}

void TReviewForm::Finished(const QString& status) {
  SetWorking(false);
  progress->setRange(0, 1);
  progress->setValue(1);
  LbStatus->setText(status);
}

void TReviewForm::closeEvent(QCloseEvent* event) {
  // A closed review leaves nothing running.
  jobs_.Cancel();
  QWidget::closeEvent(event);
}
