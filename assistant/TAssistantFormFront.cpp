// The assistant's trade-off: with "Both (trade-off)" Start runs the front on
// the window's JobRunner as a single search runs (progress over every search,
// Cancel keeping the designs finished), then plots it beside a list of its
// designs. Picking a point or a row shows that design in the tables and the
// plots over the range, and "Put in boxes" takes it. Clicks on the plot are
// queued: the pick replaces the chart whose series was clicked.
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScatterSeries>
#include <QScrollBar>
#include <thread>

#include "BoxText.h"
#include "FrontChart.h"
#include "Reaction.h"
#include "TAssistantForm.h"

namespace {

int Cores() {
  return static_cast<int>(std::thread::hardware_concurrency());
}

void SetChart(QChartView* view, QChart* chart) {
  QChart* old = view->chart();
  view->setChart(chart);
  delete old;
}

}  // namespace

QString TAssistantForm::SignedWork(double pct, const char* back, const char* front) {
  if (pct == 0) return "0";
  return BoxText::Format(pct) + (pct > 0 ? back : front);
}

QWidget* TAssistantForm::BuildFront(QWidget* column) {
  frontPanel = new QWidget(column);
  frontPanel->setObjectName("frontPanel");
  auto* layout = new QHBoxLayout(frontPanel);
  layout->setContentsMargins(0, 0, 0, 0);
  frontView = new QChartView(FrontChart::Make(TradeOffFront{}, -1), frontPanel);
  frontView->setObjectName("frontView");
  frontView->setRenderHint(QPainter::Antialiasing);
  frontView->setMinimumHeight(240);
  frontView->setToolTip("Click a design's point to show it; the grey square is the start");
  frontTable = new QTableWidget(0, 3, frontPanel);
  frontTable->setObjectName("frontTable");
  frontTable->setHorizontalHeaderLabels(
      {"Design", "Cut-off\ninequality (%)", "Work imbalance (%)\n(end doing more)"});
  frontTable->setWordWrap(false);
  frontTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  frontTable->setSelectionBehavior(QAbstractItemView::SelectRows);
  frontTable->setSelectionMode(QAbstractItemView::SingleSelection);
  frontTable->verticalHeader()->setVisible(false);
  frontTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  frontTable->horizontalHeader()->setStretchLastSection(true);
  frontTable->setToolTip(
      "Pick a design to show it; 1 has the best cut-off equality, the last the best work balance");
  connect(frontTable, &QTableWidget::itemSelectionChanged, this, Reaction([this] {
            const int row = frontTable->currentRow();
            if (front_ && row >= 0 && row != shown_) PickDesign(row);
          }));
  layout->addWidget(frontView, 3);
  layout->addWidget(frontTable, 2);
  frontPanel->hide();
  return frontPanel;
}

bool TAssistantForm::TradeOffChosen() const {
  return CbObjective->currentIndex() == 2;
}

void TAssistantForm::StartFront(const DesignInput& input) {
  ClearResult();
  progress->setRange(0, (2 + kFrontLevels) * input.maxEvaluations);
  progress->setValue(0);
  LbBest->setText("Searching for the trade-off...");
  LbStatus->setText(
      "The trade-off runs up to seven searches in the background; Cancel stops it and keeps the designs "
      "finished.");
  SetSearching(true);
  jobs_.Start([this, input](JobRunner::Job& job) -> JobRunner::Delivery {
    const auto sink = [this, &job](const FrontProgress& p) { job.Post([this, p] { ShowFrontProgress(p); }); };
    auto front =
        std::make_shared<const TradeOffFront>(FindTradeOffFront(input, Cores(), &job.control.cancel, sink));
    return [this, input, front] { ShowFront(input, front); };
  });
}

void TAssistantForm::ShowFrontProgress(const FrontProgress& p) {
  progress->setRange(0, p.maxEvaluations);
  progress->setValue(std::min(p.evaluations, p.maxEvaluations));
  QString text = QString("Search %1 of %2, ").arg(std::min(p.searchesDone + 1, p.searches)).arg(p.searches);
  text += p.objective == DesignObjective::work ? "best work balance" : "best cut-off equality";
  if (p.workLimitPct) text += " with the work imbalance at most " + BoxText::Format(*p.workLimitPct) + " %";
  if (p.best) text += "; best trial so far: " + BoxText::Format(*p.best) + " %";
  LbBest->setText(text);
}

