// The study's four plots on Qt Charts: cut-off against lifting-arm angle, and
// lead, maximum port opening, exhaust and compression against mean cut-off.
// A missing figure breaks its curve; the side above mid-gear is dashed.
#pragma once

#include <QChartView>
#include <QLineSeries>
#include <QObject>
#include <QValueAxis>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "StudySummary.h"

class StudyCharts : public QObject {
  Q_OBJECT

 public:
  static constexpr int kPlots = 4;

  explicit StudyCharts(QWidget* parent);

  QChartView* view(int plot) const { return plots_[plot].view; }
  void Show(const std::vector<StudyRow>& rows);
  // The vertical marker: at the angle on the cut-off plot, at the mean cut-off
  // on the others (hidden there when the run has none).
  void SetMarker(std::optional<double> liftArmDeg, std::optional<double> meanCutOff);
  // The lifting-arm angle a click at `pixel` of a plot's view asks for: the
  // abscissa on the cut-off plot, the nearest notch's angle on the others.
  std::optional<double> AngleAt(int plot, QPoint pixel) const;

  // The one mapping of a plot's world (axis values) to its view's pixels, and back.
  QPointF PlotPixel(int plot, QPointF value) const;
  QPointF PlotValue(int plot, QPointF pixel) const;

 signals:
  void plotClicked(int plot, QPoint pixel);
  // The figures of the notch under the mouse ("" when none is near).
  void pointHovered(const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Curve {
    const char* name;
    QColor colour;
    std::function<std::optional<double>(const StudyRow&)> value;
  };
  struct NotchPoint {
    QPointF value;  // as plotted
    double liftArmDeg;
    const char* curve;
  };
  struct Plot {
    QChartView* view = nullptr;
    QValueAxis* x = nullptr;
    QValueAxis* y = nullptr;
    QLineSeries* marker = nullptr;
    std::vector<Curve> curves;
    std::vector<NotchPoint> notchPoints;
  };

  void BuildPlot(int plot, const QString& title, const QString& xTitle, const QString& yTitle,
                 std::vector<Curve> curves);
  void FillPlot(int plot, const std::vector<StudyRow>& rows);
  // The vertical line at the results window's run, drawn over the curves.
  void AddMarker(int plot);
  void AddSegment(int plot, const Curve& curve, const QList<QPointF>& points, bool dashed, bool inLegend);
  // The plotted point nearest a pixel of a plot's view, if any was plotted.
  const NotchPoint* NearestPoint(int plot, QPointF pixel, double* distance) const;
  void ShowTip(int plot, QPoint pixel);

  std::array<Plot, kPlots> plots_;
};
