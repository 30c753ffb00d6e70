// One scatter series per point, so that each carries its own label (the
// series' label format is the literal number) and its own click; the axes
// run over every point, the start's included, with a margin and round numbers.
// Points closer than a label's size share one label ("2, 3") on the first.
#include "FrontChart.h"

#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <vector>

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
  series->setPointLabelsVisible(!label.isEmpty());
  series->setPointLabelsClipping(false);
  return series;
}

// Over the figures with a margin, so that close designs stand apart; never below zero.
QValueAxis* Axis(const QString& title, double least, double most) {
  const double margin = std::max(0.12 * (most - least), 0.05);
  auto* axis = new QValueAxis;
  axis->setTitleText(title);
  QFont font = axis->titleFont();
  font.setPointSizeF(font.pointSizeF() * 0.85);  // the whole title fits beside a low plot
  axis->setTitleFont(font);
  axis->setRange(std::max(least - margin, 0.0), most + margin);
  axis->applyNiceNumbers();
  return axis;
}

// Each design's label: its number, or empty where it lies within a label's
// size (a share of each axis' span) of an earlier design, whose label then
// names both.
QStringList Labels(const TradeOffFront& front, double xSpan, double ySpan) {
  constexpr double kLabelWidth = 0.06, kLabelHeight = 0.08;
  QStringList labels;
  std::vector<int> owner(front.designs.size());
  for (std::size_t i = 0; i < front.designs.size(); ++i) {
    owner[i] = static_cast<int>(i);
    for (std::size_t j = 0; j < i && owner[i] == static_cast<int>(i); ++j) {
      const FrontDesign &a = front.designs[i], &b = front.designs[j];
      if (owner[j] == static_cast<int>(j) &&
          std::fabs(a.cutOffInequality - b.cutOffInequality) < kLabelWidth * xSpan &&
          std::fabs(a.workSize() - b.workSize()) < kLabelHeight * ySpan)
        owner[i] = static_cast<int>(j);
    }
    labels << QString::number(i + 1);
    if (owner[i] != static_cast<int>(i)) {
      labels[owner[i]] += ", " + labels.back();
      labels.back().clear();
    }
  }
  return labels;
}

}  // namespace

QString FrontChart::Title() {
  return "Trade-off: cut-off equality against work balance";
}

QChart* FrontChart::Make(const TradeOffFront& front, int shown) {
  auto* chart = new QChart;
  chart->setTitle(Title());
  double xLeast = HUGE_VAL, xMost = 0, yLeast = HUGE_VAL, yMost = 0;
  const auto take = [&](double x, double y) {
    xLeast = std::min(xLeast, x);
    xMost = std::max(xMost, x);
    yLeast = std::min(yLeast, y);
    yMost = std::max(yMost, y);
  };
  if (front.startCutOffInequality && front.startWorkImbalancePct) {
    chart->addSeries(Marker(*front.startCutOffInequality, *front.startWorkImbalancePct, "start",
                            QColor(140, 140, 140), 12, QScatterSeries::MarkerShapeRectangle));
    take(*front.startCutOffInequality, std::fabs(*front.startWorkImbalancePct));
  }
  for (const FrontDesign& d : front.designs) take(d.cutOffInequality, d.workSize());
  if (xLeast > xMost) xLeast = yLeast = 0;  // no point: an empty plot from zero
  const QStringList labels = Labels(front, xMost - xLeast, yMost - yLeast);
  for (std::size_t i = 0; i < front.designs.size(); ++i) {
    const FrontDesign& d = front.designs[i];
    const bool isShown = static_cast<int>(i) == shown;
    QScatterSeries* series = Marker(d.cutOffInequality, d.workImbalancePct, labels[static_cast<int>(i)],
                                    isShown ? QColor(200, 0, 0) : QColor(0, 90, 180), isShown ? 15 : 11,
                                    QScatterSeries::MarkerShapeCircle);
    series->setProperty("design", static_cast<int>(i));
    chart->addSeries(series);
  }
  QValueAxis* x = Axis("Worst cut-off inequality (% of stroke)", xLeast, xMost);
  QValueAxis* y = Axis("|Work imbalance| (%)", yLeast, yMost);
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  for (QAbstractSeries* s : chart->series()) {
    s->attachAxis(x);
    s->attachAxis(y);
  }
  chart->legend()->setVisible(false);
  return chart;
}
