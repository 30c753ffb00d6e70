// "GO" and the valve diagram: the sweep, results.txt, the diagram's frame,
// grid, axis, lap and port lines and the red valve curve, and the labels.
// Shapes whose scale would be zero (no crank or no lap) are skipped.
#include <cmath>

#include "Angles.h"
#include "BoxText.h"
#include "CrankSweep.h"
#include "QtPrompter.h"
#include "ResultsTable.h"
#include "TAnimaForm.h"
#include "TResultsForm.h"
#include "ValveEvents.h"
#include "WindowSet.h"

namespace {

const QColor kBlue(0, 0, 255), kGreen(0, 128, 0), kBlack(0, 0, 0), kLime(0, 255, 0), kFuchsia(255, 0, 255),
    kRed(255, 0, 0);

void Show(QLabel* label, const QString& text) {
  label->setText(text);
  label->adjustSize();
}

}  // namespace

void TResultsForm::BtGoClick() {
  if (AnimaForm != nullptr) AnimaForm->MRocker->setVisible(gear_.rockerType != 0);
  MLeads->hide();
  MXleads->show();
  if (!RunSweep()) return;
  // Only a sweep that succeeded gives the animation tables to show.
  BtAnima->setEnabled(true);
  if (LbEqlds->text().isEmpty()) Show(LbEqlds, BoxText::Format(RadiansToDegrees(gear_.liftArmAngle)));
  Show(LbLinkmin, BoxText::Format(RadiansToDegrees(gear_.linkAngleMin)));
  Show(LbLinkmax, BoxText::Format(RadiansToDegrees(gear_.linkAngleMax)));
  Show(LbDiedef, BoxText::Format(gear_.dieDeflection));
}

bool TResultsForm::RunSweep() {
  const double degrees = BoxText::Number(EdLa_ang);  // a bad angle stops "GO" here
  const GearStatus status = RunCrankSweep(gear_, degrees);
  if (!status.ok) {
    AppPrompter().Inform("Message", status.message);
    return false;
  }
  if (!WriteResultsTable(gear_, "results.txt")) AppPrompter().Inform("Message", "Cannot open Results file");
  DrawValveDiagram();
  return true;
}

void TResultsForm::ResetDiagramFrame() {
  frame_ = DiagramFrame{};
  frame_.width = Oval->image().width();
  frame_.height = Oval->image().height();
}

int TResultsForm::DiagramColumn(double u) const {
  const double share =
      frame_.marginLeft + (1 - 2 * frame_.marginLeft) * (u - frame_.uMin) / (frame_.uMax - frame_.uMin);
  return static_cast<int>(share * frame_.width);
}

int TResultsForm::DiagramRow(double v) const {
  const double share =
      1 - frame_.marginBottom -
      (1 - frame_.marginLeft - frame_.marginBottom) * (v - frame_.vMin) / (frame_.vMax - frame_.vMin);
  return static_cast<int>(share * frame_.height);
}

void TResultsForm::HorizontalLine(double v) {
  Canvas& canvas = Oval->canvas();
  canvas.MoveTo(DiagramColumn(1), DiagramRow(v));
  canvas.LineTo(DiagramColumn(0), DiagramRow(v));
}

void TResultsForm::DrawValveDiagram() {
  gear_.strokeScale = 2 * gear_.mcrank;
  travelScale_ = 6 * gear_.stlap;
  ResetDiagramFrame();
  Canvas& canvas = Oval->canvas();
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
    HorizontalLine(0.5 + gear_.stlap / travelScale_);
    HorizontalLine(0.5 - gear_.stlap / travelScale_);
    canvas.SetPenColor(kFuchsia);
    HorizontalLine(0.5 + (gear_.stlap + gear_.port) / travelScale_);
    HorizontalLine(0.5 - (gear_.stlap + gear_.port) / travelScale_);
  }
  DrawValveOval();
  ShowRunResults();
}

void TResultsForm::DrawValveOval() {
  if (gear_.strokeScale == 0 || travelScale_ == 0) return;
  Canvas& canvas = Oval->canvas();
  canvas.SetPenColor(kRed);
  const auto column = [&](int k) { return DiagramColumn(gear_.pistonTable[k] / gear_.strokeScale + 0.5); };
  const auto row = [&](int k) { return DiagramRow(gear_.valveTable[k] / travelScale_ + 0.5); };
  canvas.MoveTo(column(0), row(0));
  for (int k = 1; k <= kSteps; ++k) canvas.LineTo(column(k), row(k));
}

void TResultsForm::ShowRunResults() {
  const RunResults run = ComputeRunResults(gear_);
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
  Show(LbLeadB, BoxText::Format(run.leadBack));
  Show(LbLeadF, BoxText::Format(run.leadFront));
  Show(LbPopB, BoxText::Format(run.portOpenBack));
  Show(LbPopF, BoxText::Format(run.portOpenFront));
}

void TResultsForm::ClearResults() {
  Canvas& canvas = Oval->canvas();
  canvas.FloodFill(Oval->image().width() / 2, Oval->image().height() / 2, kBlue);
  EdLa_ang->setText("");
  for (QLabel* label :
       {LbAdmB, LbAdmF, LbCoB, LbCoF, LbExB, LbExF, LbCpB, LbCpF, LbLeadB, LbLeadF, LbPopB, LbPopF})
    label->setText("");
}
