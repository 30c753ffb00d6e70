// Texts are painted mirrored back about their baseline, since the painter's
// y axis points up; a font of a fixed pixel size is scaled to the text's
// height in drawing units (a pixel size is in the painter's own units).
#include "DrawingPainter.h"

#include <QFont>
#include <QPainterPath>
#include <cmath>

namespace {

QColor ColourOf(Layer layer) {
  switch (layer) {
    case Layer::centreLines:
      return QColor(0, 144, 160);
    case Layer::parts:
      return Qt::black;
    case Layer::pins:
      return QColor(192, 0, 0);
    case Layer::dimensions:
      return QColor(0, 128, 0);
    case Layer::text:
      return Qt::black;
    case Layer::midGear:
      return Qt::gray;
    case Layer::dieTravel:
      return QColor(0, 0, 192);
  }
  return Qt::black;
}

double WidthMm(Layer layer) {
  return layer == Layer::parts ? 0.5 : layer == Layer::midGear ? 0.13 : 0.25;
}

void Pen(QPainter& p, Layer layer, double unitsPerMm) {
  QPen pen(ColourOf(layer), WidthMm(layer) * unitsPerMm);
  if (layer == Layer::centreLines) pen.setStyle(Qt::DashDotLine);
  pen.setCapStyle(Qt::RoundCap);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
}

void Text(QPainter& p, const DrawnText& t) {
  p.save();
  p.translate(t.at.x, t.at.y);
  p.scale(t.height / 100, -t.height / 100);  // a font of 130 units has capitals near 100 high
  QFont font("Sans Serif");
  font.setPixelSize(130);
  p.setFont(font);
  p.setPen(ColourOf(t.layer));
  p.drawText(QPointF(0, 0), QString::fromStdString(t.text));
  p.restore();
}

void PaintSheet(QPainter& p, const Sheet& s, double unitsPerMm) {
  for (const auto& l : s.lines)
    Pen(p, l.layer, unitsPerMm), p.drawLine(QPointF(l.a.x, l.a.y), QPointF(l.b.x, l.b.y));
  for (const auto& a : s.arcs) {
    Pen(p, a.layer, unitsPerMm);
    QPainterPath path;
    const double start = a.startDeg * M_PI / 180;
    double sweep = std::fmod(a.endDeg - a.startDeg, 360.0);
    if (sweep < 0) sweep += 360;
    const QRectF box(a.centre.x - a.radius, a.centre.y - a.radius, 2 * a.radius, 2 * a.radius);
    path.moveTo(a.centre.x + a.radius * std::cos(start), a.centre.y + a.radius * std::sin(start));
    // QPainterPath's angles run counter-clockwise on a y-down device: negated here, y being up.
    path.arcTo(box, -a.startDeg, -sweep);
    p.drawPath(path);
  }
  for (const auto& c : s.circles)
    Pen(p, c.layer, unitsPerMm), p.drawEllipse(QPointF(c.centre.x, c.centre.y), c.radius, c.radius);
  for (const auto& t : s.texts) Text(p, t);
  for (const auto& d : s.dimensions) {
    const DimensionShapes shapes = ShapesOf(d, s.textHeight);
    for (const auto& l : shapes.lines)
      Pen(p, l.layer, unitsPerMm), p.drawLine(QPointF(l.a.x, l.a.y), QPointF(l.b.x, l.b.y));
    Text(p, shapes.text);
  }
}

}  // namespace

double MillimetresPerUnit(LengthUnit unit) {
  return unit == LengthUnit::in ? 25.4 : 1.0;
}

Box DrawingBounds(const Drawing& drawing) {
  const std::vector<Point> places = SheetPlaces(drawing);
  Box all{INFINITY, INFINITY, -INFINITY, -INFINITY};
  for (std::size_t i = 0; i < drawing.sheets.size(); ++i) {
    const Box b = BoundsOf(drawing.sheets[i]);
    all = {std::min(all.left, b.left + places[i].x), std::min(all.bottom, b.bottom + places[i].y),
           std::max(all.right, b.right + places[i].x), std::max(all.top, b.top + places[i].y)};
  }
  return drawing.sheets.empty() ? Box{0, 0, 0, 0} : all;
}

void PaintDrawing(QPainter& painter, const Drawing& drawing) {
  const double unitsPerMm = 1 / MillimetresPerUnit(drawing.unit);
  const std::vector<Point> places = SheetPlaces(drawing);
  for (std::size_t i = 0; i < drawing.sheets.size(); ++i) {
    painter.save();
    painter.translate(places[i].x, places[i].y);
    PaintSheet(painter, drawing.sheets[i], unitsPerMm);
    painter.restore();
  }
}
