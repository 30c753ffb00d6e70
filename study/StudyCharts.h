// The study's plots on Qt Charts: cut-off, the cut-offs' inequality and the
// mean effective pressures against the lifting-arm angle; lead, maximum port
// opening, exhaust and compression against the mean cut-off; and the indicator
// diagrams of the notch under the reverser. A compared engine is drawn dashed;
// a worn gear's bands are shaded, from no play to the play given, with a thin
// line at half of it.
#pragma once

#include <QObject>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "IndicatorDiagram.h"
#include "PlayBands.h"
#include "QuadrantStudy.h"
#include "Quantity.h"
#include "StudyPlot.h"

class StudyCharts : public QObject {
  Q_OBJECT

 public:
  // A figure's band at a notch: its lowest and highest over no play, half
  // and all of it, and its figure with half the play.
  struct Span {
    double lo, hi;
    std::optional<double> half;
  };
  using SpanOf = std::function<std::optional<Span>(const StudyRow&, const NotchBand&)>;

  enum Plot { cutOffPlot, leadPlot, portPlot, eventsPlot, indicatorPlot, mepPlot, inequalityPlot };
  static constexpr int kPlots = 7;

  explicit StudyCharts(QWidget* parent);
  ~StudyCharts() override;

  QChartView* view(int plot) const { return plots_[plot]->view(); }
  // The axis titles of lengths name the unit.
  void SetLengthUnit(LengthUnit unit);
  // The study's notches, and those of a compared engine under its name, and
  // the study's bands of a play (one per row); the indicator diagrams are
  // drawn with the study's parameters.
  void Show(const QuadrantStudy& study, const std::vector<StudyRow>* compared = nullptr,
            const QString& comparedName = {}, const std::vector<NotchBand>* bands = nullptr);
  // The vertical marker: at the angle on the plots against it, at the mean
  // cut-off on the others (hidden there when the run has none).
  void SetMarker(std::optional<double> liftArmDeg, std::optional<double> meanCutOff);
  // The indicator diagrams at the reverser's angle, of the study's engine and
  // of the compared one (none: that engine has no run there); no angle: none.
  void ShowIndicator(std::optional<double> liftArmDeg, const RunResults* run, const RunResults* compared);
  // The lifting-arm angle a click at `pixel` of a plot's view asks for: the
  // abscissa on a plot against the angle, the nearest notch's angle on one
  // against the mean cut-off; none on the indicator diagrams.
  std::optional<double> AngleAt(int plot, QPoint pixel) const;

  // The one mapping of a plot's world (axis values) to its view's pixels, and back.
  QPointF PlotPixel(int plot, QPointF value) const { return plots_[plot]->Pixel(value); }
  QPointF PlotValue(int plot, QPointF pixel) const { return plots_[plot]->Value(pixel); }
  // The legend's texts of a plot, in order (for the printed page and tests).
  QStringList LegendNames(int plot) const;

 signals:
  void plotClicked(int plot, QPoint pixel);
  // The figures of the notch under the mouse ("" when none is near).
  void pointHovered(const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Curve {
    QString name;
    QColor colour;
    std::function<std::optional<double>(const StudyRow&)> value;
    StudyPlot::Axis axis = StudyPlot::Axis::left;
    SpanOf span;  // none for a figure without a band
  };

  void BuildPlots(QWidget* parent);
  static bool AgainstAngle(int plot) { return plot == cutOffPlot || plot >= mepPlot; }
  void DrawPlot(int plot, const std::vector<StudyRow>& rows, const std::vector<StudyRow>* compared,
                const QString& comparedName, const std::vector<NotchBand>* bands);
  void DrawBand(int plot, const Curve& curve, const std::vector<StudyRow>& rows,
                const std::vector<NotchBand>& bands);
  void DrawCurve(int plot, const Curve& curve, const std::vector<StudyRow>& rows,
                 const QString& comparedName);
  void DrawWorkingNotches(const std::vector<StudyRow>& rows, const QString& comparedName);
  void AddKeys(int plot, const QString& comparedName, bool banded);
  // What the line styles mean on a plot, said under its title.
  static QString StyleNote(bool againstAngle, const QString& comparedName);
  void SetTitle(int plot, const QString& title, const QString& note);
  void BuildIndicatorLines(const QString& comparedName);
  void ShowTip(int plot, QPoint pixel);

  std::array<std::unique_ptr<StudyPlot>, kPlots> plots_;
  std::array<std::vector<Curve>, kPlots> curves_;
  std::array<QString, kPlots> notes_;
  // The indicator diagrams: back and front, then the compared engine's.
  std::array<QLineSeries*, 4> indicatorLines_{};
  IndicatorParams params_;
};
