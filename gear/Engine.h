// The engine as the kinematics read it: the seventeen dimensions (lengths in
// the engine's own unit, angadv in degrees), the valve type and the rocker,
// and the deviations of the gear as built (zero for the gear as designed).
// A plain value; the data file's record is converted to it by the store.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "GearDeviations.h"
#include "GearFailure.h"

struct Engine {
  std::string name;  // single-byte text, as stored
  double conrod = 0, mcrank = 0, eccrod = 0, eccrad = 0, angadv = 0, pintoslot = 0;
  double ctoweighh = 0, ctoweighv = 0, larad = 0, liftlink = 0, linkpins = 0;
  double circdisp = 0, raddisp = 0, stlap = 0, exlap = 0, port = 0;
  std::int32_t valveType = 0;   // +1 inside admission, -1 outside admission
  std::int32_t rockerType = 0;  // 0 none, +1 type A, -1 type B
  double rockerRatio = 0;
  // Never stored: the store reads and writes the design alone.
  GearDeviations asBuilt{};
};

// Why the engine's data cannot be computed, or nothing: a dimension, the
// rocker ratio or a deviation of the gear as built that is a NaN or an
// infinity (a record made elsewhere may hold any bit pattern), or a crank
// radius or port width that cannot measure the figures (a port not above
// zero, either of them in size a vanishing share of the engine's largest
// length). Every tool and window refuses by this alone.
std::optional<GearFailure> EngineDataFailure(const Engine& e);
