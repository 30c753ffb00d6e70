// Driven by EngineDimensions(): only the dimensions whose quantity is a length
// change, whatever their sign rule.
#include "EngineScale.h"

#include "EngineSchema.h"

Engine ScaledEngine(const Engine& engine, double factor) {
  Engine scaled = engine;
  for (const DimensionSpec& d : EngineDimensions())
    if (d.quantity == Quantity::length) scaled.*(d.field) *= factor;
  return scaled;
}
