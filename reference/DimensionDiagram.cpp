// Each marking redraws its shapes over the old ones in place, so a marking
// changes colour without erasing anything; circles are filled with the
// canvas's white brush, which hides the line ends they sit on.
#include "DimensionDiagram.h"

#include <array>

namespace {

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 128, 0);
const QColor kBlue(0, 0, 255);

}  // namespace

DimensionDiagram::DimensionDiagram(Canvas& canvas, double width, double height)
    : canvas_(canvas), width_(width), height_(height) {}

// The quotient is taken first: width x px / 670 truncates differently for
// some sizes (67 x 580 / 670 is exactly 58, 67 x (580 / 670) just below it).
int DimensionDiagram::Column(int px) const {
  return static_cast<int>(width_ * (px / 670.0));
}

int DimensionDiagram::Row(int py) const {
  return static_cast<int>(height_ * (py / 300.0));
}

void DimensionDiagram::CentreLines() {
  canvas_.SetPenWidth(1);
  canvas_.SetPenStyle(Canvas::PenStyle::DashDot);
  Line(20, 197, 620, 197);
  Line(74, 0, 74, 220);
  Line(587, 10, 587, 50);
  Line(550, 35, 620, 35);
  Line(90, 35, 550, 180);
  Line(90, 35, 550, 154);
  Line(90, 35, 498, 266);
  Line(90, 35, 590, 235);
}

void DimensionDiagram::Link() {
  canvas_.SetPenStyle(Canvas::PenStyle::Solid);
  canvas_.SetPenColor(kGreen);
  canvas_.SetPenWidth(2);
  // A circle of radius 520 about (75, 5), over its short stretch on the right.
  Arc(-445, 525, 595, -515, 498, 270, 550, 145);
}

void DimensionDiagram::Mark(int index, bool highlight) {
  using Routine = void (DimensionDiagram::*)(bool);
  static constexpr std::array<Routine, kMarkings> routines = {
      &DimensionDiagram::Conrod,    &DimensionDiagram::Mcrank,    &DimensionDiagram::Eccrad,
      &DimensionDiagram::Eccrod,    &DimensionDiagram::Linkpins,  &DimensionDiagram::Liftlink,
      &DimensionDiagram::Larad,     &DimensionDiagram::Ctoweighh, &DimensionDiagram::Ctoweighv,
      &DimensionDiagram::Pintoslot, &DimensionDiagram::Circdisp,  &DimensionDiagram::Raddisp,
      &DimensionDiagram::Angadv,
  };
  (this->*routines.at(static_cast<size_t>(index)))(highlight);
}

void DimensionDiagram::Conrod(bool highlight) {
  Colour(highlight, kGreen);
  MoveTo(26, 137);
  Circle(21, 132, 31, 142);
  LineTo(585, 197);
  Circle(580, 192, 590, 202);
}

void DimensionDiagram::Mcrank(bool highlight) {
  Colour(highlight, kGreen);
  MoveTo(74, 197);
  Circle(69, 192, 79, 202);
  LineTo(26, 137);
}

void DimensionDiagram::Eccrad(bool highlight) {
  Colour(highlight, kGreen);
  Line(74, 197, 104, 188);
  Circle(99, 183, 109, 193);
  Line(74, 197, 60, 224);
  Circle(55, 219, 65, 229);
}

void DimensionDiagram::Eccrod(bool highlight) {
  Colour(highlight, kGreen);
  MoveTo(550, 154);
  Circle(545, 149, 555, 159);
  LineTo(104, 188);
  MoveTo(498, 266);
  Circle(493, 261, 503, 271);
  LineTo(60, 224);
}

void DimensionDiagram::Linkpins(bool highlight) {
  Colour(highlight, kGreen);
  Line(550, 154, 498, 266);
}

void DimensionDiagram::Liftlink(bool highlight) {
  Colour(highlight, kGreen);
  MoveTo(503, 56);
  Circle(498, 51, 508, 61);
  LineTo(550, 180);
  Circle(545, 175, 555, 185);
}

void DimensionDiagram::Larad(bool highlight) {
  Colour(highlight, kGreen);
  Line(503, 56, 587, 35);
  Circle(582, 30, 592, 40);
}

void DimensionDiagram::Ctoweighh(bool highlight) {
  ThinLine(highlight, 75, 15, 587, 15);
}

void DimensionDiagram::Ctoweighv(bool highlight) {
  ThinLine(highlight, 600, 35, 600, 197);
}

void DimensionDiagram::Pintoslot(bool highlight) {
  ThinLine(highlight, 550, 154, 572, 160);
}

void DimensionDiagram::Circdisp(bool highlight) {
  ThinLine(highlight, 550, 180, 535, 214);
}

void DimensionDiagram::Raddisp(bool highlight) {
  ThinLine(highlight, 550, 180, 560, 183);
}

void DimensionDiagram::Angadv(bool highlight) {
  Colour(highlight, kBlue);
  canvas_.SetPenWidth(1);
  Line(134, 178, 74, 197);
  Line(35, 230, 126, 153);
  Arc(24, 247, 124, 147, 104, 188, 126, 153);
  canvas_.SetPenWidth(2);
}

void DimensionDiagram::Colour(bool highlight, QColor normal) {
  canvas_.SetPenColor(highlight ? kRed : normal);
}

void DimensionDiagram::ThinLine(bool highlight, int ax, int ay, int bx, int by) {
  Colour(highlight, kBlue);
  canvas_.SetPenWidth(1);
  Line(ax, ay, bx, by);
  canvas_.SetPenWidth(2);
}

void DimensionDiagram::MoveTo(int px, int py) {
  canvas_.MoveTo(Column(px), Row(py));
}

void DimensionDiagram::LineTo(int px, int py) {
  canvas_.LineTo(Column(px), Row(py));
}

void DimensionDiagram::Line(int ax, int ay, int bx, int by) {
  MoveTo(ax, ay);
  LineTo(bx, by);
}

// Each corner is scaled by itself, so a box may lose a pixel to truncation.
void DimensionDiagram::Circle(int x1, int y1, int x2, int y2) {
  canvas_.Ellipse(Column(x1), Row(y1), Column(x2), Row(y2));
}

void DimensionDiagram::Arc(int x1, int y1, int x2, int y2, int sx, int sy, int ex, int ey) {
  canvas_.Arc(Column(x1), Row(y1), Column(x2), Row(y2), Column(sx), Row(sy), Column(ex), Row(ey));
}
