// The assistant's outputs: the status, the cut-off curves before and after on
// one chart, the notch table (before -> after) and the free dimensions with the
// changed ones highlighted.
#include <QChart>
#include <QChartView>
#include <QHeaderView>
#include <QLineSeries>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <map>

#include "BoxText.h"
#include "TAssistantForm.h"

namespace {

QTableWidget* Table(QWidget* parent, const QString& name, const QStringList& headers) {
  auto* table = new QTableWidget(0, static_cast<int>(headers.size()), parent);
  table->setObjectName(name);
  table->setHorizontalHeaderLabels(headers);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->verticalHeader()->setVisible(false);
  table->setWordWrap(false);
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table->horizontalHeader()->setStretchLastSection(true);
  return table;
}

QString Figure(const DesignFigures& f, std::size_t notch, double RunResults::*field) {
  if (notch >= f.notches.size() || !f.notches[notch].ok()) return "fails";
  return BoxText::Format(f.notches[notch].results.*field);
}

QString CutOff(const DesignFigures& f, std::size_t notch, ValveEvent event) {
  if (notch >= f.notches.size() || !f.notches[notch].ok()) return "fails";
  const RunResults& r = f.notches[notch].results;
  return r.eventFound[event] ? BoxText::Format(r.eventPct[event]) : "none";
}

// One curve over the notches in order of angle; a notch without the cut-off is left out.
QLineSeries* Curve(const QString& name, const DesignFigures& f, ValveEvent event, QColor colour,
                   bool dashed) {
  auto* series = new QLineSeries;
  series->setName(name);
  std::map<double, double> points;
  for (const StudyRow& row : f.notches)
    if (row.ok() && row.results.eventFound[event]) points[row.liftArmDeg] = row.results.eventPct[event];
  for (const auto& [angle, pct] : points) series->append(angle, pct);
  QPen pen(colour, dashed ? 1.5 : 2.5, dashed ? Qt::DashLine : Qt::SolidLine);
  series->setPen(pen);
  series->setPointsVisible(true);
  return series;
}

// Qt Charts takes an axis's range from the first series alone: set it over all.
void FitAxes(const QList<QAbstractSeries*>& curves, QValueAxis* x, QValueAxis* y) {
  double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
  bool first = true;
  for (QAbstractSeries* series : curves)
    for (const QPointF& p : static_cast<QLineSeries*>(series)->points()) {
      xMin = first ? p.x() : std::min(xMin, p.x());
      xMax = first ? p.x() : std::max(xMax, p.x());
      yMin = first ? p.y() : std::min(yMin, p.y());
      yMax = first ? p.y() : std::max(yMax, p.y());
      first = false;
    }
  const double xPad = std::max(1.0, 0.03 * (xMax - xMin)), yPad = std::max(1.0, 0.05 * (yMax - yMin));
  x->setRange(xMin - xPad, xMax + xPad);
  y->setRange(yMin - yPad, yMax + yPad);
}

}  // namespace

QWidget* TAssistantForm::BuildOutputs() {
  auto* column = new QWidget(this);
  auto* layout = new QVBoxLayout(column);
  chartView = new QChartView(column);
  chartView->setObjectName("chartView");
  chartView->setRenderHint(QPainter::Antialiasing);
  chartView->setMinimumHeight(300);
  layout->addWidget(chartView, 3);
  notchTable = Table(column, "notchTable",
                     {"Notch (deg.)", "Cut-off back (%)", "Cut-off front (%)", "|Back - front|", "Lead back",
                      "Lead front", "Port opening back", "Port opening front"});
  notchTable->setToolTip("Before -> after; the port openings are the maximum openings at each end");
  layout->addWidget(notchTable, 2);
  dimensionTable = Table(column, "dimensionTable", {"Dimension", "Before", "After", "Lower", "Upper"});
  layout->addWidget(dimensionTable, 1);
  return column;
}

