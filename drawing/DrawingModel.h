// The drawing as plain values: lines, arcs, circles, texts and dimensions on
// named layers, in the engine's own length unit, y upwards. A drawing is one
// or more sheets; every writer (DXF, SVG, print) reads the same sheets.
#pragma once

#include <string>
#include <vector>

#include "Geometry.h"
#include "Quantity.h"

// One layer per kind of line.
enum class Layer { centreLines, parts, pins, dimensions, text, midGear, dieTravel };
inline constexpr Layer kLayers[] = {Layer::centreLines, Layer::parts,   Layer::pins,     Layer::dimensions,
                                    Layer::text,        Layer::midGear, Layer::dieTravel};

// The layer's name in a DXF file and its group's id in an SVG file.
const char* LayerName(Layer layer);

struct DrawnLine {
  Layer layer;
  Point a, b;
};

// Counter-clockwise from startDeg to endDeg (degrees from the x axis).
struct DrawnArc {
  Layer layer;
  Point centre;
  double radius, startDeg, endDeg;
};

// A pin is a small circle on the pins layer named after its joint.
struct DrawnCircle {
  Layer layer;
  Point centre;
  double radius;
  std::string name;
};

// Text (UTF-8) whose baseline starts at `at`.
struct DrawnText {
  Layer layer;
  Point at;
  double height;
  std::string text;
};

// A dimension between two points: the dimension line parallel to a->b,
// `offset` to the left of that direction, carrying `text` at `textAt` of the
// way from a to b (dimensions side by side keep their texts apart so).
struct Dimension {
  Point a, b;
  double offset;
  std::string text;
  double textAt = 0.5;
};

struct Sheet {
  std::string key;    // a block name: capitals, digits and underscores
  std::string title;  // UTF-8
  std::vector<DrawnLine> lines;
  std::vector<DrawnArc> arcs;
  std::vector<DrawnCircle> circles;
  std::vector<DrawnText> texts;
  std::vector<Dimension> dimensions;
  double textHeight = 1;
};

struct Drawing {
  LengthUnit unit = LengthUnit::none;
  std::vector<Sheet> sheets;
};

struct Box {
  double left, bottom, right, top;
  double width() const { return right - left; }
  double height() const { return top - bottom; }
};

// Lines, arrow heads and texts that draw a dimension; every writer draws
// dimensions through these so that they look alike everywhere.
struct DimensionShapes {
  std::vector<DrawnLine> lines;
  DrawnText text;
};
DimensionShapes ShapesOf(const Dimension& d, double textHeight);

// The sheet's extent (texts counted by an estimate of their width).
Box BoundsOf(const Sheet& sheet);

// Where each sheet's origin goes when several sheets are laid side by side
// along x, with a gap between them; the first stays where it is.
std::vector<Point> SheetPlaces(const Drawing& drawing);
