// One run of the valve gear as a value: the joint positions of every crank
// step, the piston and valve tables and the valve events derived from them.
// Plain data; the crank sweep fills it and nothing changes it afterwards.
#pragma once

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

// Everything shown for a run, angles in degrees.
struct RunResults {
  double eventPct[kEvents]{};
  bool eventFound[kEvents]{};  // false where the valve never makes that crossing
  double leadBack = 0, leadFront = 0;
  double portOpenBack = 0, portOpenFront = 0;  // at most port
  double linkAngleMinDeg = 0, linkAngleMaxDeg = 0;
  double dieDeflection = 0;
  double dieSlip = 0;      // along the slot, between the die's extremes in one revolution
  double valveTravel = 0;  // full travel of the centred valve
};

// One good run: the lifting-arm setting, the joint, piston and centred valve
// tables of every crank step, and the figures read off them.
struct GearRun {
  double midGearAngle = 0;  // radians, positive when the arm points below the horizontal
  double liftArmAngle = 0;  // radians from mid-gear, positive downwards
  double liftArmDeg = 0;    // the same as asked for: a later run at this angle solves the same gear
  int runDir = 1;           // the crank turns backwards for a negative lifting-arm angle
  double valveCentre = 0;   // subtracted from every raw valve position
  JointTable joints{};
  double pistonTable[kRows]{};
  double valveTable[kRows]{};
  double linkAngleMin = 0, linkAngleMax = 0;  // radians, clockwise positive
  double dieDeflection = 0;
  // Set once the sweep is solved: the centring moves the valve, not the die.
  double dieSlip = 0;
  double eventPos[kEvents]{};  // piston positions of the events; 0 where absent
  double travelMax = 0, travelMin = 0;
  double strokeScale = 0;
  RunResults results;
};
