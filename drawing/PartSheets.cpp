// The link is laid out as the solver assembles it: rod pins on a circle of
// the eccentric rods' length about the centre of curvature, the slot on the
// circle carried out by the pin-to-slot distance, the lifting pin on the
// radius short of the slot by its radial displacement, at its circumferential
// displacement along the chord. Long radii are shown by figures, not drawn.
#include "PartSheets.h"

#include <algorithm>
#include <cmath>

#include "DimensionText.h"
#include "GearDrawing.h"

namespace {

Point Plus(Point p, double dx, double dy) {
  return {p.x + dx, p.y + dy};
}

void AddPin(Sheet& s, Point p, const char* name, double size) {
  s.circles.push_back({Layer::pins, p, size / 2, name});
  s.texts.push_back({Layer::text, Plus(p, size / 2, size / 2), 0.6 * s.textHeight, name});
}

void Title(Sheet& s) {
  const Box box = BoundsOf(s);
  s.texts.push_back({Layer::text, {box.left, box.top + s.textHeight}, s.textHeight, s.title});
}

// A part with two pins a centre distance apart, along x.
Sheet Bar(const char* key, const std::string& title, const char* from, const char* to, double length,
          double size, LengthUnit unit) {
  Sheet s;
  s.key = key;
  s.title = title;
  s.textHeight = size;
  const Point a{0, 0}, b{length, 0};
  s.lines.push_back({Layer::parts, a, b});
  AddPin(s, a, from, size);
  AddPin(s, b, to, size);
  s.dimensions.push_back({a, b, 3 * size, "centres " + LengthText(length, unit)});
  Title(s);
  return s;
}

double PointAngleDeg(Point c, Point p) {
  return std::atan2(p.y - c.y, p.x - c.x) * 180 / M_PI;
}

// The notes go in a column under the link, one line each.
void AddNotes(Sheet& s, const LinkParts& l, const std::vector<std::string>& notes, double size) {
  double y = std::min(l.pin1.y, l.pin2.y) - 4 * size;
  for (const std::string& note : notes)
    s.texts.push_back({Layer::text, {l.pin2.x - 6 * size, y}, 0.6 * s.textHeight, note}), y -= size;
}

std::vector<std::string> SlotTravelNotes(Sheet& s, const LinkParts& l,
                                         const std::optional<SlotTravel>& travel, LengthUnit unit,
                                         double size) {
  if (!travel) return {"no usable range: the slot length the die needs is not known"};
  const SlotTravel& t = *travel;
  const auto at = [&](double along) {
    const double a = along / l.slotRadius;
    return Point{l.centre.x + l.slotRadius * std::cos(a), l.centre.y + l.slotRadius * std::sin(a)};
  };
  s.arcs.push_back({Layer::dieTravel, l.centre, l.slotRadius + size / 4, t.lowest / l.slotRadius * 180 / M_PI,
                    t.highest / l.slotRadius * 180 / M_PI});
  s.dimensions.push_back({at(t.lowest), at(t.highest), -3 * size,
                          "die needs " + LengthText(t.highest - t.lowest, unit) + " along the slot", 0.2});
  return {"die's run along the slot over the usable range " + LengthText(t.loDeg, LengthUnit::none) + " to " +
              LengthText(t.hiDeg, LengthUnit::none) + " deg.: " + LengthText(t.highest - t.lowest, unit) +
              " (die slip up to " + LengthText(t.worstSlip, unit) + " a revolution)",
          "margin left to pin1's line " + LengthText(t.pinAlong - t.highest, unit) + ", to pin2's line " +
              LengthText(t.pinAlong + t.lowest, unit),
          "add the die block's length and clearance to the die's run for the slot's length"};
}

Sheet LinkSheet(const Engine& e, const std::optional<SlotTravel>& travel, double size, LengthUnit unit) {
  const LinkParts l = LinkPartsOf(e);
  Sheet s;
  s.key = "LINK";
  s.title = "Expansion link";
  s.textHeight = size;
  const double top = PointAngleDeg(l.centre, l.pin1), bottom = PointAngleDeg(l.centre, l.pin2);
  s.arcs.push_back({Layer::parts, l.centre, l.slotRadius, std::min(top, bottom), std::max(top, bottom)});
  for (Point pin : {l.pin1, l.pin2}) {
    const double a = PointAngleDeg(l.centre, pin) * M_PI / 180;
    s.lines.push_back(
        {Layer::parts, pin, Plus(l.centre, l.slotRadius * std::cos(a), l.slotRadius * std::sin(a))});
  }
  s.lines.push_back({Layer::parts, l.pin1, l.pin2});
  const Point chordMiddle{(l.pin1.x + l.pin2.x) / 2, (l.pin1.y + l.pin2.y) / 2};
  s.lines.push_back({Layer::centreLines, Plus(l.slotMiddle, -4 * size, 0), Plus(l.slotMiddle, 2 * size, 0)});
  s.lines.push_back({Layer::parts, chordMiddle, Plus(chordMiddle, 0, e.circdisp)});
  s.lines.push_back({Layer::parts, Plus(chordMiddle, 0, e.circdisp), l.liftPin});
  AddPin(s, l.pin1, "pin1", size);
  AddPin(s, l.pin2, "pin2", size);
  AddPin(s, l.liftPin, "liftPin", size);
  s.dimensions.push_back({l.pin2, l.pin1, 3 * size, "rod pins " + LengthText(e.linkpins, unit), 0.8});
  s.dimensions.push_back({chordMiddle, Plus(chordMiddle, 0, e.circdisp), 7 * size,
                          "circ. disp. " + LengthText(e.circdisp, unit)});
  const double a = PointAngleDeg(l.centre, l.liftPin) * M_PI / 180;
  const Point onSlot = Plus(l.centre, l.slotRadius * std::cos(a), l.slotRadius * std::sin(a));
  s.dimensions.push_back({onSlot, l.liftPin, 2 * size, "rad. disp. " + LengthText(e.raddisp, unit)});
  std::vector<std::string> notes{"slot radius R " + LengthText(l.slotRadius, unit) +
                                 " about the link's centre of curvature, which lies " +
                                 LengthText(l.slotRadius, unit) + " from the slot's middle along -x"};
  for (const std::string& note : SlotTravelNotes(s, l, travel, unit, size)) notes.push_back(note);
  AddNotes(s, l, notes, size);
  Title(s);
  return s;
}

Sheet WeighshaftSheet(const Engine& e, double size, LengthUnit unit) {
  Sheet s;
  s.key = "WEIGHSHAFT_PLACE";
  s.title = "Weighshaft's place from the axle";
  s.textHeight = size;
  const Point axlePoint{0, 0}, foot{e.ctoweighh, 0}, shaft{e.ctoweighh, e.ctoweighv};
  s.lines.push_back({Layer::centreLines, Plus(axlePoint, -3 * size, 0), Plus(foot, 3 * size, 0)});
  s.lines.push_back({Layer::centreLines, foot, shaft});
  AddPin(s, axlePoint, "axle", size);
  AddPin(s, shaft, "weighshaft", size);
  s.dimensions.push_back({axlePoint, foot, e.ctoweighv < 0 ? 3 * size : -3 * size,
                          "along the line of stroke " + LengthText(e.ctoweighh, unit)});
  s.dimensions.push_back(
      {foot, shaft, e.ctoweighh < 0 ? -3 * size : 3 * size, "above it " + LengthText(e.ctoweighv, unit)});
  Title(s);
  return s;
}

}  // namespace

