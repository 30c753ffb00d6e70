// The worn gear in the review window: the play typed (a number is the total
// lost motion b at the valve, anything else the name of a play file read
// through the store) and the verdict of JudgePlay on the review's own
// notches, its words coloured by the verdict and the joints ranked by their
// effect on the deciding check, each with the clearance at which it changes.
#include <QFileDialog>
#include <QHeaderView>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <thread>

#include "BoxText.h"
#include "NumberFormat.h"
#include "PlayFile.h"
#include "QtPrompter.h"
#include "TReviewForm.h"

namespace {

int Cores() {
  return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

void Say(const QString& text) {
  AppPrompter().Inform("Message", text.toStdString());
}

QTableWidgetItem* Cell(const QString& text) {
  return new QTableWidgetItem(text);
}

QString Text(const std::string& s) {
  return QString::fromStdString(s);
}

// The words with their verdict ("Re-bush:", "Accept, watch the ...:", "Accept:") in bold.
QString VerdictHtml(const std::string& words) {
  const QString text = QString::fromStdString(words);
  const qsizetype lead = text.indexOf(':') + 1;
  return "<b>" + text.left(lead).toHtmlEscaped() + "</b>" + text.mid(lead).toHtmlEscaped();
}

QString Colour(PlayVerdictKind kind) {
  switch (kind) {
    case PlayVerdictKind::accept:
      return "#bee6be";
    case PlayVerdictKind::watch:
      return "#fae68c";
    case PlayVerdictKind::rebush:
      return "#f5aaaa";
  }
  return {};
}

// "0.5" or "b=0.5" or "b = 0.5": the total; anything else is a file's name.
std::optional<double> TotalIn(QString text) {
  text = text.trimmed();
  if (text.startsWith("b", Qt::CaseInsensitive) && text.mid(1).trimmed().startsWith('='))
    text = text.mid(1).trimmed().mid(1).trimmed();
  return ParseFloat(text.replace(',', '.').toStdString());
}

}  // namespace

QWidget* TReviewForm::BuildPlay() {
  auto* box = new QWidget(this);
  auto* column = new QVBoxLayout(box);
  column->setContentsMargins(0, 0, 0, 0);
  LbPlay = new QLabel(box);
  LbPlay->setObjectName("LbPlay");
  LbPlay->setWordWrap(true);
  LbPlay->setTextInteractionFlags(Qt::TextSelectableByMouse);
  column->addWidget(LbPlay);
  playTable = new QTableWidget(0, 4, box);
  playTable->setObjectName("playTable");
  playTable->setHorizontalHeaderLabels(
      {"Joint (most effect first)", "Clearance", "Effect per unit of clearance", "Verdict changes at"});
  playTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  playTable->setSelectionMode(QAbstractItemView::NoSelection);
  playTable->verticalHeader()->setDefaultSectionSize(20);
  column->addWidget(playTable, 1);
  ClearPlay();
  return box;
}

void TReviewForm::ClearPlay() {
  playVerdict_.reset();
  playTable->setRowCount(0);
  playTable->horizontalHeaderItem(2)->setText("Effect per unit of clearance");
  playTable->resizeColumnsToContents();
  LbPlay->setStyleSheet({});
  LbPlay->setText(
      "Accept or re-bush: give the play above (the total lost motion at the valve, or a play file) "
      "and press Review or Judge play.");
}

std::optional<GearPlay> TReviewForm::PlayGiven() {
  const QString text = EdPlay->text().trimmed();
  if (text.isEmpty() || !engine_) return std::nullopt;
  GearPlay play;
  QString problem;
  if (const auto total = TotalIn(text)) {
    play.total = *total;
  } else if (const PlayRead read = ReadPlayFile(text.toStdString()); read.ok()) {
    play = read.play;
  } else {
    problem = Text(read.problem);
  }
  if (const std::string bad = PlayProblem(play, *engine_); problem.isEmpty() && !bad.empty())
    problem = "The play cannot be judged: " + Text(bad) + ".";
  if (problem.isEmpty()) return play;
  // A verdict shown beside a play that is no longer the one given would mislead.
  ClearPlay();
  LbPlay->setText("No verdict: " + problem.toHtmlEscaped());
  Say(problem);
  return std::nullopt;
}

void TReviewForm::BtPlayFileClick() {
  const QString path =
      QFileDialog::getOpenFileName(this, "Open a play file", {}, "Play files (*.csv);;All files (*)");
  if (!path.isEmpty()) EdPlay->setText(path);
}

void TReviewForm::BtJudgePlayClick() {
  if (working_ || !review_ || !review_->reviewed()) return;
  const std::optional<GearPlay> play = PlayGiven();
  if (!play) {
    if (EdPlay->text().trimmed().isEmpty()) LbPlay->setText("No play given: type b, or choose a play file.");
    return;
  }
  ClearPlay();
  SetWorking(true);
  progress->setRange(0, 0);
  LbStatus->setText("Judging the gear with the play on the review's notches...");
  const std::shared_ptr<const GearReview> review = review_;
  const LengthUnit unit = model_.lengthUnit();
  jobs_.Start([this, review, play, unit](JobRunner::Job& job) -> JobRunner::Delivery {
    const PlayVerdict verdict = JudgePlay(*review, *play, unit, Cores());
    const bool cancelled = job.control.cancelled();
    return [this, verdict, cancelled] {
      if (!cancelled) ShowPlay(verdict);
      Finished(cancelled ? "Cancelled: the play was not judged." : "The play judged.");
    };
  });
}

void TReviewForm::ShowPlay(const PlayVerdict& verdict) {
  playVerdict_ = verdict;
  playTable->setRowCount(0);
  if (!verdict.problem.empty()) {
    LbPlay->setStyleSheet({});
    return LbPlay->setText("With the play: no verdict. " + Text(verdict.problem).toHtmlEscaped());
  }
  const CheckSpec& deciding = ReviewChecks()[verdict.check];
  const std::string length = UnitSuffix(Quantity::length, model_.lengthUnit());
  const QString per = QString("%1 per%2").arg(deciding.unit, Text(length.empty() ? " unit" : length));
  LbPlay->setStyleSheet("QLabel#LbPlay { background: " + Colour(verdict.verdict) + "; padding: 4px; }");
  LbPlay->setText(VerdictHtml(verdict.words) + "<br>Joints by their effect on the " +
                  QString(deciding.title).toLower().toHtmlEscaped() + " (" + per.toHtmlEscaped() +
                  " of clearance):");
  playTable->horizontalHeaderItem(2)->setText("Effect per unit of clearance\n(" + per + ")");
  for (const JointEffect& j : verdict.joints) {
    const int row = playTable->rowCount();
    playTable->insertRow(row);
    playTable->setItem(row, 0, Cell(Text(j.words) + " (" + Text(j.joint) + ")"));
    playTable->setItem(row, 1, Cell(Text(FormatGeneral4(j.clearance) + length)));
    playTable->setItem(row, 2, Cell(Text(FormatGeneral4(j.perUnit))));
    playTable->setItem(row, 3,
                       Cell(j.clearanceAtChange ? Text(FormatGeneral4(*j.clearanceAtChange) + length)
                                                : QString("none in reach")));
  }
  playTable->resizeColumnsToContents();
}
