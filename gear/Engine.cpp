// The engine's own check of its numbers, over the table of its dimensions.
#include "Engine.h"

#include <cmath>

#include "EngineSchema.h"

bool HasFiniteNumbers(const Engine& e) {
  for (const DimensionSpec& d : EngineDimensions())
    if (!std::isfinite(e.*(d.field))) return false;
  const GearDeviations& d = e.asBuilt;
  return std::isfinite(d.rod1) && std::isfinite(d.rod2) && std::isfinite(d.advance1Deg) &&
         std::isfinite(d.advance2Deg) && std::isfinite(d.spindle);
}
