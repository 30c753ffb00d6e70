// The page's controls and its one job: DiagnoseRunning on a copy of the
// prepared design and the table's evidence, on the page's own JobRunner; a
// timer reads the fits' count for the progress bar and Cancel raises the
// job's flag, which the diagnosis reads between fits.
#include "RunningPage.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

#include "NumberFormat.h"
#include "Reaction.h"
#include "SettingWords.h"

namespace {

QTableWidgetItem* Cell(const QString& text, const QString& tip = {}) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  if (!tip.isEmpty()) item->setToolTip(tip);
  return item;
}

QString Text(const std::string& s) {
  return QString::fromStdString(s);
}

// A deviation's name with the sense its positive value has.
QString DeviationWords(const SettingDesign& design, int j) {
  if (j == spindleIndex) return "valve on its spindle (+ towards the front)";
  if (j == rod1Index || j == rod2Index) return Text(RodName(design, j - rod1Index + 1)) + " (+ long)";
  return Text(EccentricName(design, j - advance1Index + 1)) + " (+ ahead)";
}

QString Capital(QString s) {
  if (!s.isEmpty()) s[0] = s[0].toUpper();
  return s;
}

}  // namespace

RunningPage::RunningPage(SessionModel& model, QWidget* parent) : QWidget(parent), model_(model) {
  setObjectName("RunningPage");
  auto* layout = new QVBoxLayout(this);
  auto* split = new QSplitter(Qt::Horizontal, this);
  split->addWidget(BuildEvidence());
  split->addWidget(BuildFindings());
  split->setStretchFactor(1, 1);
  split->setSizes({560, 680});
  layout->addWidget(split, 1);
  ConnectReactions();
  SetWorking(false);
}

QWidget* RunningPage::BuildEvidence() {
  auto* box = new QWidget(this);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* heading = new QLabel(
      "<b>Evidence</b> of the running engine: the events read off indicator cards (cut-off, release, "
      "compression at each end, % of stroke) or the crank angles of the exhaust beats (deg. after that "
      "end's dead centre). A row with no value is not read.",
      box);
  heading->setWordWrap(true);
  layout->addWidget(heading);
  evidenceTable = new QTableWidget(0, columnCount, box);
  evidenceTable->setObjectName("evidenceTable");
  evidenceTable->setHorizontalHeaderLabels({"Angle (deg.)", "End", "Event", "Value", "Unit", "±"});
  evidenceTable->setEditTriggers(QAbstractItemView::AllEditTriggers);
  layout->addWidget(evidenceTable, 1);
  auto* buttons = new QHBoxLayout;
  BtOpen = new QPushButton("Open...", box);
  BtSave = new QPushButton("Save...", box);
  BtAddRow = new QPushButton("Add row", box);
  BtRemoveRow = new QPushButton("Remove row", box);
  BtCardRows = new QPushButton("Card rows", box);
  BtCardRows->setToolTip("Puts blank rows of the cards usually taken: half forward and half back gear");
  for (QPushButton* b : {BtOpen, BtSave, BtAddRow, BtRemoveRow, BtCardRows}) buttons->addWidget(b);
  buttons->addStretch(1);
  layout->addLayout(buttons);
  return box;
}

QWidget* RunningPage::BuildFindings() {
  auto* box = new QWidget(this);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* commands = new QHBoxLayout;
  BtDiagnose = new QPushButton("Diagnose", box);
  BtDiagnose->setToolTip("Fits each cause alone to the evidence and ranks them");
  BtCancel = new QPushButton("Cancel", box);
  progress = new QProgressBar(box);
  commands->addWidget(BtDiagnose);
  commands->addWidget(BtCancel);
  commands->addWidget(progress, 1);
  layout->addLayout(commands);
  LbStatus = new QLabel(box);
  LbStatus->setObjectName("LbRunningStatus");
  LbStatus->setWordWrap(true);
  LbStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(LbStatus);
  causeTable = new QTableWidget(0, 3, box);
  causeTable->setObjectName("causeTable");
  causeTable->setHorizontalHeaderLabels({"Cause, each alone (best first)", "Size", "Explains"});
  causeTable->horizontalHeaderItem(2)->setToolTip(
      "The share of the evidence's departure from the design this cause alone accounts for");
  causeTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  causeTable->setWordWrap(true);
  causeTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  layout->addWidget(causeTable, 1);
  findings = new QTextBrowser(box);
  findings->setObjectName("findings");
  layout->addWidget(findings, 1);
  return box;
}

