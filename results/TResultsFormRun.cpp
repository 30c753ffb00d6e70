// "GO" and the valve diagram: the run through the session (which writes
// results.txt), the diagram's frame, grid, axis, lap and port lines, the valve
// curves (through their points at the picture's own pixels, so they are smooth
// at 2x): the present run's red with the animation's marker on it, the runs
// before it each in a colour of its own, and the labels. Shapes whose scale
// would be zero (no crank or no lap) are skipped.
#include <QLayout>
#include <cmath>
#include <utility>
#include <vector>

#include "Angles.h"
#include "BoxText.h"
#include "Controls.h"
#include "QtPrompter.h"
#include "TResultsForm.h"

namespace {

const QColor kBlue(0, 0, 255), kGreen(0, 128, 0), kBlack(0, 0, 0), kLime(0, 255, 0), kFuchsia(255, 0, 255),
    kRed(255, 0, 0), kWhite(255, 255, 255);

// The earlier runs' colours, none of them the diagram's own lines' (frame,
// grid, axis, lap, port, marker) nor the present run's red.
const QColor kEarlier[] = {QColor(230, 120, 0),  QColor(0, 150, 150), QColor(130, 0, 200),
                           QColor(140, 90, 30),  QColor(0, 0, 130),   QColor(128, 128, 0),
                           QColor(120, 120, 120)};
constexpr int kEarlierColours = sizeof(kEarlier) / sizeof(kEarlier[0]);

void Show(QLabel* label, const QString& text) {
  label->setText(text);
  label->adjustSize();
}

}  // namespace

void TResultsForm::BtGoClick() {
  RunSweep();
}

bool TResultsForm::RunSweep() {
  const double degrees = BoxText::Number(EdLa_ang);  // a bad angle stops "GO" here
  const RunOutcome outcome = model_.Go(degrees, ChosenSetting());
  if (outcome.ok()) return true;
  AppPrompter().Inform("Message", FailureMessage(*outcome.failure));
  return false;
}

void TResultsForm::ReverserMoved(double liftArmDegrees) {
  ShowLaterRunNote();
  // The box's own reaction runs (GO on, ANIMATE off); the run shown next
  // turns ANIMATE on again, since its tables are those of this angle.
  EdLa_ang->setText(BoxText::Format(liftArmDegrees));
  // One curve at a time while the reverser moves, not a smear of them.
  Oval->canvas().FloodFill(Oval->PictureSize().width() / 2, Oval->PictureSize().height() / 2, kBlue);
  drawn_.clear();
  ShowRunLegend();
  if (!isVisible()) {
    // Shown beside the study without taking the activation from it (which
    // would close the animation); later showings activate as before.
    setAttribute(Qt::WA_ShowWithoutActivating);
    show();
    setAttribute(Qt::WA_ShowWithoutActivating, false);
  }
}

QString TResultsForm::Length(double value) const {
  return BoxText::Format(value) + QString::fromStdString(UnitSuffix(Quantity::length, model_.lengthUnit()));
}

void TResultsForm::ShowDieDeflection(double value) {
  LbDiedef->setFont(Controls::Font());
  Show(LbDiedef, Length(value));
  // There is room up to the diagram's "Front" for most figures with their
  // unit; a longer one takes the narrow face.
  if (LbDiedef->geometry().right() >= frontEnd_->x()) {
    LbDiedef->setFont(Controls::NarrowFont());
    LbDiedef->adjustSize();
  }
}

void TResultsForm::ShowDieSlip(double value) {
  Show(LbDieSlip, Length(value));
}

void TResultsForm::LengthUnitChanged() {
  const auto& latest = model_.session().latestRun();
  if (!latest) return;
  const RunResults& r = latest->results;
  const std::pair<QLabel*, double> lengths[] = {
      {LbLeadB, r.leadBack}, {LbLeadF, r.leadFront}, {LbPopB, r.portOpenBack}, {LbPopF, r.portOpenFront}};
  // A cleared label stays clear.
  for (const auto& [label, value] : lengths)
    if (!label->text().isEmpty()) Show(label, Length(value));
  if (!LbDiedef->text().isEmpty()) ShowDieDeflection(latest->dieDeflection);
  if (!LbDieSlip->text().isEmpty()) ShowDieSlip(r.dieSlip);
}

