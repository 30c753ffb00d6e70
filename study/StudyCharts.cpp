// Each curve is cut into segments wherever a notch lacks the figure and, on the
// plots against mean cut-off, where the angle changes side of mid-gear (the
// cut-off falls towards mid-gear on both sides, so one line would fold back).
#include "StudyCharts.h"

#include <QEvent>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "BoxText.h"

namespace {

std::optional<double> Event(const StudyRow& row, ValveEvent e) {
  if (!row.ok() || !row.results.eventFound[e]) return std::nullopt;
  return row.results.eventPct[e];
}

std::optional<double> MeanCutOff(const StudyRow& row) {
  const auto back = Event(row, cutOffBack), front = Event(row, cutOffFront);
  if (!back || !front) return std::nullopt;
  return (*back + *front) / 2;
}

std::optional<double> Figure(const StudyRow& row, double RunResults::*field) {
  if (!row.ok()) return std::nullopt;
  return row.results.*field;
}

const QColor kBack(200, 0, 0), kFront(0, 0, 200), kBackLight(230, 120, 0), kFrontLight(0, 150, 150);

}  // namespace

StudyCharts::StudyCharts(QWidget* parent) : QObject(parent) {
  const QString percent = "% of stroke", length = "length unit";
  BuildPlot(0, "Cut-off", "Lifting-arm angle (deg., positive downwards)", "Cut-off (" + percent + ")",
            {{"Cut-off back", kBack, [](const StudyRow& r) { return Event(r, cutOffBack); }},
             {"Cut-off front", kFront, [](const StudyRow& r) { return Event(r, cutOffFront); }}});
  BuildPlot(1, "Lead", "Mean cut-off (" + percent + ")", "Lead (" + length + ")",
            {{"Lead back", kBack, [](const StudyRow& r) { return Figure(r, &RunResults::leadBack); }},
             {"Lead front", kFront, [](const StudyRow& r) { return Figure(r, &RunResults::leadFront); }}});
  BuildPlot(
      2, "Maximum port opening", "Mean cut-off (" + percent + ")", "Opening (" + length + ")",
      {{"Port back", kBack, [](const StudyRow& r) { return Figure(r, &RunResults::portOpenBack); }},
       {"Port front", kFront, [](const StudyRow& r) { return Figure(r, &RunResults::portOpenFront); }}});
  BuildPlot(
      3, "Exhaust and compression", "Mean cut-off (" + percent + ")", "Event (" + percent + ")",
      {{"Exhaust back", kBack, [](const StudyRow& r) { return Event(r, exhaustBack); }},
       {"Exhaust front", kFront, [](const StudyRow& r) { return Event(r, exhaustFront); }},
       {"Compression back", kBackLight, [](const StudyRow& r) { return Event(r, compressionBack); }},
       {"Compression front", kFrontLight, [](const StudyRow& r) { return Event(r, compressionFront); }}});
}

void StudyCharts::BuildPlot(int plot, const QString& title, const QString& xTitle, const QString& yTitle,
                            std::vector<Curve> curves) {
  Plot& p = plots_[plot];
  auto* chart = new QChart;
  chart->setTitle(title);
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->setMargins(QMargins(2, 2, 2, 2));
  p.x = new QValueAxis;
  p.y = new QValueAxis;
  p.x->setTitleText(xTitle);
  p.y->setTitleText(yTitle);
  QFont small = chart->font();
  small.setPointSizeF(7.5);
  for (QValueAxis* axis : {p.x, p.y}) {
    axis->setLabelFormat("%.4g");
    axis->setLabelsFont(small);
    axis->setTitleFont(small);
    axis->setTickCount(6);
  }
  chart->legend()->setFont(small);
  small.setBold(true);
  chart->setTitleFont(small);
  chart->addAxis(p.x, Qt::AlignBottom);
  chart->addAxis(p.y, Qt::AlignLeft);
  p.view = new QChartView(chart, qobject_cast<QWidget*>(parent()));
  p.view->setObjectName(QString("Plot%1").arg(plot + 1));
  p.view->setRenderHint(QPainter::Antialiasing);
  p.view->viewport()->installEventFilter(this);
  p.view->viewport()->setMouseTracking(true);  // for the values under the mouse
  p.curves = std::move(curves);
}

void StudyCharts::Show(const std::vector<StudyRow>& rows) {
  for (int plot = 0; plot < kPlots; ++plot) FillPlot(plot, rows);
}

void StudyCharts::FillPlot(int plot, const std::vector<StudyRow>& rows) {
  Plot& p = plots_[plot];
  QChart* chart = p.view->chart();
  chart->removeAllSeries();
  p.marker = nullptr;
  p.notchPoints.clear();
  double xLo = INFINITY, xHi = -INFINITY, yLo = INFINITY, yHi = -INFINITY;
  for (const Curve& curve : p.curves) {
    QList<QPointF> segment;
    bool segmentUp = false, named = false;
    const auto flush = [&] {
      if (!segment.isEmpty()) AddSegment(plot, curve, segment, segmentUp, !named);
      named = named || !segment.isEmpty();
      segment.clear();
    };
    for (const StudyRow& row : rows) {
      const auto x = plot == 0 ? std::optional<double>(row.liftArmDeg) : MeanCutOff(row);
      const auto y = curve.value(row);
      const bool up = row.liftArmDeg < 0;
      if (!x || !y || (plot != 0 && up != segmentUp)) flush();
      segmentUp = up;
      if (!x || !y) continue;
      segment.append({*x, *y});
      p.notchPoints.push_back({{*x, *y}, row.liftArmDeg, curve.name});
      xLo = std::min(xLo, *x), xHi = std::max(xHi, *x), yLo = std::min(yLo, *y), yHi = std::max(yHi, *y);
    }
    flush();
  }
  if (xLo > xHi) xLo = 0, xHi = 1, yLo = 0, yHi = 1;
  const double xPad = std::max(1e-9, 0.02 * (xHi - xLo)), yPad = std::max(1e-9, 0.05 * (yHi - yLo));
  p.x->setRange(xLo - xPad, xHi + xPad);
  p.y->setRange(yLo - yPad, yHi + yPad);
  p.x->applyNiceNumbers();
  p.y->applyNiceNumbers();
  AddMarker(plot);
}

