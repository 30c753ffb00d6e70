// The engine's own check of its numbers.
#include "Engine.h"

#include <cmath>

bool HasFiniteNumbers(const Engine& e) {
  const double values[] = {e.conrod,    e.mcrank,    e.eccrod, e.eccrad,   e.angadv,     e.pintoslot,
                           e.ctoweighh, e.ctoweighv, e.larad,  e.liftlink, e.linkpins,   e.circdisp,
                           e.raddisp,   e.stlap,     e.exlap,  e.port,     e.rockerRatio};
  for (const double value : values)
    if (!std::isfinite(value)) return false;
  return true;
}
