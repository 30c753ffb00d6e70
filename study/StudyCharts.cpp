// Each curve is cut into segments wherever a notch lacks the figure and, on the
// plots against mean cut-off, where the angle changes side of mid-gear (the
// cut-off falls towards mid-gear on both sides, so one line would fold back).
// Colours say which figure a line is; the line's style says which side and
// which engine, and the legend lists both.
#include "StudyCharts.h"

#include <QEvent>
#include <QLegendMarker>
#include <QMouseEvent>
#include <QToolTip>

#include "BoxText.h"
#include "RunFigures.h"
#include "StudySummary.h"

namespace {

const QColor kBack(200, 0, 0), kFront(0, 0, 200), kBackLight(230, 120, 0), kFrontLight(0, 150, 150),
    kImbalance(0, 140, 0), kInequality(60, 60, 60), kDieSlip(0, 140, 0);
const QString kAngleTitle = "Lifting-arm angle (deg., positive downwards)";
const QString kMeanCutOffTitle = "Mean cut-off (% of stroke)";

const char* const kTitles[StudyCharts::kPlots] = {"Cut-off",
                                                  "Lead",
                                                  "Maximum port opening and die slip",
                                                  "Exhaust and compression",
                                                  "Indicator diagrams",
                                                  "Mean effective pressure and work imbalance",
                                                  "Cut-off inequality"};

std::optional<double> Figure(const StudyRow& row, const char* key) {
  if (!row.ok()) return std::nullopt;
  return FindFigure(key)->Of(row.results);
}

QString Caption(const char* key) {
  return FindFigure(key)->caption;
}

// A length's axis title names the unit, or says it is the engine's own.
QString LengthTitle(const std::string& measure, LengthUnit unit) {
  if (unit == LengthUnit::none) return QString::fromStdString(measure + " (length unit)");
  return QString::fromStdString(WithUnit(measure, Quantity::length, unit));
}

// The figure's band from the figure table's.
StudyCharts::SpanOf FigureSpan(const char* key) {
  return [key](const StudyRow& row, const NotchBand& band) -> std::optional<StudyCharts::Span> {
    const FigureSpec& f = *FindFigure(key);
    const auto range = FigureBand(f, row, band);
    if (!range) return std::nullopt;
    return StudyCharts::Span{range->first, range->second, f.Of(band.half)};
  };
}

// An indicator figure's band over the three runs.
StudyCharts::SpanOf IndicatorSpan(std::optional<double> IndicatorFigures::*figure) {
  return [figure](const StudyRow& row, const NotchBand& band) -> std::optional<StudyCharts::Span> {
    const auto own = row.indicator.*figure;
    if (!row.ok() || !band.ok || !own) return std::nullopt;
    StudyCharts::Span span{*own, *own, band.halfIndicator.*figure};
    for (const auto& worn : {band.halfIndicator.*figure, band.fullIndicator.*figure})
      if (worn) span.lo = std::min(span.lo, *worn), span.hi = std::max(span.hi, *worn);
    return span;
  };
}

// The cut-offs' inequality: from the least of the three runs' to the largest
// the two ends' bands allow, as the summary's worst with the play.
std::optional<StudyCharts::Span> InequalitySpan(const StudyRow& row, const NotchBand& band) {
  const FigureSpec &back = *FindFigure("cutOffBack"), &front = *FindFigure("cutOffFront");
  const auto b = FigureBand(back, row, band), f = FigureBand(front, row, band);
  const auto own = CutOffInequality(row);
  if (!b || !f || !own) return std::nullopt;
  const auto of = [&](const RunResults& r) -> std::optional<double> {
    const auto cb = back.Of(r), cf = front.Of(r);
    if (!cb || !cf) return std::nullopt;
    return std::fabs(*cb - *cf);
  };
  StudyCharts::Span span{*own, std::max(std::fabs(b->second - f->first), std::fabs(b->first - f->second)),
                         of(band.half)};
  for (const auto& worn : {of(band.half), of(band.full)})
    if (worn) span.lo = std::min(span.lo, *worn);
  return span;
}

// Solid for the study's engine, dashed for the compared one; against the mean
// cut-off, the side above mid-gear dotted (dash-dot for the compared engine).
Qt::PenStyle LineStyle(bool againstAngle, bool compared, bool up) {
  if (againstAngle || !up) return compared ? Qt::DashLine : Qt::SolidLine;
  return compared ? Qt::DashDotLine : Qt::DotLine;
}

}  // namespace