LinkParts LinkPartsOf(const Engine& e) {
  LinkParts l;
  l.slotRadius = e.eccrod + e.pintoslot;
  l.centre = {-l.slotRadius, 0};
  l.slotMiddle = {0, 0};
  const double half = std::asin(std::clamp(e.linkpins / (2 * e.eccrod), -1.0, 1.0));
  l.pin1 = Plus(l.centre, e.eccrod * std::cos(half), e.eccrod * std::sin(half));
  l.pin2 = Plus(l.centre, e.eccrod * std::cos(half), -e.eccrod * std::sin(half));
  const double liftRadius = l.slotRadius - e.raddisp;
  l.liftPin =
      Plus(l.centre, std::sqrt(std::max(0.0, liftRadius * liftRadius - e.circdisp * e.circdisp)), e.circdisp);
  return l;
}

std::vector<Sheet> PartSheets(const Engine& e, const std::optional<SlotTravel>& travel, LengthUnit unit) {
  // One size of text and marks on every sheet, from the gear's largest reach.
  const double size = MarkSize(e, unit);
  return {LinkSheet(e, travel, size, unit),
          Bar("ECCENTRIC_ROD_1", "Eccentric rod 1 (ecc1 to pin1)", "ecc1", "pin1", e.eccrod, size, unit),
          Bar("ECCENTRIC_ROD_2", "Eccentric rod 2 (ecc2 to pin2)", "ecc2", "pin2", e.eccrod, size, unit),
          Bar("LIFTING_ARM", "Lifting arm", "weighshaft", "armEnd", e.larad, size, unit),
          Bar("LIFTING_LINK", "Lifting link", "armEnd", "liftPin", e.liftlink, size, unit),
          WeighshaftSheet(e, size, unit)};
}
