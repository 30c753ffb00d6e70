// A grid value is made from its decimal text, so it is the double nearest the
// figure on the drawing (52.23, not 52.230000000000004).
#include "DrawingGrid.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "EngineSchema.h"

namespace {

// The number of decimals a step shows: 2 for 0.01, 0 for 1 or 10.
int Decimals(double step) {
  return std::max(0, static_cast<int>(std::ceil(-std::log10(step) - 1e-9)));
}

double Decimal(double value, double step) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", Decimals(step), std::round(value / step) * step);
  return std::strtod(text, nullptr);
}

}  // namespace

DrawingGrid DrawingGrid::ForUnit(LengthUnit unit) {
  if (unit == LengthUnit::in) return {kInchStep, kInchTolerance};
  if (unit == LengthUnit::mm) return {kMillimetreStep, kMillimetreTolerance};
  return {};
}

double DrawingGrid::Step(double value, Quantity quantity) const {
  if (quantity == Quantity::length && lengthStep > 0) return lengthStep;
  const double size = std::fabs(value) > 0 ? std::fabs(value) : 1;
  return std::pow(10.0, std::floor(std::log10(size)) - (kSignificantFigures - 1));
}

double DrawingGrid::Tolerance(double value, Quantity quantity) const {
  if (quantity == Quantity::length && lengthTolerance > 0) return toleranceShare * lengthTolerance;
  return toleranceShare * kRelativeTolerance * std::fabs(value);
}

double DrawingGrid::Round(double value, const FreeDimension& bounds, Quantity quantity) const {
  const double step = Step(value, quantity);
  double onGrid = Decimal(value, step);
  if (onGrid > bounds.upper) onGrid = Decimal(value - step, step);
  if (onGrid < bounds.lower) onGrid = Decimal(value + step, step);
  const bool within = onGrid >= bounds.lower && onGrid <= bounds.upper;
  if (within) return onGrid;
  return value - bounds.lower < bounds.upper - value ? bounds.lower : bounds.upper;
}

Quantity DimensionQuantity(const std::string& name) {
  const DimensionSpec* d = FindDimension(name);
  return d ? d->quantity : Quantity::length;
}