void StudyCharts::AddMarker(int plot) {
  Plot& p = plots_[plot];
  p.marker = new QLineSeries;
  p.marker->setName("Results window");
  p.marker->setPen(QPen(Qt::darkGreen, 1.5, Qt::DashLine));
  p.view->chart()->addSeries(p.marker);
  p.marker->attachAxis(p.x);
  p.marker->attachAxis(p.y);
}

void StudyCharts::AddSegment(int plot, const Curve& curve, const QList<QPointF>& points, bool dashed,
                             bool inLegend) {
  Plot& p = plots_[plot];
  auto* series = new QLineSeries;
  series->setName(curve.name);
  series->append(points);
  series->setPen(QPen(curve.colour, 2, dashed ? Qt::DashLine : Qt::SolidLine));
  series->setPointsVisible(points.size() == 1);
  p.view->chart()->addSeries(series);
  series->attachAxis(p.x);
  series->attachAxis(p.y);
  if (!inLegend)
    for (QLegendMarker* marker : p.view->chart()->legend()->markers(series)) marker->setVisible(false);
}

const StudyCharts::NotchPoint* StudyCharts::NearestPoint(int plot, QPointF pixel, double* distance) const {
  const NotchPoint* nearest = nullptr;
  *distance = INFINITY;
  for (const NotchPoint& point : plots_[plot].notchPoints) {
    const QPointF d = PlotPixel(plot, point.value) - pixel;
    if (std::hypot(d.x(), d.y()) < *distance) *distance = std::hypot(d.x(), d.y()), nearest = &point;
  }
  return nearest;
}

void StudyCharts::ShowTip(int plot, QPoint pixel) {
  double distance = 0;
  const NotchPoint* point = NearestPoint(plot, pixel, &distance);
  // Within a few pixels of a notch its figures are shown, as a reading off the curve.
  if (point == nullptr || distance > 8) {
    emit pointHovered("");
    return QToolTip::hideText();
  }
  const QString where =
      plot == 0 ? QString() : QString(" (mean cut-off %1)").arg(BoxText::Format(point->value.x()));
  const QString text =
      QString("%1: %2 at %3 deg.%4")
          .arg(point->curve, BoxText::Format(point->value.y()), BoxText::Format(point->liftArmDeg), where);
  QToolTip::showText(plots_[plot].view->viewport()->mapToGlobal(pixel), text);
  emit pointHovered(text);
}

void StudyCharts::SetMarker(std::optional<double> liftArmDeg, std::optional<double> meanCutOff) {
  for (int plot = 0; plot < kPlots; ++plot) {
    Plot& p = plots_[plot];
    if (p.marker == nullptr) continue;
    // One legend entry names the marker for all four plots.
    for (QLegendMarker* legend : p.view->chart()->legend()->markers(p.marker)) legend->setVisible(plot == 0);
    const auto x = plot == 0 ? liftArmDeg : meanCutOff;
    if (!x) {
      p.marker->clear();
      continue;
    }
    p.marker->replace(QList<QPointF>{{*x, p.y->min()}, {*x, p.y->max()}});
  }
}

QPointF StudyCharts::PlotPixel(int plot, QPointF value) const {
  const Plot& p = plots_[plot];
  return p.view->mapFromScene(p.view->chart()->mapToPosition(value, p.marker));
}

QPointF StudyCharts::PlotValue(int plot, QPointF pixel) const {
  const Plot& p = plots_[plot];
  return p.view->chart()->mapToValue(p.view->mapToScene(pixel.toPoint()), p.marker);
}

std::optional<double> StudyCharts::AngleAt(int plot, QPoint pixel) const {
  const Plot& p = plots_[plot];
  if (p.marker == nullptr || !p.view->chart()->plotArea().contains(p.view->mapToScene(pixel))) return {};
  if (plot == 0) return PlotValue(plot, pixel).x();
  double distance = 0;
  const NotchPoint* point = NearestPoint(plot, pixel, &distance);
  if (point == nullptr) return {};
  return point->liftArmDeg;
}

bool StudyCharts::eventFilter(QObject* watched, QEvent* event) {
  const bool move = event->type() == QEvent::MouseMove, press = event->type() == QEvent::MouseButtonPress;
  if (!move && !press) return false;
  const auto* mouse = static_cast<QMouseEvent*>(event);
  for (int plot = 0; plot < kPlots; ++plot) {
    if (plots_[plot].view->viewport() != watched) continue;
    if (move) ShowTip(plot, mouse->position().toPoint());
    if (press && mouse->button() == Qt::LeftButton) emit plotClicked(plot, mouse->position().toPoint());
  }
  return false;
}
