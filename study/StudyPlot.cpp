// Texts are set in points, so the plots keep their proportions at any scale;
// the legend draws each line series as a short stretch of its own pen, so a
// line style's key reads like the lines it names.
#include "StudyPlot.h"

#include <QLegendMarker>
#include <QTextDocument>
#include <algorithm>

namespace {

QFont SmallFont(QFont font) {
  font.setPointSizeF(7.5);
  return font;
}

QValueAxis* NewAxis(const QFont& font) {
  auto* axis = new QValueAxis;
  axis->setLabelFormat("%.4g");
  axis->setLabelsFont(font);
  axis->setTitleFont(font);
  axis->setTickCount(6);
  return axis;
}

}  // namespace

StudyPlot::StudyPlot(QWidget* parent, const QString& objectName, const QString& title) {
  auto* chart = new QChart;
  const QFont small = SmallFont(chart->font());
  chart->setTitle(title);
  chart->legend()->setAlignment(Qt::AlignRight);
  chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
  chart->legend()->setFont(small);
  chart->setMargins(QMargins(2, 2, 2, 2));
  QFont bold = small;
  bold.setBold(true);
  chart->setTitleFont(bold);
  x_ = NewAxis(small);
  y_ = NewAxis(small);
  chart->addAxis(x_, Qt::AlignBottom);
  chart->addAxis(y_, Qt::AlignLeft);
  view_ = new QChartView(chart, parent);
  view_->setObjectName(objectName);
  view_->setRenderHint(QPainter::Antialiasing);
  view_->viewport()->setMouseTracking(true);  // for the values under the mouse
}

void StudyPlot::SetTitles(const QString& x, const QString& y, const QString& right) {
  x_->setTitleText(x);
  y_->setTitleText(y);
  if (!right.isEmpty()) {
    if (right_ == nullptr) {
      right_ = NewAxis(y_->labelsFont());
      chart()->addAxis(right_, Qt::AlignRight);
    }
    right_->setTitleText(right);
  }
  KeepLabelsWhole();
}

int StudyPlot::TickLabelsWidth(const QValueAxis* axis, const QFontMetrics& metrics) {
  int widest = 0;
  const int ticks = std::max(2, axis->tickCount());
  for (int i = 0; i < ticks; ++i) {
    const double v = axis->min() + i * (axis->max() - axis->min()) / (ticks - 1);
    widest = std::max(widest, metrics.horizontalAdvance(QString::asprintf("%.4g", v)));
  }
  return widest;
}

void StudyPlot::KeepLabelsWhole() {
  // Measured in the view's own pixels; the slack covers the chart's margins,
  // the spacing Qt Charts puts round each text and the legend's markers.
  constexpr int kSlack = 36, kMarker = 44, kTickGap = 14;
  const QFontMetrics m(x_->labelsFont());
  int legend = 0;
  for (QLegendMarker* marker : chart()->legend()->markers())
    if (marker->isVisible()) legend = std::max(legend, m.horizontalAdvance(marker->label()) + kMarker);
  QTextDocument title;
  title.setDefaultFont(chart()->titleFont());
  title.setHtml(chart()->title());
  const int xTicks = std::max(2, x_->tickCount()) * (TickLabelsWidth(x_, m) + kTickGap);
  const int plotWidth = std::max(m.horizontalAdvance(x_->titleText()) + kTickGap, xTicks);
  int sides = m.height() + TickLabelsWidth(y_, m) + kTickGap;
  int plotHeight = std::max(m.horizontalAdvance(y_->titleText()), y_->tickCount() * m.height());
  if (right_ != nullptr) {
    sides += m.height() + TickLabelsWidth(right_, m) + kTickGap;
    plotHeight = std::max(plotHeight, m.horizontalAdvance(right_->titleText()));
  }
  const int width = std::max(static_cast<int>(title.idealWidth()), sides + plotWidth + legend) + kSlack;
  const int height = static_cast<int>(title.size().height()) + plotHeight + 3 * m.height() + kSlack;
  view_->setMinimumSize(width, height);
}

void StudyPlot::FixX(double lo, double hi, int ticks) {
  fixedX_ = true;
  x_->setRange(lo, hi);
  x_->setTickCount(ticks);
}

void StudyPlot::FixY(double lo, double hi, int ticks) {
  fixedY_ = true;
  y_->setRange(lo, hi);
  y_->setTickCount(ticks);
}

void StudyPlot::Clear() {
  chart()->removeAllSeries();
  marker_ = nullptr;
  notches_.clear();
  xs_ = ys_ = rights_ = Extent{};
}

void StudyPlot::Attach(QAbstractSeries* series, Axis axis) {
  chart()->addSeries(series);
  series->attachAxis(x_);
  series->attachAxis(axis == Axis::right && right_ != nullptr ? right_ : y_);
}

