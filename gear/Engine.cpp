// The engine's own check of its numbers, over the table of its dimensions.
#include "Engine.h"

#include <cmath>

#include "EngineSchema.h"

bool HasFiniteNumbers(const Engine& e) {
  for (const DimensionSpec& d : EngineDimensions())
    if (!std::isfinite(e.*(d.field))) return false;
  return true;
}
