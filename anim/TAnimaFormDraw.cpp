// The gear at one crank step, scaled from the latest run's joint table into
// the animation window's picture, and the valve over its ports on a scale of
// its own; each step drawn is announced so the valve curve's marker follows.
// A shape whose scale comes out zero (no rod or no port width) is left out;
// the port face, the bore walls and the ports have fixed places and stay.
#include "TAnimaForm.h"
#include "WindowPlacement.h"

namespace {

const QColor kBlack(0, 0, 0), kWhite(255, 255, 255), kGreen(0, 128, 0);
// Fixed stand-ins for the desktop's 3D-light and button-highlight colours.
const QColor k3DLight(212, 208, 200), kButtonHighlight(255, 255, 255);

// Where the port group is centred in the valve picture.
constexpr double kPortsX = 0.75;
constexpr double kPortsTop = 1.0, kPortFace = 0.9, kValveBack = 0.8, kBoreFloor = 0.7;
constexpr double kFaceLeft = 0.55, kFaceRight = 0.95;

constexpr Joint kDrawnJoints[] = {axle,   ecc1,       ecc2, pin1,       pin2,     liftPin,
                                  armEnd, linkCentre, die,  weighshaft, crankPin, crosshead};

}  // namespace

void TAnimaForm::DrawMechanism() {
  const auto& latest = model_.session().latestRun();
  if (!latest) return;
  const GearRun& run = *latest;
  const Engine& gear = model_.session().engine();
  const int k = animStep;
  const bool valveScales = gear.port != 0;
  lapDrawn = valveScales ? portUnit * gear.stlap / gear.port : 0;
  markerHalf = WindowPlacement::OuterSize(this).width() / 200;
  valvePictureX = valveScales ? kPortsX + portUnit * run.valveTable[k] / gear.port : kPortsX;
  ErasePicture();
  const bool linkageScales = lengthScale != 0 && heightScale != 0;
  if (linkageScales) PlaceJoints(run);
  DrawLineOfStroke();
  canvas_.SetPenStyle(Canvas::PenStyle::Solid);
  if (linkageScales) {
    DrawLinkage();
    DrawLink(gear);
  }
  const bool inside = gear.valveType == 1;
  const double half = inside ? 1.0 / 7 : 3.0 / 28;
  WorldLine(kFaceLeft, kPortFace, kFaceRight, kPortFace);
  if (inside) WorldLine(kFaceLeft, kBoreFloor, kFaceRight, kBoreFloor);
  if (valveScales && inside)
    DrawInsideValve(half);
  else if (valveScales)
    DrawOutsideValve(half);
  DrawPorts(half);
  repaint();
  model_.ShowAnimationStep(animStep, markerHalf);
}

void TAnimaForm::PlaceJoints(const GearRun& gear) {
  for (Joint joint : kDrawnJoints)
    jointOffset[joint] = {gear.joints.X[animStep][joint] / lengthScale,
                          gear.joints.Y[animStep][joint] / heightScale};
}

QPoint TAnimaForm::WorldPixel(double x, double y) const {
  return {AnimColumn(x), AnimRow(y)};
}

QPoint TAnimaForm::JointPixel(Joint joint) const {
  return WorldPixel(crankCentre.x + jointOffset[joint].x, crankCentre.y + jointOffset[joint].y);
}

void TAnimaForm::MoveToJoint(Joint joint) {
  const QPoint at = JointPixel(joint);
  canvas_.MoveTo(at.x(), at.y());
}

void TAnimaForm::LineToJoint(Joint joint) {
  const QPoint at = JointPixel(joint);
  canvas_.LineTo(at.x(), at.y());
}

void TAnimaForm::CircleAt(Joint joint) {
  const QPoint at = JointPixel(joint);
  canvas_.Ellipse(at.x() - 3, at.y() - 3, at.x() + 3, at.y() + 3);
}

void TAnimaForm::WorldLine(double x1, double y1, double x2, double y2) {
  const QPoint from = WorldPixel(x1, y1), to = WorldPixel(x2, y2);
  canvas_.MoveTo(from.x(), from.y());
  canvas_.LineTo(to.x(), to.y());
}

void TAnimaForm::WorldRectangle(double x1, double y1, double x2, double y2) {
  const QPoint corner1 = WorldPixel(x1, y1), corner2 = WorldPixel(x2, y2);
  canvas_.Rectangle(corner1.x(), corner1.y(), corner2.x(), corner2.y());
}

