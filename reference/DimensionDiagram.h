// The dimension diagram's shapes on a canvas: the centre lines, the link and
// the thirteen dimension markings, laid out in a frame of 670 by 300 units and
// turned into pixels by truncating width x (px / 670) and height x (py / 300).
#pragma once

#include <QColor>

#include "Canvas.h"

class DimensionDiagram {
 public:
  static constexpr int kMarkings = 13;

  DimensionDiagram(Canvas& canvas, double width, double height);

  int Column(int px) const;
  int Row(int py) const;

  // Dash-dot, one pixel wide, in whatever colour the pen last had.
  void CentreLines();
  // The expansion link: green, leaving the pen solid and two pixels wide.
  void Link();
  // Runs marking routine index (0..12, in drawing order): red when
  // highlighted, otherwise the dimension's own colour. The pen keeps the
  // colour afterwards, which the next centre lines inherit.
  void Mark(int index, bool highlight);

 private:
  void Conrod(bool highlight);
  void Mcrank(bool highlight);
  void Eccrad(bool highlight);
  void Eccrod(bool highlight);
  void Linkpins(bool highlight);
  void Liftlink(bool highlight);
  void Larad(bool highlight);
  void Ctoweighh(bool highlight);
  void Ctoweighv(bool highlight);
  void Pintoslot(bool highlight);
  void Circdisp(bool highlight);
  void Raddisp(bool highlight);
  void Angadv(bool highlight);

  void Colour(bool highlight, QColor normal);
  // The thin markings draw one pixel wide and leave the pen at two.
  void ThinLine(bool highlight, int ax, int ay, int bx, int by);
  void MoveTo(int px, int py);
  void LineTo(int px, int py);
  void Line(int ax, int ay, int bx, int by);
  void Circle(int x1, int y1, int x2, int y2);
  void Arc(int x1, int y1, int x2, int y2, int sx, int sy, int ex, int ey);

  Canvas& canvas_;
  double width_;
  double height_;
};
