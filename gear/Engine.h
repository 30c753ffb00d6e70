// The engine as the kinematics read it: the seventeen dimensions (lengths in
// the engine's own unit, angadv in degrees), the valve type and the rocker.
// A plain value; the data file's record is converted to it by the store.
#pragma once

#include <cstdint>
#include <string>

struct Engine {
  std::string name;  // single-byte text, as stored
  double conrod = 0, mcrank = 0, eccrod = 0, eccrad = 0, angadv = 0, pintoslot = 0;
  double ctoweighh = 0, ctoweighv = 0, larad = 0, liftlink = 0, linkpins = 0;
  double circdisp = 0, raddisp = 0, stlap = 0, exlap = 0, port = 0;
  std::int32_t valveType = 0;   // +1 inside admission, -1 outside admission
  std::int32_t rockerType = 0;  // 0 none, +1 type A, -1 type B
  double rockerRatio = 0;
};

// False when a dimension or the rocker ratio is a NaN or an infinity: a record
// made elsewhere may hold any bit pattern.
bool HasFiniteNumbers(const Engine& e);