void RunningPage::ConnectReactions() {
  connect(BtDiagnose, &QPushButton::clicked, this, Reaction([this](bool) { BtDiagnoseClick(); }));
  connect(BtCancel, &QPushButton::clicked, this, Reaction([this](bool) { BtCancelClick(); }));
  connect(BtOpen, &QPushButton::clicked, this, Reaction([this](bool) { BtOpenClick(); }));
  connect(BtSave, &QPushButton::clicked, this, Reaction([this](bool) { BtSaveClick(); }));
  connect(BtAddRow, &QPushButton::clicked, this, Reaction([this](bool) {
            AddRow(Evidence{0, ReadingEnd::front, EvidenceEvent::cutOff, 0, 0.5}, true);
          }));
  connect(BtRemoveRow, &QPushButton::clicked, this, Reaction([this](bool) {
            if (evidenceTable->currentRow() < 0) return;
            evidenceTable->removeRow(evidenceTable->currentRow());
            ClearFindings();
          }));
  connect(BtCardRows, &QPushButton::clicked, this, Reaction([this](bool) {
            const QSignalBlocker quiet(evidenceTable);
            evidenceTable->setRowCount(0);
            for (const Evidence& e : CardRows()) AddRow(e, true);
            ClearFindings();
          }));
  connect(evidenceTable, &QTableWidget::itemChanged, this, Reaction([this](QTableWidgetItem*) {
            if (diagnosis_) {
              ClearFindings();
              LbStatus->setText("The evidence changed since the diagnosis: press Diagnose again.");
            }
          }));
  auto* poll = new QTimer(this);
  connect(poll, &QTimer::timeout, this, [this] {
    if (!working_ || jobs_.total() <= 0) return;
    progress->setRange(0, jobs_.total());
    progress->setValue(std::min(jobs_.done(), jobs_.total()));
  });
  poll->start(100);
}

void RunningPage::SetDesign(std::shared_ptr<const ShopSetting> prepared, const QString& suggestedFile) {
  Reset();
  prepared_ = std::move(prepared);
  suggestedFile_ = suggestedFile;
  SetWorking(false);
  if (prepared_ && prepared_->ok() && evidenceTable->rowCount() == 0) {
    const QSignalBlocker quiet(evidenceTable);
    for (const Evidence& e : CardRows()) AddRow(e, true);
  }
  LbStatus->setText(
      prepared_ && prepared_->ok() ? "Fill in what the cards or the beats show, then press Diagnose." : "");
}

void RunningPage::Reset() {
  jobs_.Cancel();
  ClearFindings();
  SetWorking(false);
  LbStatus->clear();
}

std::vector<Evidence> RunningPage::CardRows() const {
  std::vector<Evidence> rows;
  if (!prepared_ || !prepared_->design) return rows;
  const UsableRange& range = prepared_->design->usable;
  for (const double angle : {std::round(range.hiDeg / 2 * 10) / 10, std::round(range.loDeg / 2 * 10) / 10})
    for (const ReadingEnd end : {ReadingEnd::front, ReadingEnd::back})
      for (const EvidenceEvent event :
           {EvidenceEvent::cutOff, EvidenceEvent::release, EvidenceEvent::compression})
        rows.push_back({angle, end, event, 0, 0.5});
  return rows;
}