void TAssistantForm::ShowFront(const DesignInput& input, std::shared_ptr<const TradeOffFront> front) {
  SetSearching(false);
  input_ = input;
  front_ = std::move(front);
  const TradeOffFront& f = *front_;
  if (f.status == DesignStatus::cannotStart || f.designs.empty()) {
    progress->reset();
    LbBest->clear();
    LbStatus->setText(f.status == DesignStatus::cannotStart
                          ? "The search cannot start. " + QString::fromStdString(f.problem)
                          : "Cancelled before the first design of the trade-off was found.");
    return;
  }
  frontTable->setRowCount(static_cast<int>(f.designs.size()));
  for (std::size_t i = 0; i < f.designs.size(); ++i) {
    const FrontDesign& d = f.designs[i];
    const QStringList cells = {QString::number(i + 1), BoxText::Format(d.cutOffInequality),
                               SignedWork(d.workImbalancePct, " (back)", " (front)")};
    for (int c = 0; c < cells.size(); ++c)
      frontTable->setItem(static_cast<int>(i), c, new QTableWidgetItem(cells[c]));
  }
  // The list keeps the width of its contents; the plot takes the rest.
  int width = 2 * frontTable->frameWidth() + frontTable->verticalScrollBar()->sizeHint().width();
  for (int c = 0; c < frontTable->columnCount(); ++c) {
    int column = frontTable->horizontalHeader()->sectionSizeHint(c);
    for (int row = 0; row < frontTable->rowCount(); ++row)
      column = std::max(column,
                        frontTable->fontMetrics().horizontalAdvance(frontTable->item(row, c)->text()) + 16);
    width += column;
  }
  frontTable->setMinimumWidth(width);
  frontPanel->show();
  shown_ = -1;
  PickDesign(0);
  progress->setValue(f.status == DesignStatus::cancelled ? std::min(f.evaluations, progress->maximum())
                                                         : progress->maximum());
}

void TAssistantForm::PickDesign(int index) {
  if (!front_ || index < 0 || index >= static_cast<int>(front_->designs.size())) return;
  shown_ = index;
  // The design shown is held by the front it belongs to.
  const DesignInput input = input_;
  ShowResult(input, std::shared_ptr<const DesignResult>(front_, &front_->designs[index].result));
  SetChart(frontView, FrontChart::Make(*front_, index));
  for (QAbstractSeries* series : frontView->chart()->series()) {
    const QVariant design = series->property("design");
    if (design.isValid())
      connect(static_cast<QScatterSeries*>(series), &QScatterSeries::clicked, this,
              Reaction([this, i = design.toInt()](const QPointF&) { PickDesign(i); }), Qt::QueuedConnection);
  }
  {
    const QSignalBlocker quiet(frontTable);
    frontTable->selectRow(index);
  }
  LbBest->setText(QString("Design %1 of %2 shown").arg(index + 1).arg(front_->designs.size()));
  LbStatus->setText(FrontStatusText());
}

void TAssistantForm::ClearFront() {
  front_.reset();
  shown_ = 0;
  frontTable->setRowCount(0);
  SetChart(frontView, FrontChart::Make(TradeOffFront{}, -1));
  frontPanel->hide();
}

QString TAssistantForm::FrontStatusText() const {
  const TradeOffFront& f = *front_;
  QString text = QString("Trade-off: %1 design(s) from %2 searches, %3 evaluations in %4 s.")
                     .arg(f.designs.size())
                     .arg(f.searches)
                     .arg(f.evaluations)
                     .arg(BoxText::Format(f.seconds));
  if (f.agreed) text += " The work search and the cut-off search agree: one design is best at both.";
  if (f.status == DesignStatus::noBetterDesign) text += " No design better than the start was found.";
  if (f.status == DesignStatus::cancelled) text += " Cancelled: the designs of the searches finished.";
  const FrontDesign& d = f.designs[static_cast<std::size_t>(shown_)];
  text += QString(" Design %1: worst cut-off inequality %2 %, worst work imbalance %3 %.")
              .arg(shown_ + 1)
              .arg(BoxText::Format(d.cutOffInequality), SignedWork(d.workImbalancePct));
  const DesignResult& r = d.result;
  if (r.status == DesignStatus::improved && r.tolerance.worstObjective)
    text += QString(" Within the tolerances the worst %1 is %2 %.")
                .arg(d.objective == DesignObjective::work ? "work imbalance" : "cut-off inequality",
                     BoxText::Format(*r.tolerance.worstObjective));
  if (!r.atBound.empty()) text += " Values in red italics stopped on a bound of the search.";
  return text;
}
