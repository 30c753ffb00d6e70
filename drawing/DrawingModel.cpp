// Dimensions become plain shapes (extension lines, the dimension line, two
// arrow heads as lines, the text above the middle), so each writer needs only
// lines, arcs, circles and texts.
#include "DrawingModel.h"

#include <algorithm>
#include <cmath>

const char* LayerName(Layer layer) {
  switch (layer) {
    case Layer::centreLines:
      return "CENTRE_LINES";
    case Layer::parts:
      return "PARTS";
    case Layer::pins:
      return "PINS";
    case Layer::dimensions:
      return "DIMENSIONS";
    case Layer::text:
      return "TEXT";
    case Layer::midGear:
      return "MID_GEAR";
    case Layer::dieTravel:
      return "DIE_TRAVEL";
  }
  return "0";
}

namespace {

Point Add(Point p, Point q, double scale) {
  return {p.x + scale * q.x, p.y + scale * q.y};
}

void Extend(Box& box, Point p) {
  box.left = std::min(box.left, p.x);
  box.right = std::max(box.right, p.x);
  box.bottom = std::min(box.bottom, p.y);
  box.top = std::max(box.top, p.y);
}

// Texts are estimated at 0.6 of their height per character.
void ExtendByText(Box& box, const DrawnText& t) {
  Extend(box, t.at);
  Extend(box, {t.at.x + 0.6 * t.height * static_cast<double>(t.text.size()), t.at.y + t.height});
}

}  // namespace

DimensionShapes ShapesOf(const Dimension& d, double textHeight) {
  const double length = std::hypot(d.b.x - d.a.x, d.b.y - d.a.y);
  const Point along = length > 0 ? Point{(d.b.x - d.a.x) / length, (d.b.y - d.a.y) / length} : Point{1, 0};
  const Point left{-along.y, along.x};
  const Point a = Add(d.a, left, d.offset), b = Add(d.b, left, d.offset);
  const double side = d.offset < 0 ? -1 : 1, overshoot = 0.5 * textHeight * side;
  const double head = std::min(textHeight, length / 3);
  DimensionShapes s;
  s.lines = {{Layer::dimensions, d.a, Add(a, left, overshoot)},
             {Layer::dimensions, d.b, Add(b, left, overshoot)},
             {Layer::dimensions, a, b}};
  for (const auto& [tip, dir] : {std::pair{a, 1.0}, std::pair{b, -1.0}}) {
    const Point back = Add(tip, along, dir * head);
    s.lines.push_back({Layer::dimensions, tip, Add(back, left, head / 3)});
    s.lines.push_back({Layer::dimensions, tip, Add(back, left, -head / 3)});
  }
  const double textWidth = 0.6 * textHeight * static_cast<double>(d.text.size());
  const Point middle{a.x + d.textAt * (b.x - a.x), a.y + d.textAt * (b.y - a.y)};
  // Texts stay level: beside a steep dimension line, above a flat one.
  const bool steep = std::fabs(along.x) < 0.5;
  const double outward = d.offset < 0 ? -1 : 1;
  const double x = !steep                 ? middle.x - textWidth / 2
                   : left.x * outward < 0 ? middle.x - 0.3 * textHeight - textWidth
                                          : middle.x + 0.3 * textHeight;
  const double y =
      steep ? middle.y - textHeight / 2 : middle.y + (left.y * outward < 0 ? -1.3 : 0.3) * textHeight;
  s.text = {Layer::dimensions, {x, y}, textHeight, d.text};
  return s;
}

Box BoundsOf(const Sheet& sheet) {
  Box box{INFINITY, INFINITY, -INFINITY, -INFINITY};
  for (const auto& l : sheet.lines) Extend(box, l.a), Extend(box, l.b);
  for (const auto& c : sheet.circles)
    Extend(box, Add(c.centre, {1, 1}, c.radius)), Extend(box, Add(c.centre, {1, 1}, -c.radius));
  for (const auto& a : sheet.arcs) {
    const double start = a.startDeg * M_PI / 180,
                 end = a.endDeg * M_PI / 180 + (a.endDeg < a.startDeg ? 2 * M_PI : 0);
    for (int i = 0; i <= 32; ++i) {
      const double t = start + (end - start) * i / 32;
      Extend(box, Add(a.centre, {std::cos(t), std::sin(t)}, a.radius));
    }
  }
  for (const auto& t : sheet.texts) ExtendByText(box, t);
  for (const auto& d : sheet.dimensions) {
    const DimensionShapes s = ShapesOf(d, sheet.textHeight);
    for (const auto& l : s.lines) Extend(box, l.a), Extend(box, l.b);
    ExtendByText(box, s.text);
  }
  if (!(box.left <= box.right)) return {0, 0, 0, 0};
  return box;
}

std::vector<Point> SheetPlaces(const Drawing& drawing) {
  std::vector<Point> places;
  double right = 0;
  for (const Sheet& sheet : drawing.sheets) {
    const Box box = BoundsOf(sheet);
    if (places.empty()) {
      places.push_back({0, 0});
    } else {
      const double gap = 4 * sheet.textHeight;
      places.push_back({right + gap - box.left, 0});
    }
    right = places.back().x + box.right;
  }
  return places;
}