void TResultsForm::RunChanged() {
  const auto& latest = model_.session().latestRun();
  if (!latest) return;
  const GearRun& run = *latest;
  // The valves are set now (by this run or an earlier one): the later-run note.
  ShowLaterRunNote();
  KeepDrawnRun(latest);
  DrawValveDiagram(run);
  ShowUsability(run);
  // Only a sweep that succeeded gives the animation tables to show.
  BtAnima->setEnabled(true);
  // The setting's angle, also when the live reverser fixed it before moving on.
  if (LbEqlds->text().isEmpty()) Show(LbEqlds, BoxText::Format(*model_.session().settingAngleDeg()));
  Show(LbLinkmin, BoxText::Format(RadiansToDegrees(run.linkAngleMin)));
  Show(LbLinkmax, BoxText::Format(RadiansToDegrees(run.linkAngleMax)));
  ShowDieDeflection(run.dieDeflection);
  ShowDieSlip(run.results.dieSlip);
}

void TResultsForm::KeepDrawnRun(const std::shared_ptr<const GearRun>& run) {
  // Another run at an angle already drawn takes that curve's place.
  std::erase_if(drawn_, [&](const DrawnRun& d) { return d.run->liftArmAngle == run->liftArmAngle; });
  drawn_.push_back({run, nextColour_});
  nextColour_ = (nextColour_ + 1) % kEarlierColours;
  if (drawn_.size() > kMostCurves) drawn_.erase(drawn_.begin());
}

std::vector<std::shared_ptr<const GearRun>> TResultsForm::drawnRuns() const {
  std::vector<std::shared_ptr<const GearRun>> runs;
  for (const DrawnRun& d : drawn_) runs.push_back(d.run);
  return runs;
}

QColor TResultsForm::CurveColour(std::size_t drawn) const {
  return drawn + 1 == drawn_.size() ? kRed : kEarlier[drawn_[drawn].colour];
}

void TResultsForm::ResetDiagramFrame() {
  frame_ = DiagramFrame{};
  frame_.width = Oval->PictureSize().width();
  frame_.height = Oval->PictureSize().height();
}

double TResultsForm::ClampFar(double value) {
  // Never out of int range: a point far beyond the picture (a valve travel
  // of many thousand laps) stays far beyond it, on its side.
  constexpr double far = 1e6;
  return std::fmax(-far, std::fmin(far, value));
}

double TResultsForm::DiagramX(double u) const {
  const double share =
      frame_.marginLeft + (1 - 2 * frame_.marginLeft) * (u - frame_.uMin) / (frame_.uMax - frame_.uMin);
  return ClampFar(share * frame_.width);
}

double TResultsForm::DiagramY(double v) const {
  const double share =
      1 - frame_.marginBottom -
      (1 - frame_.marginLeft - frame_.marginBottom) * (v - frame_.vMin) / (frame_.vMax - frame_.vMin);
  return ClampFar(share * frame_.height);
}

// Toward zero, as the pixel that holds the point.
int TResultsForm::DiagramColumn(double u) const {
  return static_cast<int>(DiagramX(u));
}

int TResultsForm::DiagramRow(double v) const {
  return static_cast<int>(DiagramY(v));
}

void TResultsForm::HorizontalLine(double v) {
  Canvas& canvas = Oval->canvas();
  canvas.MoveTo(DiagramColumn(1), DiagramRow(v));
  canvas.LineTo(DiagramColumn(0), DiagramRow(v));
}

void TResultsForm::DrawValveDiagram(const GearRun& run) {
  const Engine& engine = model_.session().engine();
  travelScale_ = 6 * engine.stlap;
  ResetDiagramFrame();
  Canvas& canvas = Oval->canvas();
  // Every kept curve is drawn afresh in its colour, so the inside is cleared first.
  canvas.SetBrushColor(kWhite);
  canvas.FloodFill(Oval->PictureSize().width() / 2, Oval->PictureSize().height() / 2, kBlue);
  canvas.SetPenWidth(3);
  canvas.SetPenColor(kBlue);
  canvas.MoveTo(DiagramColumn(frame_.uMin), DiagramRow(frame_.vMax));
  canvas.LineTo(DiagramColumn(frame_.uMax), DiagramRow(frame_.vMax));
  canvas.LineTo(DiagramColumn(frame_.uMax), DiagramRow(frame_.vMin));
  canvas.LineTo(DiagramColumn(frame_.uMin), DiagramRow(frame_.vMin));
  canvas.LineTo(DiagramColumn(frame_.uMin), DiagramRow(frame_.vMax));
  canvas.SetPenStyle(Canvas::PenStyle::Solid);
  canvas.SetPenWidth(1);
  canvas.SetPenColor(kGreen);
  for (int i = 1; frame_.grid && i < frame_.divisions; ++i) {
    const double u = i * (frame_.uMax - frame_.uMin) / frame_.divisions + frame_.uMin;
    canvas.MoveTo(DiagramColumn(u), DiagramRow(frame_.vMin));
    canvas.LineTo(DiagramColumn(u), DiagramRow(frame_.vMax));
  }
  canvas.SetPenColor(kBlack);
  HorizontalLine(0.5);
  if (travelScale_ != 0) {
    canvas.SetPenColor(kLime);
    HorizontalLine(0.5 + engine.stlap / travelScale_);
    HorizontalLine(0.5 - engine.stlap / travelScale_);
    canvas.SetPenColor(kFuchsia);
    HorizontalLine(0.5 + (engine.stlap + engine.port) / travelScale_);
    HorizontalLine(0.5 - (engine.stlap + engine.port) / travelScale_);
  }
  DrawRunCurves();
  ShowRunLegend();
  ShowRunResults(run);
}

