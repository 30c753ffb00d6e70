// Each curve is one line series over the notches measured, in order of angle;
// a notch whose figure cannot be had (a missing cut-off, a failed run) is left
// out. Axes are set over every series with round numbers, since Qt Charts
// would take their ranges from the first series alone.
#include "AssistantCharts.h"

#include <QLegendMarker>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <functional>

namespace {

using NotchFigure = std::function<std::optional<double>(const StudyRow&)>;

QLineSeries* Curve(const QString& name, const DesignFigures& figures, const NotchFigure& figure,
                   QColor colour, bool dashed) {
  auto* series = new QLineSeries;
  series->setName(name);
  for (const NotchFigures& notch : figures.notches)
    if (const auto value = notch.row.ok() ? figure(notch.row) : std::nullopt)
      series->append(notch.row.liftArmDeg, *value);
  series->setPen(QPen(colour, dashed ? 1.5 : 2.5, dashed ? Qt::DashLine : Qt::SolidLine));
  return series;
}

std::optional<double> CutOffOf(const StudyRow& row, ValveEvent event) {
  if (!row.results.eventFound[event]) return std::nullopt;
  return row.results.eventPct[event];
}

// The axes over every point; y from 0, up to `yMost` when given.
void Finish(QChart* chart, const QString& yTitle, std::optional<double> yMost) {
  double xLo = 0, xHi = 1, yHi = 1;
  for (QAbstractSeries* s : chart->series())
    for (const QPointF& p : static_cast<QLineSeries*>(s)->points()) {
      xLo = std::min(xLo, p.x());
      xHi = std::max(xHi, p.x());
      yHi = std::max(yHi, p.y());
    }
  auto* x = new QValueAxis;
  x->setTitleText("Lifting-arm angle (deg.)");
  x->setRange(xLo, xHi);
  x->applyNiceNumbers();
  auto* y = new QValueAxis;
  y->setTitleText(yTitle);
  y->setRange(0, yMost.value_or(yHi * 1.05));
  if (!yMost) y->applyNiceNumbers();
  // The titles smaller than the chart's own, so the whole y title fits beside a low plot.
  QFont title = y->titleFont();
  title.setPointSizeF(title.pointSizeF() * 0.8);
  for (QValueAxis* axis : {x, y}) {
    axis->setTitleFont(title);
    chart->addAxis(axis, axis == x ? Qt::AlignBottom : Qt::AlignLeft);
  }
  for (QAbstractSeries* s : chart->series()) {
    s->attachAxis(x);
    s->attachAxis(y);
  }
  chart->legend()->setAlignment(Qt::AlignBottom);
  QFont small = chart->legend()->font();
  small.setPointSizeF(small.pointSizeF() * 0.8);
  chart->legend()->setFont(small);
}

}  // namespace

QChart* AssistantCharts::Inequality(const DesignResult& result, const DesignRules& rules) {
  const bool work = rules.objective == DesignObjective::work;
  const NotchFigure figure = [&](const StudyRow& row) -> std::optional<double> {
    if (work) return WorkImbalanceSize(row.results, rules.indicator);
    const auto back = CutOffOf(row, cutOffBack), front = CutOffOf(row, cutOffFront);
    if (!back || !front) return std::nullopt;
    return std::fabs(*back - *front);
  };
  auto* chart = new QChart;
  chart->setTitle(work ? "|Work imbalance| over the usable range"
                       : "|Cut-off back - front| over the usable range");
  chart->addSeries(Curve("before", result.before, figure, QColor(120, 120, 120), true));
  chart->addSeries(Curve("after", result.after, figure, QColor(0, 110, 0), false));
  Finish(chart, work ? "Work imbalance (%)" : "Inequality (% of stroke)", std::nullopt);
  return chart;
}

QChart* AssistantCharts::CutOffs(const DesignResult& result) {
  const auto of = [](ValveEvent event) {
    return [event](const StudyRow& row) { return CutOffOf(row, event); };
  };
  auto* chart = new QChart;
  chart->setTitle("Cut-off at the back and the front, before dashed");
  auto* backBefore = Curve("back", result.before, of(cutOffBack), QColor(200, 120, 120), true);
  auto* frontBefore = Curve("front", result.before, of(cutOffFront), QColor(120, 120, 200), true);
  for (QLineSeries* series :
       {backBefore, frontBefore, Curve("back", result.after, of(cutOffBack), QColor(180, 0, 0), false),
        Curve("front", result.after, of(cutOffFront), QColor(0, 0, 180), false)})
    chart->addSeries(series);
  Finish(chart, "Cut-off (% of stroke)", 100.0);
  // The colours name the ends; the legend names each once.
  for (QLineSeries* before : {backBefore, frontBefore})
    for (QLegendMarker* marker : chart->legend()->markers(before)) marker->setVisible(false);
  return chart;
}

QChart* AssistantCharts::Empty(const QString& title) {
  auto* chart = new QChart;
  chart->setTitle(title);
  return chart;
}
