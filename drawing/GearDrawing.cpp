// Points come straight from the run's joint table; only the marks along the
// slot are made here, by turning the slot's middle about the link's centre of
// curvature through the mark's distance along the slot over the slot radius.
#include "GearDrawing.h"

#include <algorithm>
#include <cmath>

#include "Angles.h"
#include "DimensionText.h"
#include "GearSolver.h"

namespace {

struct SlotFrame {
  Point centre, middle;
  double radius, middleDeg, towardsPin1;
};

SlotFrame FrameOf(const GearRun& run, int k) {
  const Point c = run.joints.At(k, linkCentre), m = run.joints.At(k, slotCentre), p = run.joints.At(k, pin1);
  const double cross = (m.x - c.x) * (p.y - c.y) - (m.y - c.y) * (p.x - c.x);
  return {c, m, std::hypot(m.x - c.x, m.y - c.y), std::atan2(m.y - c.y, m.x - c.x) * 180 / M_PI,
          cross < 0 ? -1.0 : 1.0};
}

// The angle (degrees from the x axis, about the centre) of a place along the slot.
double AlongDeg(const SlotFrame& f, double along) {
  return f.middleDeg + f.towardsPin1 * along / f.radius * 180 / M_PI;
}

Point OnCircle(Point c, double radius, double deg) {
  return {c.x + radius * std::cos(deg * M_PI / 180), c.y + radius * std::sin(deg * M_PI / 180)};
}

DrawnArc ArcBetween(Layer layer, const SlotFrame& f, double radius, double fromAlong, double toAlong) {
  double a = AlongDeg(f, fromAlong), b = AlongDeg(f, toAlong);
  if (a > b) std::swap(a, b);
  return {layer, f.centre, radius, a, b};
}

void Mark(Sheet& s, const SlotFrame& f, double along, double size, const std::string& label) {
  const double deg = AlongDeg(f, along);
  s.lines.push_back(
      {Layer::dieTravel, OnCircle(f.centre, f.radius - size, deg), OnCircle(f.centre, f.radius + size, deg)});
  s.texts.push_back(
      {Layer::dieTravel, OnCircle(f.centre, f.radius + 1.5 * size, deg), 0.6 * s.textHeight, label});
}

void AddSlot(Sheet& s, const GearScene& scene, double size) {
  const GearRun& run = scene.run;
  const int k = scene.step;
  const SlotFrame f = FrameOf(run, k);
  const double half = std::asin(std::min(1.0, scene.engine.linkpins / (2 * scene.engine.eccrod)));
  const double pinAlong = f.radius * half;
  s.arcs.push_back(ArcBetween(Layer::parts, f, f.radius, -pinAlong, pinAlong));
  for (Joint pin : {pin1, pin2})
    s.lines.push_back({Layer::parts, run.joints.At(k, pin),
                       OnCircle(f.centre, f.radius, AlongDeg(f, pin == pin1 ? pinAlong : -pinAlong))});
  s.lines.push_back({Layer::parts, run.joints.At(k, pin1), run.joints.At(k, pin2)});
  s.lines.push_back({Layer::parts, run.joints.At(k, liftPin), run.joints.At(k, aux2)});
  s.lines.push_back({Layer::centreLines, f.centre, f.middle});
  const auto [lowest, highest] = DieExtremes(run);
  s.arcs.push_back(ArcBetween(Layer::dieTravel, f, f.radius + size / 2, lowest, highest));
  Mark(s, f, lowest, size, "die extreme");
  Mark(s, f, highest, size, "die extreme");
  if (scene.travel) {
    Mark(s, f, scene.travel->lowest, 1.5 * size, "usable range end");
    Mark(s, f, scene.travel->highest, 1.5 * size, "usable range end");
  }
}

void AddMembers(Sheet& s, const GearScene& scene) {
  const JointTable& t = scene.run.joints;
  const int k = scene.step;
  const std::pair<Joint, Joint> members[] = {{axle, crankPin}, {crankPin, crosshead}, {ecc1, pin1},
                                             {ecc2, pin2},     {weighshaft, armEnd},  {armEnd, liftPin}};
  for (const auto& [from, to] : members) s.lines.push_back({Layer::parts, t.At(k, from), t.At(k, to)});
  const Engine& e = scene.engine;
  s.circles.push_back({Layer::centreLines, {0, 0}, std::fabs(e.mcrank), ""});
  s.circles.push_back({Layer::centreLines, {0, 0}, std::fabs(e.eccrad), ""});
  const Point arm = ArmEnd(e, scene.run.midGearAngle);
  s.lines.push_back({Layer::midGear, t.At(k, weighshaft), arm});
  s.texts.push_back({Layer::midGear, arm, 0.6 * s.textHeight, "mid-gear"});
}

void AddLines(Sheet& s, const GearScene& scene, double size) {
  const JointTable& t = scene.run.joints;
  const int k = scene.step;
  const double left = -std::fabs(scene.engine.mcrank) - size;
  const double right = std::max(t.X[k][crosshead], t.X[k][die]) + size;
  s.lines.push_back({Layer::centreLines, {left, 0}, {right, 0}});
  s.texts.push_back({Layer::text, {left, -1.5 * s.textHeight}, 0.6 * s.textHeight, "line of stroke"});
  const Point die0 = t.At(k, die);
  const Point spindleEnd{die0.x + 2 * size, die0.y};
  s.lines.push_back({Layer::centreLines, die0, spindleEnd});
  std::string spindle = "valve spindle";
  if (scene.engine.rockerType == 1 || scene.engine.rockerType == -1)
    spindle += std::string(" (through a rocker, type ") + (scene.engine.rockerType == 1 ? "A" : "B") +
               ", ratio " + LengthText(scene.engine.rockerRatio, LengthUnit::none) + ")";
  s.texts.push_back({Layer::text, {die0.x, die0.y + 0.8 * s.textHeight}, 0.6 * s.textHeight, spindle});
}

}  // namespace