void TResultsForm::DrawRunCurves() {
  for (std::size_t d = 0; d < drawn_.size(); ++d) DrawValveOval(*drawn_[d].run, CurveColour(d));
}

void TResultsForm::ShowRunLegend() {
  for (QLabel* line : runLabels()) delete line;
  for (std::size_t d = 0; d < drawn_.size(); ++d) {
    const QString angle = BoxText::Format(drawn_[d].run->liftArmDeg);
    auto* line = new QLabel(QString::fromUtf8("\u25AC\u25AC ") + angle + " deg.", RunLegend);
    line->setFont(Controls::NarrowFont(true));
    Controls::SetTextColour(line, CurveColour(d));
    RunLegend->layout()->addWidget(line);
  }
  RunLegend->adjustSize();
  RunLegend->setVisible(!drawn_.empty());
}

std::vector<QLabel*> TResultsForm::runLabels() const {
  const QList<QLabel*> lines = RunLegend->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
  return {lines.begin(), lines.end()};
}

void TResultsForm::DrawValveOval(const GearRun& run, QColor colour) {
  if (run.strokeScale == 0 || travelScale_ == 0) return;
  Canvas& canvas = Oval->canvas();
  canvas.SetPenColor(colour);
  std::vector<QPointF> curve;
  for (int k = 0; k <= kSteps; ++k)
    curve.emplace_back(DiagramX(run.pistonTable[k] / run.strokeScale + 0.5),
                       DiagramY(run.valveTable[k] / travelScale_ + 0.5));
  canvas.Polyline(curve);
}

void TResultsForm::ShowRunResults(const GearRun& gearRun) {
  const RunResults& run = gearRun.results;
  const auto event = [&](QLabel* label, int e) {
    Show(label, run.eventFound[e] ? BoxText::Format(run.eventPct[e]) : QString("-"));
  };
  event(LbAdmB, admissionBack);
  event(LbAdmF, admissionFront);
  event(LbCoB, cutOffBack);
  event(LbCoF, cutOffFront);
  event(LbExB, exhaustBack);
  event(LbExF, exhaustFront);
  event(LbCpB, compressionBack);
  event(LbCpF, compressionFront);
  Show(LbLeadB, Length(run.leadBack));
  Show(LbLeadF, Length(run.leadFront));
  Show(LbPopB, Length(run.portOpenBack));
  Show(LbPopF, Length(run.portOpenFront));
}

void TResultsForm::ClearResults() {
  Canvas& canvas = Oval->canvas();
  canvas.FloodFill(Oval->PictureSize().width() / 2, Oval->PictureSize().height() / 2, kBlue);
  EdLa_ang->setText("");
  drawn_.clear();
  ShowRunLegend();
  for (QLabel* label :
       {LbAdmB, LbAdmF, LbCoB, LbCoF, LbExB, LbExF, LbCpB, LbCpF, LbLeadB, LbLeadF, LbPopB, LbPopF, LbUsable})
    label->setText("");
}

// Paints out the previous step's marker in the diagram's white and rings the
// current sample in green; the curves are then drawn again over both.
void TResultsForm::MarkAnimationStep(int step, int markerHalf) {
  const auto& latest = model_.session().latestRun();
  if (!latest || latest->strokeScale == 0 || travelScale_ == 0) return;
  const GearRun& run = *latest;
  Canvas& diagram = Oval->canvas();
  const auto marker = [&](int sample) {
    const int c = DiagramColumn(run.pistonTable[sample] / run.strokeScale + 0.5);
    const int r = DiagramRow(run.valveTable[sample] / travelScale_ + 0.5);
    diagram.Ellipse(c - markerHalf, r - markerHalf, c + markerHalf, r + markerHalf);
  };
  diagram.SetBrushColor(kWhite);
  diagram.SetPenColor(kWhite);
  marker(step > 0 ? step - 1 : kSteps - 1);
  diagram.SetPenColor(kGreen);
  marker(step);
  DrawRunCurves();
}
