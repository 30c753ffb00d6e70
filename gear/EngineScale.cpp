// Driven by EngineDimensions(): only the dimensions whose quantity is a length
// change, whatever their sign rule. Each product is rounded to 15 significant
// digits, which a double always holds: 78 x 25.4 is the decimal 1981.2, not
// the binary neighbour 1981.1999999999998 the multiplication leaves.
#include "EngineScale.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "EngineSchema.h"

double ScaledLength(double length, double factor) {
  const double product = length * factor;
  if (!std::isfinite(product) || product == 0) return product;
  char text[32];
  std::snprintf(text, sizeof text, "%.15g", product);
  return std::strtod(text, nullptr);
}

Engine ScaledEngine(const Engine& engine, double factor) {
  Engine scaled = engine;
  for (const DimensionSpec& d : EngineDimensions())
    if (d.quantity == Quantity::length) scaled.*(d.field) = ScaledLength(engine.*(d.field), factor);
  return scaled;
}
