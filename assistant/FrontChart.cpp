// One scatter series per point, so that each carries its own label (the
// series' label format is the literal number) and its own click; the axes
// run from zero over every point, the start's included, with round numbers.
#include "FrontChart.h"

#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {

QScatterSeries* Marker(double cutOff, double work, const QString& label, QColor colour, double size,
                       QScatterSeries::MarkerShape shape) {
  auto* series = new QScatterSeries;
  series->append(cutOff, std::fabs(work));
  series->setName(label);
  series->setMarkerShape(shape);
  series->setMarkerSize(size);
  series->setColor(colour);
  series->setBorderColor(colour.darker(150));
  series->setPointLabelsFormat(label);
  series->setPointLabelsVisible(true);
  series->setPointLabelsClipping(false);
  return series;
}

QValueAxis* Axis(const QString& title, double most) {
  auto* axis = new QValueAxis;
  axis->setTitleText(title);
  axis->setRange(0, std::max(most * 1.15, 0.1));
  axis->applyNiceNumbers();
  return axis;
}

}  // namespace

QString FrontChart::Title() {
  return "Trade-off: cut-off equality against work balance";
}

QChart* FrontChart::Make(const TradeOffFront& front, int shown) {
  auto* chart = new QChart;
  chart->setTitle(Title());
  double xMost = 0, yMost = 0;
  if (front.startCutOffInequality && front.startWorkImbalancePct) {
    chart->addSeries(Marker(*front.startCutOffInequality, *front.startWorkImbalancePct, "start",
                            QColor(140, 140, 140), 12, QScatterSeries::MarkerShapeRectangle));
    xMost = *front.startCutOffInequality;
    yMost = std::fabs(*front.startWorkImbalancePct);
  }
  for (std::size_t i = 0; i < front.designs.size(); ++i) {
    const FrontDesign& d = front.designs[i];
    const bool isShown = static_cast<int>(i) == shown;
    QScatterSeries* series = Marker(d.cutOffInequality, d.workImbalancePct, QString::number(i + 1),
                                    isShown ? QColor(200, 0, 0) : QColor(0, 90, 180), isShown ? 15 : 11,
                                    QScatterSeries::MarkerShapeCircle);
    series->setProperty("design", static_cast<int>(i));
    chart->addSeries(series);
    xMost = std::max(xMost, d.cutOffInequality);
    yMost = std::max(yMost, d.workSize());
  }
  QValueAxis* x = Axis("Worst cut-off inequality (% of stroke)", xMost);
  QValueAxis* y = Axis("Worst |work imbalance| (%)", yMost);
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  for (QAbstractSeries* s : chart->series()) {
    s->attachAxis(x);
    s->attachAxis(y);
  }
  chart->legend()->setVisible(false);
  return chart;
}
