// y points up in the drawing and down in SVG: the whole picture sits in one
// group mirrored by scale(1,-1), and each text is mirrored back about its own
// baseline. Numbers are written with 17 significant digits; text is checked
// UTF-8, and what XML 1.0 cannot hold (C0 controls, broken sequences) is
// written as U+FFFD, so that the file always parses.
#include "SvgWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

std::string Num(double v) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", v);
  return text;
}

constexpr const char* kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// The length of the well-formed UTF-8 sequence at text[i] of a character XML
// allows, or 0.
std::size_t XmlCharacterLength(const std::string& text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned c = byte(i);
  if (c < 0x80) return c >= 0x20 || c == '\t' || c == '\n' || c == '\r' ? 1 : 0;
  const std::size_t length = c >> 5 == 6 ? 2 : c >> 4 == 14 ? 3 : c >> 3 == 30 ? 4 : 0;
  if (length == 0 || i + length > text.size()) return 0;
  unsigned code = c & (0x7f >> length);
  for (std::size_t k = 1; k < length; ++k) {
    if (byte(i + k) >> 6 != 2) return 0;
    code = code << 6 | (byte(i + k) & 0x3f);
  }
  const unsigned least[] = {0, 0, 0x80, 0x800, 0x10000};
  const bool allowed = code >= least[length] && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF) &&
                       code != 0xFFFE && code != 0xFFFF;
  return allowed ? length : 0;
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = XmlCharacterLength(text, i);
    const char c = text[i];
    if (length == 0)
      out += kReplacement;
    else if (c == '&')
      out += "&amp;";
    else if (c == '<')
      out += "&lt;";
    else if (c == '>')
      out += "&gt;";
    else if (c == '"')
      out += "&quot;";
    else
      out.append(text, i, length);
    i += std::max<std::size_t>(length, 1);
  }
  return out;
}

const char* StrokeOf(Layer layer) {
  switch (layer) {
    case Layer::centreLines:
      return "stroke=\"#0090a0\" stroke-dasharray=\"4 1 1 1\"";
    case Layer::parts:
      return "stroke=\"#000000\"";
    case Layer::pins:
      return "stroke=\"#c00000\"";
    case Layer::dimensions:
      return "stroke=\"#008000\"";
    case Layer::text:
      return "stroke=\"none\"";
    case Layer::midGear:
      return "stroke=\"#808080\"";
    case Layer::dieTravel:
      return "stroke=\"#0000c0\"";
  }
  return "";
}

// Line widths as fractions of the sheet's text height; mid-gear the thinnest.
double WidthOf(Layer layer) {
  return layer == Layer::parts ? 0.12 : layer == Layer::midGear ? 0.03 : 0.06;
}

void Text(std::string& out, const DrawnText& t) {
  out += "<text transform=\"matrix(1 0 0 -1 " + Num(t.at.x) + " " + Num(t.at.y) +
         ")\" fill=\"#000000\" stroke=\"none\" font-size=\"" + Num(t.height) + "\">" + Escaped(t.text) +
         "</text>\n";
}

void Shape(std::string& out, const DrawnLine& l) {
  out += "<line x1=\"" + Num(l.a.x) + "\" y1=\"" + Num(l.a.y) + "\" x2=\"" + Num(l.b.x) + "\" y2=\"" +
         Num(l.b.y) + "\"/>\n";
}

void Shape(std::string& out, const DrawnArc& a) {
  const double start = a.startDeg * M_PI / 180, end = a.endDeg * M_PI / 180;
  double sweep = std::fmod(a.endDeg - a.startDeg, 360.0);
  if (sweep < 0) sweep += 360;
  out += "<path d=\"M " + Num(a.centre.x + a.radius * std::cos(start)) + " " +
         Num(a.centre.y + a.radius * std::sin(start)) + " A " + Num(a.radius) + " " + Num(a.radius) + " 0 " +
         (sweep > 180 ? "1" : "0") + " 1 " + Num(a.centre.x + a.radius * std::cos(end)) + " " +
         Num(a.centre.y + a.radius * std::sin(end)) + "\"/>\n";
}

// A named circle's id is the sheet's key and its name ("GEAR-pin1"), unique in the file.
void Shape(std::string& out, const DrawnCircle& c, const std::string& key) {
  out += "<circle cx=\"" + Num(c.centre.x) + "\" cy=\"" + Num(c.centre.y) + "\" r=\"" + Num(c.radius) + "\"";
  if (!c.name.empty()) out += " id=\"" + key + "-" + Escaped(c.name) + "\"";
  out += "/>\n";
}

template <class Item>
void Layered(std::string& out, const std::vector<Item>& items, Layer layer) {
  for (const Item& item : items)
    if (item.layer == layer) Shape(out, item);
}

void SheetGroup(std::string& out, const Sheet& s, Point place) {
  out += "<g id=\"" + s.key + "\" transform=\"translate(" + Num(place.x) + " " + Num(place.y) + ")\">\n";
  std::vector<DrawnLine> lines = s.lines;
  std::vector<DrawnText> texts = s.texts;
  for (const auto& d : s.dimensions) {
    const DimensionShapes shapes = ShapesOf(d, s.textHeight);
    lines.insert(lines.end(), shapes.lines.begin(), shapes.lines.end());
    texts.push_back(shapes.text);
  }
  for (Layer layer : kLayers) {
    out += "<g id=\"" + s.key + "-" + LayerName(layer) + "\" fill=\"none\" " + StrokeOf(layer) +
           " stroke-width=\"" + Num(WidthOf(layer) * s.textHeight / 4) + "\">\n";
    Layered(out, lines, layer);
    Layered(out, s.arcs, layer);
    for (const DrawnCircle& c : s.circles)
      if (c.layer == layer) Shape(out, c, s.key);
    for (const auto& t : texts)
      if (t.layer == layer) Text(out, t);
    out += "</g>\n";
  }
  out += "</g>\n";
}

}  // namespace

std::string SvgText(const Drawing& drawing) {
  const std::vector<Point> places = SheetPlaces(drawing);
  Box all{INFINITY, INFINITY, -INFINITY, -INFINITY};
  double margin = 0;
  for (std::size_t i = 0; i < drawing.sheets.size(); ++i) {
    const Box b = BoundsOf(drawing.sheets[i]);
    all = {std::min(all.left, b.left + places[i].x), std::min(all.bottom, b.bottom + places[i].y),
           std::max(all.right, b.right + places[i].x), std::max(all.top, b.top + places[i].y)};
    margin = std::max(margin, drawing.sheets[i].textHeight);
  }
  if (drawing.sheets.empty()) all = {0, 0, 1, 1};
  all = {all.left - margin, all.bottom - margin, all.right + margin, all.top + margin};
  const std::string unit = drawing.unit == LengthUnit::in ? "in" : drawing.unit == LengthUnit::mm ? "mm" : "";
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + Num(all.width()) + unit +
         "\" height=\"" + Num(all.height()) + unit + "\" viewBox=\"" + Num(all.left) + " " + Num(-all.top) +
         " " + Num(all.width()) + " " + Num(all.height()) + "\">\n";
  out += "<g transform=\"scale(1 -1)\" font-family=\"sans-serif\" stroke-linecap=\"round\">\n";
  for (std::size_t i = 0; i < drawing.sheets.size(); ++i) SheetGroup(out, drawing.sheets[i], places[i]);
  out += "</g>\n</svg>\n";
  return out;
}