QLineSeries* StudyPlot::AddLine(const QList<QPointF>& points, const QPen& pen, const QString& name,
                                bool inLegend, Axis axis) {
  auto* series = new QLineSeries;
  series->setName(name);
  series->append(points);
  series->setPen(pen);
  series->setPointsVisible(points.size() == 1);
  Attach(series, axis);
  Extent& ys = axis == Axis::right && right_ != nullptr ? rights_ : ys_;
  for (const QPointF& p : points) {
    xs_.Take(p.x());
    ys.Take(p.y());
  }
  if (!inLegend)
    for (QLegendMarker* marker : chart()->legend()->markers(series)) marker->setVisible(false);
  return series;
}

QScatterSeries* StudyPlot::AddPoints(const QList<QPointF>& points, const QColor& colour,
                                     QScatterSeries::MarkerShape shape, const QString& name) {
  auto* series = new QScatterSeries;
  series->setName(name);
  series->append(points);
  series->setMarkerShape(shape);
  series->setMarkerSize(shape == QScatterSeries::MarkerShapeCircle ? 7 : 5);
  series->setColor(colour);
  series->setBorderColor(colour);
  Attach(series, Axis::left);
  for (const QPointF& p : points) {
    xs_.Take(p.x());
    ys_.Take(p.y());
  }
  return series;
}

QAreaSeries* StudyPlot::AddBand(const QList<QPointF>& lower, const QList<QPointF>& upper,
                                const QColor& colour, Axis axis) {
  auto* high = new QLineSeries;
  auto* low = new QLineSeries;
  high->append(upper);
  low->append(lower);
  auto* band = new QAreaSeries(high, low);
  high->setParent(band);
  low->setParent(band);
  QColor fill = colour;
  fill.setAlpha(55);
  band->setBrush(fill);
  band->setPen(Qt::NoPen);
  Attach(band, axis);
  for (QLegendMarker* marker : chart()->legend()->markers(band)) marker->setVisible(false);
  Extent& ys = axis == Axis::right && right_ != nullptr ? rights_ : ys_;
  for (const QList<QPointF>* line : {&lower, &upper})
    for (const QPointF& p : *line) {
      xs_.Take(p.x());
      ys.Take(p.y());
    }
  return band;
}

void StudyPlot::AddKey(const QString& name, const QPen& pen) {
  auto* key = new QLineSeries;
  key->setName(name);
  key->setPen(pen);
  Attach(key, Axis::left);
}

void StudyPlot::FitAxis(QValueAxis* axis, Extent extent, double pad, bool fromZero) {
  if (extent.lo > extent.hi) extent = {0, 1};
  if (fromZero) extent.Take(0);
  const double margin = std::max(1e-9, pad * (extent.hi - extent.lo));
  axis->setRange(fromZero && extent.lo == 0 ? 0 : extent.lo - margin,
                 fromZero && extent.hi == 0 ? 0 : extent.hi + margin);
  axis->setTickCount(6);
  axis->applyNiceNumbers();
}

void StudyPlot::Fit(bool markerInLegend) {
  if (!fixedX_) FitAxis(x_, xs_, 0.02, false);
  if (!fixedY_) FitAxis(y_, ys_, 0.05, yFromZero_);
  if (right_ != nullptr) FitAxis(right_, rights_, 0.05, true);
  marker_ = new QLineSeries;
  marker_->setName("Reverser");
  marker_->setPen(QPen(Qt::darkGreen, 1.5, Qt::DashLine));
  Attach(marker_, Axis::left);
  for (QLegendMarker* legend : chart()->legend()->markers(marker_)) legend->setVisible(markerInLegend);
  KeepLabelsWhole();
}

void StudyPlot::SetMarker(std::optional<double> x) {
  if (marker_ == nullptr) return;
  if (!x) return marker_->clear();
  marker_->replace(QList<QPointF>{{*x, y_->min()}, {*x, y_->max()}});
}

QPointF StudyPlot::Pixel(QPointF value) const {
  return view_->mapFromScene(chart()->mapToPosition(value, marker_));
}

QPointF StudyPlot::Value(QPointF pixel) const {
  return chart()->mapToValue(view_->mapToScene(pixel.toPoint()), marker_);
}

bool StudyPlot::InPlotArea(QPoint pixel) const {
  return marker_ != nullptr && chart()->plotArea().contains(view_->mapToScene(pixel));
}

const StudyPlot::NotchPoint* StudyPlot::Nearest(QPointF pixel, double* distance) const {
  const NotchPoint* nearest = nullptr;
  *distance = INFINITY;
  for (const NotchPoint& point : notches_) {
    const QPointF d = Pixel(point.value) - pixel;
    if (std::hypot(d.x(), d.y()) < *distance) *distance = std::hypot(d.x(), d.y()), nearest = &point;
  }
  return nearest;
}
