// Each operation opens a QPainter on the image without antialiasing, so pixels
// land where the integer coordinates say; the fill is a scanline flood fill.
#include "Canvas.h"

#include <QPainter>
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

template <typename Draw>
void Canvas::Paint(bool filled, Draw draw) {
  {
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    // Patterned pens are one pixel wide whatever the width, as on Windows.
    const int width = penStyle_ == PenStyle::Solid ? penWidth_ : 1;
    QPen pen(penColor_, width, QtStyle(penStyle_));
    pen.setCosmetic(width <= 1);
    painter.setPen(pen);
    painter.setBrush(filled && brushStyle_ == BrushStyle::Solid ? QBrush(brushColor_) : QBrush(Qt::NoBrush));
    draw(painter);
  }
  if (changed_) changed_();
}

void Canvas::LineTo(int x, int y) {
  const QPoint from = penPos_;
  Paint(false, [&](QPainter& p) { p.drawLine(from, QPoint(x, y)); });
  penPos_ = QPoint(x, y);
}

void Canvas::Rectangle(int x1, int y1, int x2, int y2) {
  const QRect box = BoxOf(x1, y1, x2, y2);
  Paint(true, [&](QPainter& p) { p.drawRect(box.adjusted(0, 0, -1, -1)); });
}

void Canvas::Ellipse(int x1, int y1, int x2, int y2) {
  const QRect box = BoxOf(x1, y1, x2, y2);
  Paint(true, [&](QPainter& p) { p.drawEllipse(box.adjusted(0, 0, -1, -1)); });
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
    p.drawArc(box.adjusted(0, 0, -1, -1), static_cast<int>(std::lround(start * 16)),
              static_cast<int>(std::lround(span * 16)));
  });
}

void Canvas::Clear() {
  image_.fill(brushColor_);
  if (changed_) changed_();
}

void Canvas::FloodFill(int x, int y, QColor border) {
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
