// The sample engines shipped with the program, with the range of lifting-arm
// angle (degrees) over which each was found to assemble at every crank step;
// as data-file records and as the engines the kinematics read.
#pragma once

#include <string>
#include <vector>

#include "Engine.h"
#include "EngineConversion.h"
#include "EngineRecord.h"

struct SampleEngine {
  EngineRecord record;
  double assemblesFrom, assemblesTo;  // equal when it never assembles
};

inline EngineRecord MakeEngine(const std::string& name, EngineRecord numbers) {
  SetRecordName(numbers, name.data(), name.size());
  return numbers;
}

// Fields: conrod, mcrank, eccrod, eccrad, angadv, pintoslot, ctoweighh,
// ctoweighv, larad, reserved, liftlink, linkpins, circdisp, raddisp, stlap,
// exlap, port, valveType, rockerType, rockerRatio.
inline std::vector<SampleEngine> SampleEngines() {
  return {
      {MakeEngine("Goods 0-6-0 slide valve",
                  {{}, 78, 13, 54, 2.75, 24, 0, 65, 19, 11, 0, 18, 13, 0, 0, 1.0, 0, 1.5, -1, 0, 0.0}),
       -89, 90},
      {MakeEngine("Express 4-4-0 rocker B", {{}, 84, 13, 60,  3.0,   24,     2.5,  48.5, 20.6, 12, 0,
                                             20, 14, 0,  2.0, 1.125, 0.0625, 1.75, -1,   -1,   1.0}),
       -90, 90},
      {MakeEngine("Tank 0-6-2T piston valves", {{}, 72, 13,  50, 3.5, 26,      0,    60, 18.3, 10, 0,
                                                16, 12, 3.0, 0,  1.4, -0.0625, 1.75, 1,  0,    2.5}),
       -69, 90},
      {MakeEngine("Low shaft, short lifting link",
                  {{}, 90,   12,  58,   3.0,    25,    2.0, 71.0, -8.25, 10, 0,
                   10, 13.5, 1.5, -1.0, 1.0625, 0.125, 1.5, -1,   1,     0.9}),
       -81, 65},
      {MakeEngine("Lifting link too short",
                  {{}, 78, 13, 54, 2.75, 24, 0, 65, 19, 11, 0, 5, 13, 0, 0, 1.0, 0, 1.5, -1, 0, 0.0}),
       0, 0},
      {MakeEngine("Conrod shorter than crank",
                  {{}, 10, 13, 54, 2.75, 24, 0, 65, 19, 11, 0, 18, 13, 0, 0, 1.0, 0, 1.5, -1, 0, 0.0}),
       0, 0},
  };
}

inline EngineRecord SampleRecord(const std::string& name) {
  for (const SampleEngine& e : SampleEngines())
    if (RecordName(e.record) == name) return e.record;
  return {};
}

inline Engine SampleGear(const std::string& name) {
  return ToEngine(SampleRecord(name));
}