double EngineSize(const Engine& e) {
  const double reaches[] = {std::fabs(e.conrod) + std::fabs(e.mcrank),
                            std::fabs(e.eccrod) + std::fabs(e.pintoslot),
                            std::hypot(e.ctoweighh, e.ctoweighv) + std::fabs(e.larad), std::fabs(e.linkpins)};
  const double size = *std::max_element(std::begin(reaches), std::end(reaches));
  return size > 0 && std::isfinite(size) ? size : 1;
}

double MarkSize(const Engine& e, LengthUnit unit) {
  return std::min(EngineSize(e) / 100, unit == LengthUnit::in ? 4 / 25.4 : 4.0);
}

int CrankStep(double crankDeg) {
  // The turn's remainder is exact, so a huge angle keeps its place in the turn.
  const double turn = std::remainder(crankDeg, 360.0);  // -180 .. 180
  const long step = std::lround(turn / 2);
  return static_cast<int>(((step % kSteps) + kSteps) % kSteps);
}

int BackDeadCentreStep(const Engine& e) {
  return CrankSign(e) == 1 ? kSteps / 2 : 0;
}

Sheet GearSheet(const GearScene& scene) {
  Sheet s;
  s.key = "GEAR";
  s.title = scene.title;
  const double size = MarkSize(scene.engine, scene.unit);
  s.textHeight = 1.5 * size;
  const double pinRadius = size / 2;
  AddLines(s, scene, size);
  AddMembers(s, scene);
  AddSlot(s, scene, size);
  for (const NamedJoint& j : kDrawnJoints) {
    const Point p = scene.run.joints.At(scene.step, j.joint);
    s.circles.push_back({Layer::pins, p, pinRadius, j.name});
    s.texts.push_back({Layer::text, {p.x + pinRadius, p.y + pinRadius}, 0.5 * s.textHeight, j.name});
  }
  const Box box = BoundsOf(s);
  s.texts.push_back({Layer::text, {box.left, box.top + s.textHeight}, s.textHeight, scene.title});
  return s;
}
