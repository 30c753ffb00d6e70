// The calculation state of the valve gear: the engine's dimensions, the chosen
// lifting-arm angle, the joint positions of every crank step and the valve
// events derived from them. Plain data; the solver and the sweep fill it.
#pragma once

#include <cstdint>
#include <string>

#include "Geometry.h"

// Columns of the joint table.
enum Joint {
  axle = 0,
  ecc1,
  ecc2,
  pin1,
  pin2,
  liftPin,
  armEnd,
  linkCentre,
  aux1,
  aux2,
  die,
  weighshaft,
  unusedColumn,
  crankPin,
  crosshead,
  slotCentre
};

// A crank revolution is 180 steps of 2 degrees; the tables have one row more so
// that the valve curve can close on its first point.
inline constexpr int kSteps = 180;
inline constexpr int kRows = 181;
inline constexpr int kJoints = 16;

struct JointTable {
  double X[kRows][kJoints];
  double Y[kRows][kJoints];

  Point At(int row, Joint joint) const { return {X[row][joint], Y[row][joint]}; }
  void Set(int row, Joint joint, Point p) {
    X[row][joint] = p.x;
    Y[row][joint] = p.y;
  }
};

// Outcome of a calculation: when not ok, message says in the user's words what
// could not be done, naming the crank angle and the member that failed.
struct GearStatus {
  bool ok = true;
  std::string message;

  static GearStatus Success() { return {}; }
  static GearStatus Failure(std::string text) { return {false, std::move(text)}; }
};

// The eight valve events, in the order of eventPos and eventPct.
enum ValveEvent {
  compressionFront = 0,
  admissionFront,
  cutOffFront,
  exhaustFront,
  compressionBack,
  admissionBack,
  cutOffBack,
  exhaustBack
};
inline constexpr int kEvents = 8;

struct GearState {
  // The engine copy (lengths in the engine's own unit, angadv in degrees).
  std::string name;  // the record's bytes, single-byte text
  double conrod = 0, mcrank = 0, eccrod = 0, eccrad = 0, angadv = 0, pintoslot = 0;
  double ctoweighh = 0, ctoweighv = 0, larad = 0, liftlink = 0, linkpins = 0;
  double circdisp = 0, raddisp = 0, stlap = 0, exlap = 0, port = 0, rockerRatio = 0;
  std::int32_t valveType = 0;   // +1 inside admission, -1 outside admission
  std::int32_t rockerType = 0;  // 0 none, +1 type A, -1 type B

  double midGearAngle = 0;  // radians, positive when the arm points below the horizontal
  double liftArmAngle = 0;  // radians from mid-gear, positive downwards
  int crankStep = 0;
  JointTable joints{};
  double pistonTable[kRows]{};
  double valveTable[kRows]{};
  double linkAngle = 0, linkAngleMin = 0, linkAngleMax = 0;  // radians, clockwise positive
  double dieDeflection = 0;
  // Which of the lifting link's two poses the sweep follows: the sign of the
  // slope of the lifting-link residual at the mid-gear pose (set at step 0).
  int linkBranch = 0;

  bool firstRun = true;
  double valveCentre = 0;  // subtracted from every raw valve position
  int runDir = 1;
  double eventPos[kEvents]{};
  double eventPct[kEvents]{};
  bool eventFound[kEvents]{};  // false when the valve never makes that crossing
  double travelMax = 0, travelMin = 0;
  double strokeScale = 0;
};
