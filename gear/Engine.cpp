// The engine's own check of its numbers, over the table of its dimensions.
// Figures are shares of the stroke and of the port width, so those two must
// be sizes a double can divide by without the share running to infinity.
#include "Engine.h"

#include <algorithm>
#include <cmath>

#include "EngineSchema.h"

namespace {

// The least share of the engine's largest length the crank radius and the port may be.
constexpr double kLeastScaleShare = 1e-9;

bool MeasuresFigures(double length, double largest) {
  return std::isnormal(length) && std::fabs(length) >= kLeastScaleShare * largest;
}

bool HasFiniteNumbers(const Engine& e) {
  for (const DimensionSpec& d : EngineDimensions())
    if (!std::isfinite(e.*(d.field))) return false;
  const GearDeviations& d = e.asBuilt;
  return std::isfinite(d.rod1) && std::isfinite(d.rod2) && std::isfinite(d.advance1Deg) &&
         std::isfinite(d.advance2Deg) && std::isfinite(d.spindle);
}

}  // namespace

std::optional<GearFailure> EngineDataFailure(const Engine& e) {
  if (!HasFiniteNumbers(e)) return MakeFailure(FailureKind::nonFiniteEngine);
  double largest = 0;
  for (const DimensionSpec& d : EngineDimensions())
    if (d.quantity == Quantity::length) largest = std::max(largest, std::fabs(e.*(d.field)));
  if (!(e.port > 0)) return MakeFailure(FailureKind::portUnusable);
  if (!MeasuresFigures(e.mcrank, largest)) return MakeFailure(FailureKind::crankUnusable);
  if (!MeasuresFigures(e.port, largest)) return MakeFailure(FailureKind::portUnusable);
  return std::nullopt;
}
