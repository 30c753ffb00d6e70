// A drawing surface on a QImage with the semantics of the Windows graphics
// interface: a pen position, pen and brush, one-pixel lines without their last
// pixel, rectangles and ellipses in boxes whose right and bottom edges are
// excluded, arcs between two rays, flood fill. Coordinates are in the image's
// device-independent pixels; a 2x image gets the same shapes, drawn finer.
#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRectF>
#include <functional>
#include <vector>

class Canvas {
 public:
  enum class PenStyle { Solid, Dot, DashDot };
  enum class BrushStyle { Solid, Clear };

  explicit Canvas(QImage& image) : image_(image) {}

  void SetPenColor(QColor color) { penColor_ = color; }
  void SetPenWidth(int width) { penWidth_ = width; }
  void SetPenStyle(PenStyle style) { penStyle_ = style; }
  void SetBrushColor(QColor color) { brushColor_ = color; }
  void SetBrushStyle(BrushStyle style) { brushStyle_ = style; }
  QColor PenColor() const { return penColor_; }
  int PenWidth() const { return penWidth_; }
  PenStyle CurrentPenStyle() const { return penStyle_; }
  QColor BrushColor() const { return brushColor_; }
  QPoint PenPos() const { return penPos_; }

  void MoveTo(int x, int y) { penPos_ = QPoint(x, y); }
  void LineTo(int x, int y);
  // Lines through points given in fractions of a pixel. On a denser image
  // they run through the points themselves, so a curve is as smooth as the
  // image's pixels allow; at 1x each point is truncated to its pixel and the
  // lines are those of MoveTo and LineTo. The pen ends at the last point.
  void Polyline(const std::vector<QPointF>& points);
  void Rectangle(int x1, int y1, int x2, int y2);
  void Ellipse(int x1, int y1, int x2, int y2);
  // Counter-clockwise on screen from the ray through (sx, sy) to the ray
  // through (ex, ey), both from the centre of the box.
  void Arc(int x1, int y1, int x2, int y2, int sx, int sy, int ex, int ey);
  // Paints the brush colour over the region around (x, y) bounded by border.
  void FloodFill(int x, int y, QColor border);
  // Fills the whole image with the brush colour.
  void Clear();

  // Called after each drawing operation (the owning view repaints).
  void OnChange(std::function<void()> changed) { changed_ = std::move(changed); }

 private:
  template <typename Draw>
  void Paint(bool filled, Draw draw);
  // Whether the image has more than one pixel per unit.
  bool Dense() const;
  // Where the pixel at (x, y) is drawn on the painter, and a box's outline.
  QPointF Spot(int x, int y) const;
  QRectF Outline(const QRect& box) const;

  QImage& image_;
  QColor penColor_ = Qt::black;
  int penWidth_ = 1;
  PenStyle penStyle_ = PenStyle::Solid;
  QColor brushColor_ = Qt::white;
  BrushStyle brushStyle_ = BrushStyle::Solid;
  QPoint penPos_;
  std::function<void()> changed_;
};
