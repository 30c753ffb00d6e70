// Each operation opens a QPainter on the image without antialiasing. On an
// image of one pixel per unit, integer coordinates land on pixels as they say;
// on a denser image (a 2x screen) shapes are drawn through the centres of the
// blocks that stand for one pixel, so they keep their places and get sharper.
// The fill is a scanline flood fill over the image's own pixels.
#include "Canvas.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

QRect BoxOf(int x1, int y1, int x2, int y2) {
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  // The box's right and bottom edges are excluded.
  return QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1));
}

Qt::PenStyle QtStyle(Canvas::PenStyle style) {
  switch (style) {
    case Canvas::PenStyle::Dot:
      return Qt::DotLine;
    case Canvas::PenStyle::DashDot:
      return Qt::DashDotLine;
    case Canvas::PenStyle::Solid:
      break;
  }
  return Qt::SolidLine;
}

}  // namespace

bool Canvas::Dense() const {
  return image_.devicePixelRatio() != 1;
}

QPointF Canvas::Spot(int x, int y) const {
  return Dense() ? QPointF(x + 0.5, y + 0.5) : QPointF(x, y);
}

QRectF Canvas::Outline(const QRect& box) const {
  const QRectF inner(box.adjusted(0, 0, -1, -1));
  return Dense() ? inner.translated(0.5, 0.5) : inner;
}

template <typename Draw>
void Canvas::Paint(bool filled, Draw draw) {
  {
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    // Patterned pens are one pixel wide whatever the width, as on Windows.
    const int width = penStyle_ == PenStyle::Solid ? penWidth_ : 1;
    QPen pen(penColor_, width, QtStyle(penStyle_));
    // A dense image's thin lines end exactly where LineTo puts their ends.
    pen.setCapStyle(width <= 1 && Dense() ? Qt::FlatCap : Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);  // square corners on outlines
    pen.setCosmetic(width <= 1 && !Dense());
    painter.setPen(pen);
    painter.setBrush(filled && brushStyle_ == BrushStyle::Solid ? QBrush(brushColor_) : QBrush(Qt::NoBrush));
    draw(painter);
  }
  if (changed_) changed_();
}

void Canvas::LineTo(int x, int y) {
  QPointF from = Spot(penPos_.x(), penPos_.y()), to = Spot(x, y);
  const QPointF step = to - from;
  const double longest = std::max(std::abs(step.x()), std::abs(step.y()));
  penPos_ = QPoint(x, y);
  if (PenWidth() <= 1 || CurrentPenStyle() != PenStyle::Solid) {
    // The last pixel is left out (the next line starts there). At 1x the
    // line ends one pixel step short; on a denser image the flat-capped
    // stroke starts and ends half a step back from the pixels' centres.
    if (longest == 0) return;
    const QPointF pixelStep = step / longest;
    if (Dense()) from -= pixelStep / 2;
    to -= Dense() ? pixelStep / 2 : pixelStep;
  }
  Paint(false, [&](QPainter& p) { p.drawLine(from, to); });
}

void Canvas::Polyline(const std::vector<QPointF>& points) {
  if (points.empty()) return;
  const auto pixel = [](QPointF p) { return QPoint(static_cast<int>(p.x()), static_cast<int>(p.y())); };
  if (!Dense()) {
    MoveTo(pixel(points.front()).x(), pixel(points.front()).y());
    for (std::size_t i = 1; i < points.size(); ++i) LineTo(pixel(points[i]).x(), pixel(points[i]).y());
    return;
  }
  penPos_ = pixel(points.back());
  Paint(false, [&](QPainter& p) { p.drawPolyline(points.data(), static_cast<int>(points.size())); });
}

void Canvas::Rectangle(int x1, int y1, int x2, int y2) {
  const QRect box = BoxOf(x1, y1, x2, y2);
  Paint(true, [&](QPainter& p) { p.drawRect(Outline(box)); });
}

void Canvas::Ellipse(int x1, int y1, int x2, int y2) {
  const QRect box = BoxOf(x1, y1, x2, y2);
  if (box.isEmpty()) return;  // a box without width or height holds no ellipse
  Paint(true, [&](QPainter& p) { p.drawEllipse(Outline(box)); });
}

void Canvas::Arc(int x1, int y1, int x2, int y2, int sx, int sy, int ex, int ey) {
  const QRect box = BoxOf(x1, y1, x2, y2);
  const double cx = (x1 + x2) / 2.0;
  const double cy = (y1 + y2) / 2.0;
  // Screen y points down, so the mathematical angle uses -(y - cy).
  const double start = std::atan2(-(sy - cy), sx - cx) * 180.0 / M_PI;
  const double end = std::atan2(-(ey - cy), ex - cx) * 180.0 / M_PI;
  double span = end - start;
  while (span <= 0) span += 360.0;
  Paint(false, [&](QPainter& p) {
    p.drawArc(Outline(box), static_cast<int>(std::lround(start * 16)),
              static_cast<int>(std::lround(span * 16)));
  });
}

void Canvas::Clear() {
  image_.fill(brushColor_);
  if (changed_) changed_();
}

void Canvas::FloodFill(int logicalX, int logicalY, QColor border) {
  // The seed is the first image pixel of the block that stands for it.
  const double scale = image_.devicePixelRatio();
  const int x = static_cast<int>(logicalX * scale), y = static_cast<int>(logicalY * scale);
  if (!image_.rect().contains(x, y)) return;
  const QRgb stop = border.rgb();
  const QRgb paint = brushColor_.rgb();
  const auto at = [&](int px, int py) { return image_.pixel(px, py) | 0xFF000000u; };
  if (at(x, y) == (stop | 0xFF000000u) || paint == stop) return;
  std::vector<bool> done(static_cast<size_t>(image_.width()) * image_.height(), false);
  std::vector<QPoint> seeds{QPoint(x, y)};
  while (!seeds.empty()) {
    const QPoint seed = seeds.back();
    seeds.pop_back();
    int left = seed.x();
    const int row = seed.y();
    const auto open = [&](int px) {
      return !done[static_cast<size_t>(row) * image_.width() + px] && at(px, row) != (stop | 0xFF000000u);
    };
    if (!open(left)) continue;
    while (left > 0 && open(left - 1)) --left;
    for (int px = left; px < image_.width() && open(px); ++px) {
      done[static_cast<size_t>(row) * image_.width() + px] = true;
      image_.setPixel(px, row, paint);
      if (row > 0) seeds.emplace_back(px, row - 1);
      if (row + 1 < image_.height()) seeds.emplace_back(px, row + 1);
    }
  }
  if (changed_) changed_();
}
