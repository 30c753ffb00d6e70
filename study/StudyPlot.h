// One plot of the quadrant study on Qt Charts: the chart in its view, its value
// axes (with a second one on the right when asked for), the series drawn on
// them, a marker line and the notches plotted, kept for the reading under the
// mouse. A fixed axis keeps its range; the others are fitted to what was drawn
// and widened to round ticks.
#pragma once

#include <QAreaSeries>
#include <QChartView>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <cmath>
#include <optional>
#include <vector>

class StudyPlot {
 public:
  enum class Axis { left, right };
  // A point of a curve at a notch, as plotted on the left axis.
  struct NotchPoint {
    QPointF value;
    double liftArmDeg;
    QString curve;
  };

  StudyPlot(QWidget* parent, const QString& objectName, const QString& title);

  QChartView* view() const { return view_; }
  QChart* chart() const { return view_->chart(); }
  void SetTitles(const QString& x, const QString& y, const QString& right = {});
  // A fixed range with `ticks` round ticks (0 to 100 for a percentage).
  void FixX(double lo, double hi, int ticks);
  void FixY(double lo, double hi, int ticks);
  // A fitted left axis that always shows zero.
  void YFromZero() { yFromZero_ = true; }

  // Removes every series and notch (the marker too).
  void Clear();
  QLineSeries* AddLine(const QList<QPointF>& points, const QPen& pen, const QString& name, bool inLegend,
                       Axis axis = Axis::left);
  QScatterSeries* AddPoints(const QList<QPointF>& points, const QColor& colour,
                            QScatterSeries::MarkerShape shape, const QString& name);
  // The area between two lines of the same abscissae, shaded lightly in that
  // colour with no outline; not in the legend.
  QAreaSeries* AddBand(const QList<QPointF>& lower, const QList<QPointF>& upper, const QColor& colour,
                       Axis axis = Axis::left);
  // A legend entry naming what lines of that pen show; draws nothing.
  void AddKey(const QString& name, const QPen& pen);
  void AddNotch(const NotchPoint& point) { notches_.push_back(point); }
  // Sets the fitted axes from what was drawn since Clear and adds the marker.
  void Fit(bool markerInLegend);
  // Gives the view the least size at which the chart lays out every text
  // whole (a smaller one elides legends, axis titles and ticks to "..."): the
  // title above, the longest legend entry beside a plot area long enough for
  // each axis's title and tick labels. Called again whenever a text changes.
  void KeepLabelsWhole();
  // The vertical marker line at x, or none.
  void SetMarker(std::optional<double> x);

  // The one mapping of the plot's values (left axis) to its view's pixels, and back.
  QPointF Pixel(QPointF value) const;
  QPointF Value(QPointF pixel) const;
  bool InPlotArea(QPoint pixel) const;
  // The notch nearest a pixel, if any was plotted.
  const NotchPoint* Nearest(QPointF pixel, double* distance) const;

 private:
  struct Extent {
    double lo = INFINITY, hi = -INFINITY;
    void Take(double v) { lo = std::min(lo, v), hi = std::max(hi, v); }
  };
  void Attach(QAbstractSeries* series, Axis axis);
  static void FitAxis(QValueAxis* axis, Extent extent, double pad, bool fromZero);
  static int TickLabelsWidth(const QValueAxis* axis, const QFontMetrics& metrics);

  QChartView* view_;
  QValueAxis* x_;
  QValueAxis* y_;
  QValueAxis* right_ = nullptr;
  QLineSeries* marker_ = nullptr;
  bool fixedX_ = false, fixedY_ = false, yFromZero_ = false;
  Extent xs_, ys_, rights_;
  std::vector<NotchPoint> notches_;
};