StudyCharts::StudyCharts(QWidget* parent) : QObject(parent) {
  BuildPlots(parent);
  const auto figure = [](const char* key, QColor colour) {
    return Curve{Caption(key), colour, [key](const StudyRow& r) { return Figure(r, key); },
                 StudyPlot::Axis::left, FigureSpan(key)};
  };
  curves_[cutOffPlot] = {figure("cutOffBack", kBack), figure("cutOffFront", kFront)};
  curves_[leadPlot] = {figure("leadBack", kBack), figure("leadFront", kFront)};
  curves_[portPlot] = {figure("maxPortOpeningBack", kBack),
                       figure("maxPortOpeningFront", kFront),
                       {Caption("dieSlip"),
                        kDieSlip,
                        [](const StudyRow& r) { return Figure(r, "dieSlip"); },
                        StudyPlot::Axis::left,
                        {}}};
  curves_[eventsPlot] = {figure("exhaustBack", kBack), figure("exhaustFront", kFront),
                         figure("compressionBack", kBackLight), figure("compressionFront", kFrontLight)};
  curves_[mepPlot] = {
      {"mep back", kBack, [](const StudyRow& r) { return r.indicator.mepBack; }, StudyPlot::Axis::left,
       IndicatorSpan(&IndicatorFigures::mepBack)},
      {"mep front", kFront, [](const StudyRow& r) { return r.indicator.mepFront; }, StudyPlot::Axis::left,
       IndicatorSpan(&IndicatorFigures::mepFront)},
      {"Work imbalance", kImbalance, [](const StudyRow& r) { return r.indicator.workImbalancePct; },
       StudyPlot::Axis::right, IndicatorSpan(&IndicatorFigures::workImbalancePct)}};
  curves_[inequalityPlot] = {
      {"|Cut-off back - front|", kInequality, CutOffInequality, StudyPlot::Axis::left, InequalitySpan}};
  SetLengthUnit(LengthUnit::none);
  Show({});
}

StudyCharts::~StudyCharts() = default;

void StudyCharts::BuildPlots(QWidget* parent) {
  for (int plot = 0; plot < kPlots; ++plot) {
    plots_[plot] = std::make_unique<StudyPlot>(parent, QString("Plot%1").arg(plot + 1), kTitles[plot]);
    plots_[plot]->view()->viewport()->installEventFilter(this);
  }
  plots_[cutOffPlot]->FixY(0, 100, 6);
  for (const int plot : {leadPlot, portPlot, eventsPlot, indicatorPlot}) plots_[plot]->FixX(0, 100, 6);
  plots_[eventsPlot]->FixY(0, 100, 6);
  // Openings and the die's slip are lengths no run makes negative.
  plots_[portPlot]->YFromZero();
  plots_[indicatorPlot]->FixY(0, 1.2, 7);
  plots_[mepPlot]->YFromZero();
  plots_[inequalityPlot]->YFromZero();
}

void StudyCharts::SetLengthUnit(LengthUnit unit) {
  plots_[cutOffPlot]->SetTitles(kAngleTitle, "Cut-off (% of stroke)");
  plots_[leadPlot]->SetTitles(kMeanCutOffTitle, LengthTitle(FindFigure("leadBack")->measure, unit));
  plots_[portPlot]->SetTitles(kMeanCutOffTitle, LengthTitle("Length", unit));
  plots_[eventsPlot]->SetTitles(kMeanCutOffTitle, "Event (% of stroke)");
  plots_[indicatorPlot]->SetTitles("Piston travel from the end's dead centre (% of stroke)",
                                   "p / p admission");
  plots_[mepPlot]->SetTitles(kAngleTitle, "mep / p admission", "Work imbalance (%)");
  plots_[inequalityPlot]->SetTitles(kAngleTitle, "|back - front| (%)");
}

void StudyCharts::Show(const QuadrantStudy& study, const std::vector<StudyRow>* compared,
                       const QString& comparedName, const std::vector<NotchBand>* bands) {
  params_ = study.options.indicator;
  const QString name = compared != nullptr ? comparedName : QString();
  if (bands != nullptr && bands->size() != study.rows.size()) bands = nullptr;
  for (int plot = 0; plot < kPlots; ++plot)
    if (plot != indicatorPlot) DrawPlot(plot, study.rows, compared, name, bands);
  BuildIndicatorLines(name);
}

void StudyCharts::DrawPlot(int plot, const std::vector<StudyRow>& rows, const std::vector<StudyRow>* compared,
                           const QString& comparedName, const std::vector<NotchBand>* bands) {
  StudyPlot& p = *plots_[plot];
  p.Clear();
  AddKeys(plot, comparedName, bands != nullptr);
  // The bands first, so the lines are drawn over them.
  if (bands != nullptr)
    for (const Curve& curve : curves_[plot])
      if (curve.span) DrawBand(plot, curve, rows, *bands);
  for (const Curve& curve : curves_[plot]) DrawCurve(plot, curve, rows, {});
  if (compared != nullptr)
    for (const Curve& curve : curves_[plot]) DrawCurve(plot, curve, *compared, comparedName);
  if (plot == inequalityPlot) {
    DrawWorkingNotches(rows, {});
    if (compared != nullptr) DrawWorkingNotches(*compared, comparedName);
  }
  p.Fit(plot == cutOffPlot);
}