void TAssistantForm::ShowResult(const DesignInput& input, std::shared_ptr<const DesignResult> result) {
  SetSearching(false);
  input_ = input;
  result_ = std::move(result);
  const DesignResult& r = *result_;
  // A search may converge before its limit: the bar ends full all the same,
  // unless it was cancelled.
  progress->setValue(r.status == DesignStatus::cancelled ? std::min(r.evaluations, progress->maximum())
                                                         : progress->maximum());
  const QString before = r.before.complete ? BoxText::Format(r.before.worstInequality) : "none";
  const QString after = r.after.complete ? BoxText::Format(r.after.worstInequality) : "none";
  QString text = QString("Status: %1. Worst cut-off inequality %2 -> %3 % of stroke; %4 evaluations in %5 s.")
                     .arg(StatusText(r.status), before, after)
                     .arg(r.evaluations)
                     .arg(BoxText::Format(r.seconds));
  if (!r.before.complete)
    text += " The start design fails at a notch or misses a valve event there: choose other notches.";
  LbStatus->setText(text);
  LbBest->setText(r.after.complete ? "Proposal: worst cut-off inequality " + after + " % of stroke" : "");
  const bool changed =
      r.status == DesignStatus::improved ||
      (r.status == DesignStatus::cancelled && r.after.worstInequality < r.before.worstInequality);
  BtPutInBoxes->setEnabled(changed);
  ShowChart(input_, r);
  ShowNotchTable(input_, r);
  ShowDimensionTable(input_, r);
}

void TAssistantForm::ShowChart(const DesignInput&, const DesignResult& r) {
  auto* chart = new QChart;
  chart->setTitle("Cut-off at the back and the front, before and after");
  chart->addSeries(Curve("Back, before", r.before, cutOffBack, QColor(200, 120, 120), true));
  chart->addSeries(Curve("Front, before", r.before, cutOffFront, QColor(120, 120, 200), true));
  chart->addSeries(Curve("Back, after", r.after, cutOffBack, QColor(180, 0, 0), false));
  chart->addSeries(Curve("Front, after", r.after, cutOffFront, QColor(0, 0, 180), false));
  auto* x = new QValueAxis;
  x->setTitleText("Lifting-arm angle from mid-gear (deg.)");
  auto* y = new QValueAxis;
  y->setTitleText("Cut-off (% of stroke)");
  FitAxes(chart->series(), x, y);
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  for (QAbstractSeries* series : chart->series()) {
    series->attachAxis(x);
    series->attachAxis(y);
  }
  chart->legend()->setAlignment(Qt::AlignBottom);
  QChart* old = chartView->chart();
  chartView->setChart(chart);
  delete old;
}

void TAssistantForm::ShowNotchTable(const DesignInput& input, const DesignResult& r) {
  notchTable->setRowCount(static_cast<int>(input.notchesDeg.size()));
  for (std::size_t i = 0; i < input.notchesDeg.size(); ++i) {
    const auto pair = [&](const QString& a, const QString& b) { return a == b ? a : a + " -> " + b; };
    const auto gap = [&](const DesignFigures& f) {
      const bool ok = i < f.notches.size() && f.notches[i].ok();
      const RunResults& res = ok ? f.notches[i].results : RunResults{};
      return ok ? BoxText::Format(std::abs(res.eventPct[cutOffBack] - res.eventPct[cutOffFront]))
                : QString("fails");
    };
    const QStringList cells = {
        BoxText::Format(input.notchesDeg[i]),
        pair(CutOff(r.before, i, cutOffBack), CutOff(r.after, i, cutOffBack)),
        pair(CutOff(r.before, i, cutOffFront), CutOff(r.after, i, cutOffFront)),
        pair(gap(r.before), gap(r.after)),
        pair(Figure(r.before, i, &RunResults::leadBack), Figure(r.after, i, &RunResults::leadBack)),
        pair(Figure(r.before, i, &RunResults::leadFront), Figure(r.after, i, &RunResults::leadFront)),
        pair(Figure(r.before, i, &RunResults::portOpenBack), Figure(r.after, i, &RunResults::portOpenBack)),
        pair(Figure(r.before, i, &RunResults::portOpenFront),
             Figure(r.after, i, &RunResults::portOpenFront))};
    for (int c = 0; c < cells.size(); ++c)
      notchTable->setItem(static_cast<int>(i), c, new QTableWidgetItem(cells[c]));
  }
}

void TAssistantForm::ShowDimensionTable(const DesignInput& input, const DesignResult& r) {
  dimensionTable->setRowCount(static_cast<int>(input.free.size()));
  for (std::size_t i = 0; i < input.free.size(); ++i) {
    const FreeDimension& d = input.free[i];
    const auto field = FindDesignDimension(d.name)->field;
    const double from = input.start.*field, to = r.proposal.*field;
    const QStringList cells = {QString::fromStdString(d.name), BoxText::Format(from), BoxText::Format(to),
                               BoxText::Format(d.lower), BoxText::Format(d.upper)};
    for (int c = 0; c < cells.size(); ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      if (from != to) {
        item->setBackground(QColor(255, 236, 140));
        QFont bold = item->font();
        bold.setBold(true);
        item->setFont(bold);
      }
      dimensionTable->setItem(static_cast<int>(i), c, item);
    }
  }
}