void RunningPage::BtDiagnoseClick() {
  if (working_) return;
  if (!prepared_ || !prepared_->ok())
    return LbStatus->setText("Nothing was diagnosed: the design is not prepared yet.");
  const TableRead read = ReadTable();
  if (!read.problem.isEmpty()) {
    if (read.row >= 0) evidenceTable->setCurrentCell(read.row, 0);
    return LbStatus->setText("Nothing was diagnosed: " + read.problem);
  }
  if (read.rows.empty()) return LbStatus->setText("Nothing was diagnosed: no row has a value.");
  ClearFindings();
  SetWorking(true);
  progress->setRange(0, 0);
  LbStatus->setText("Fitting each cause to the evidence...");
  const std::shared_ptr<const ShopSetting> prepared = prepared_;
  const std::vector<Evidence> rows = read.rows;
  jobs_.Start([this, prepared, rows](JobRunner::Job& job) -> JobRunner::Delivery {
    auto found =
        std::make_shared<const RunningDiagnosis>(DiagnoseRunning(*prepared->design, rows, &job.control));
    return [this, found] { Show(found); };
  });
}

void RunningPage::BtCancelClick() {
  jobs_.Cancel();
  LbStatus->setText("Cancelling: the fit under way ends first...");
}

void RunningPage::SetWorking(bool working) {
  working_ = working;
  const bool ready = prepared_ && prepared_->ok();
  BtDiagnose->setEnabled(!working && ready);
  BtCancel->setEnabled(working);
  BtOpen->setEnabled(!working);
  BtCardRows->setEnabled(!working && ready);
}

void RunningPage::ClearFindings() {
  diagnosis_.reset();
  causeTable->setRowCount(0);
  findings->clear();
}

void RunningPage::Show(std::shared_ptr<const RunningDiagnosis> found) {
  SetWorking(false);
  progress->setRange(0, 1);
  progress->setValue(1);
  if (!found->ok()) {
    return LbStatus->setText(found->problem == "Cancelled."
                                 ? QString("Cancelled: nothing was diagnosed.")
                                 : "Nothing was diagnosed: " + Text(found->problem));
  }
  diagnosis_ = std::move(found);
  const SettingDesign& design = *prepared_->design;
  causeTable->setRowCount(static_cast<int>(diagnosis_->causes.size()));
  for (int i = 0; i < causeTable->rowCount(); ++i) {
    const CauseFit& c = diagnosis_->causes[static_cast<std::size_t>(i)];
    const std::string unit = CauseUnit(c.cause, design.unit);
    causeTable->setItem(i, 0, Cell(Capital(Text(c.words))));
    causeTable->setItem(i, 1, Cell(Text(FormatGeneral4(c.size) + (unit.empty() ? "" : " " + unit))));
    causeTable->setItem(i, 2, Cell(Text(FormatGeneral4(std::round(1000 * c.explains) / 10)) + " %"));
  }
  causeTable->resizeColumnToContents(1);
  causeTable->resizeColumnToContents(2);
  causeTable->resizeRowsToContents();
  QString html =
      "<p><b>All fitted together</b> (each held near zero by its plausible size; the valve on its "
      "spindle and both rods together are nearly one):</p><ul>";
  const std::string length = UnitSuffix(Quantity::length, design.unit);
  for (int j = 0; j < kDeviationCount; ++j)
    html +=
        "<li>" + DeviationWords(design, j).toHtmlEscaped() + ": " +
        Text(FormatGeneral4(diagnosis_->together.deviations[j]) + (IsAngleDeviation(j) ? " deg." : length)) +
        "</li>";
  html += "<li>play (total lost motion at the valve): " +
          Text(FormatGeneral4(diagnosis_->together.play) + length) + "</li></ul>";
  if (diagnosis_->undecided.empty()) html += "<p>The evidence tells the first cause from the others.</p>";
  for (const std::string& sentence : diagnosis_->undecided)
    html += "<p>" + Text(sentence).toHtmlEscaped() + "</p>";
  findings->setHtml(html);
  LbStatus->setText("First: " + Text(diagnosis_->causes.front().words) + ".");
}