void StudyCharts::AddKeys(int plot, const QString& comparedName, bool banded) {
  // The legend names the figures in the very colours of their lines; what the
  // line styles and the shading mean is said under the title.
  for (const Curve& curve : curves_[plot]) plots_[plot]->AddKey(curve.name, QPen(curve.colour, 2));
  QString note = StyleNote(AgainstAngle(plot), comparedName);
  if (banded) {
    const bool own = !AgainstAngle(plot);
    note += QString(note.isEmpty() ? "" : "\n") + "shaded: no play to the play given, thin: half of it" +
            (own ? " (at the gear's own mean cut-off)" : "");
  }
  SetTitle(plot, kTitles[plot], note);
}

QString StudyCharts::StyleNote(bool againstAngle, const QString& comparedName) {
  QStringList note;
  if (!againstAngle) note << "dotted: above mid-gear";
  if (!comparedName.isEmpty()) note << "dashed: " + comparedName + (againstAngle ? "" : " (dash-dot above)");
  return note.join("; ");
}

void StudyCharts::SetTitle(int plot, const QString& title, const QString& note) {
  notes_[plot] = note;
  const QString head = title.toHtmlEscaped();
  // Each line of the note on its own line under the title.
  const QString lines = note.toHtmlEscaped().replace('\n', "<br>");
  plots_[plot]->chart()->setTitle(note.isEmpty() ? head : head + "<br><small>" + lines + "</small>");
  plots_[plot]->KeepLabelsWhole();
}

void StudyCharts::DrawCurve(int plot, const Curve& curve, const std::vector<StudyRow>& rows,
                            const QString& comparedName) {
  StudyPlot& p = *plots_[plot];
  const bool againstAngle = AgainstAngle(plot), compared = !comparedName.isEmpty();
  const QString tipName = compared ? curve.name + ", " + comparedName : curve.name;
  QList<QPointF> segment;
  bool segmentUp = false;
  const auto flush = [&] {
    if (!segment.isEmpty())
      p.AddLine(segment, QPen(curve.colour, 2, LineStyle(againstAngle, compared, segmentUp)), tipName, false,
                curve.axis);
    segment.clear();
  };
  for (const StudyRow& row : rows) {
    const auto x = againstAngle ? std::optional<double>(row.liftArmDeg) : MeanCutOff(row);
    const auto y = curve.value(row);
    const bool up = row.liftArmDeg < 0;
    if (!x || !y || (!againstAngle && up != segmentUp)) flush();
    segmentUp = up;
    if (!x || !y) continue;
    segment.append({*x, *y});
    // Readings are taken on the left axis only.
    if (curve.axis == StudyPlot::Axis::left) p.AddNotch({{*x, *y}, row.liftArmDeg, tipName});
  }
  flush();
}

void StudyCharts::DrawBand(int plot, const Curve& curve, const std::vector<StudyRow>& rows,
                           const std::vector<NotchBand>& bands) {
  StudyPlot& p = *plots_[plot];
  const bool againstAngle = AgainstAngle(plot);
  QList<QPointF> lower, upper, half;
  bool segmentUp = false;
  // Cut where the curve is cut, so a band never folds back over mid-gear.
  const auto flush = [&] {
    if (!lower.isEmpty()) p.AddBand(lower, upper, curve.colour, curve.axis);
    if (!half.isEmpty())
      p.AddLine(half, QPen(curve.colour, 1, LineStyle(againstAngle, false, segmentUp)), {}, false,
                curve.axis);
    lower.clear(), upper.clear(), half.clear();
  };
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const StudyRow& row = rows[i];
    const auto x = againstAngle ? std::optional<double>(row.liftArmDeg) : MeanCutOff(row);
    const auto span = x ? curve.span(row, bands[i]) : std::nullopt;
    const bool up = row.liftArmDeg < 0;
    if (!span || (!againstAngle && up != segmentUp)) flush();
    segmentUp = up;
    if (!span) continue;
    lower.append({*x, span->lo});
    upper.append({*x, span->hi});
    if (span->half) half.append({*x, *span->half});
  }
  flush();
}

void StudyCharts::DrawWorkingNotches(const std::vector<StudyRow>& rows, const QString& comparedName) {
  QList<QPointF> points;
  for (const StudyRow& row : rows)
    if (IsWorkingNotch(row)) points.append({row.liftArmDeg, *CutOffInequality(row)});
  const bool compared = !comparedName.isEmpty();
  plots_[inequalityPlot]->AddPoints(
      points, compared ? Qt::darkGray : kInequality,
      compared ? QScatterSeries::MarkerShapeRectangle : QScatterSeries::MarkerShapeCircle,
      compared ? "working notches, compared" : "working notches");
}