void TAnimaForm::DrawLineOfStroke() {
  canvas_.SetPenColor(kBlack);
  canvas_.SetPenStyle(Canvas::PenStyle::Dot);
  WorldLine(0, crankCentre.y, 1, crankCentre.y);
}

// The circles take whatever brush the ports left, so they are filled in the
// highlight colour (white on the very first picture).
void TAnimaForm::DrawLinkage() {
  MoveToJoint(axle);
  CircleAt(axle);
  LineToJoint(ecc1);
  CircleAt(ecc1);
  LineToJoint(pin1);
  CircleAt(pin1);
  MoveToJoint(pin2);
  CircleAt(pin2);
  LineToJoint(ecc2);
  CircleAt(ecc2);
  LineToJoint(axle);
  MoveToJoint(weighshaft);
  CircleAt(weighshaft);
  LineToJoint(armEnd);
  CircleAt(armEnd);
  LineToJoint(liftPin);
  CircleAt(liftPin);
  MoveToJoint(axle);
  LineToJoint(crankPin);
  CircleAt(crankPin);
  LineToJoint(crosshead);
  CircleAt(crosshead);
  MoveToJoint(die);
  CircleAt(die);
}

// The centre line of the slot between the two rod pins; its radius is kept
// unrounded so the box stays centred on the link's centre of curvature.
void TAnimaForm::DrawLink(const Engine& gear) {
  const double radius = (gear.eccrod + gear.pintoslot) / lengthScale * winWidth;
  const QPoint centre = JointPixel(linkCentre);
  const QPoint start = JointPixel(pin2), end = JointPixel(pin1);
  canvas_.Arc(TruncatePixel(centre.x() - radius), TruncatePixel(centre.y() - radius),
              TruncatePixel(centre.x() + radius), TruncatePixel(centre.y() + radius), start.x(), start.y(),
              end.x(), end.y());
}

// A piston valve in its bore (the walls drawn before): the body between two heads, each a port width
// plus the lap wide, the lap overlapping the inner edges of the ports.
void TAnimaForm::DrawInsideValve(double half) {
  const double v = valvePictureX, head = portUnit + lapDrawn;
  canvas_.SetBrushStyle(Canvas::BrushStyle::Clear);
  WorldRectangle(v - half + head, 0.85, v + half - head, 0.75);
  WorldRectangle(v - half, kPortFace, v - half + head, kBoreFloor);
  WorldRectangle(v + half - head, kPortFace, v + half, kBoreFloor);
}

// A slide valve on its port face (drawn before), its faces overlapping the outer edges of
// the steam ports by the lap, the exhaust cavity between them.
void TAnimaForm::DrawOutsideValve(double half) {
  const double v = valvePictureX, p = portUnit, lap = lapDrawn;
  canvas_.SetBrushStyle(Canvas::BrushStyle::Clear);
  const WorldPoint outline[] = {{v - half, 0.85},    {v - half - lap, 0.85}, {v - half - lap, 0.9},
                                {v - half + p, 0.9}, {v - half + p, 0.85},   {v + half - p, 0.85},
                                {v + half - p, 0.9}, {v + half + lap, 0.9},  {v + half + lap, 0.85},
                                {v + half, 0.85},    {v + half, kValveBack}, {v - half, kValveBack}};
  const QPoint start = WorldPixel(v - half, kValveBack);
  canvas_.MoveTo(start.x(), start.y());
  for (const WorldPoint& corner : outline) {
    const QPoint to = WorldPixel(corner.x, corner.y);
    canvas_.LineTo(to.x(), to.y());
  }
}

void TAnimaForm::DrawPorts(double half) {
  const double p = portUnit;
  canvas_.SetPenColor(k3DLight);
  canvas_.SetBrushColor(kButtonHighlight);
  canvas_.SetBrushStyle(Canvas::BrushStyle::Solid);
  WorldRectangle(kPortsX - half, kPortsTop, kPortsX - half + p, kPortFace);
  WorldRectangle(kPortsX + half - p, kPortsTop, kPortsX + half, kPortFace);
  WorldRectangle(kPortsX - p, kPortsTop, kPortsX + p, kPortFace);
}