void StudyCharts::BuildIndicatorLines(const QString& comparedName) {
  StudyPlot& p = *plots_[indicatorPlot];
  p.Clear();
  p.AddKey("Back end", QPen(kBack, 2));
  p.AddKey("Front end", QPen(kFront, 2));
  indicatorLines_ = {};
  for (int line = 0; line < (comparedName.isEmpty() ? 2 : 4); ++line)
    indicatorLines_[line] = p.AddLine(
        {}, QPen(line % 2 == 0 ? kBack : kFront, 2, line < 2 ? Qt::SolidLine : Qt::DashLine), {}, false);
  p.Fit(false);
  SetTitle(indicatorPlot, kTitles[indicatorPlot], StyleNote(true, comparedName));
}

void StudyCharts::ShowIndicator(std::optional<double> liftArmDeg, const RunResults* run,
                                const RunResults* compared) {
  const RunResults* runs[] = {run, run, compared, compared};
  QStringList unordered;
  for (int line = 0; line < 4; ++line) {
    if (indicatorLines_[line] == nullptr) continue;
    QList<QPointF> points;
    const auto events = runs[line] != nullptr ? EndEventsOf(*runs[line], line % 2 == 0) : std::nullopt;
    if (events)
      for (const IndicatorPoint& point : IndicatorCurve(*events, params_))
        points.append({point.strokePct, point.pressure});
    if (runs[line] != nullptr && points.isEmpty())
      unordered << QString(line < 2 ? "" : "compared ") + (line % 2 == 0 ? "back" : "front");
    indicatorLines_[line]->replace(points);
  }
  QString title = kTitles[indicatorPlot];
  if (liftArmDeg) title += QString(" at %1 deg.").arg(BoxText::Format(*liftArmDeg));
  if (!unordered.isEmpty()) title += " (none for the " + unordered.join(", ") + " end: events out of order)";
  SetTitle(indicatorPlot, title, notes_[indicatorPlot]);
}

void StudyCharts::SetMarker(std::optional<double> liftArmDeg, std::optional<double> meanCutOff) {
  for (int plot = 0; plot < kPlots; ++plot)
    if (plot != indicatorPlot) plots_[plot]->SetMarker(AgainstAngle(plot) ? liftArmDeg : meanCutOff);
}

QStringList StudyCharts::LegendNames(int plot) const {
  QStringList names;
  for (QLegendMarker* marker : plots_[plot]->chart()->legend()->markers())
    if (marker->isVisible()) names << marker->label();
  return names;
}

void StudyCharts::ShowTip(int plot, QPoint pixel) {
  double distance = 0;
  const StudyPlot::NotchPoint* point = plots_[plot]->Nearest(pixel, &distance);
  // Within a few pixels of a notch its figures are shown, as a reading off the curve.
  if (point == nullptr || distance > 8) {
    emit pointHovered("");
    return QToolTip::hideText();
  }
  const QString where =
      AgainstAngle(plot) ? QString() : QString(" (mean cut-off %1)").arg(BoxText::Format(point->value.x()));
  const QString text =
      QString("%1: %2 at %3 deg.%4")
          .arg(point->curve, BoxText::Format(point->value.y()), BoxText::Format(point->liftArmDeg), where);
  QToolTip::showText(view(plot)->viewport()->mapToGlobal(pixel), text);
  emit pointHovered(text);
}

std::optional<double> StudyCharts::AngleAt(int plot, QPoint pixel) const {
  const StudyPlot& p = *plots_[plot];
  if (plot == indicatorPlot || !p.InPlotArea(pixel)) return {};
  if (AgainstAngle(plot)) return p.Value(pixel).x();
  double distance = 0;
  const StudyPlot::NotchPoint* point = p.Nearest(pixel, &distance);
  if (point == nullptr) return {};
  return point->liftArmDeg;
}

bool StudyCharts::eventFilter(QObject* watched, QEvent* event) {
  const bool move = event->type() == QEvent::MouseMove, press = event->type() == QEvent::MouseButtonPress;
  if (!move && !press) return false;
  const auto* mouse = static_cast<QMouseEvent*>(event);
  for (int plot = 0; plot < kPlots; ++plot) {
    if (view(plot)->viewport() != watched) continue;
    if (move) ShowTip(plot, mouse->position().toPoint());
    if (press && mouse->button() == Qt::LeftButton) emit plotClicked(plot, mouse->position().toPoint());
  }
  return false;
}
