// The engine's table is the one place that ties a name to an engine member;
// the default bounds of a length are widened to a quarter of the link's pin
// distance so that a dimension of zero (or nearly) can still move.
#include "DesignDimensions.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kShare = 0.15;      // of a dimension's own value
constexpr double kLeastAngle = 1.0;  // degrees
constexpr double kLeastRatio = 0.1;

bool HangsTheLink(const DimensionSpec& d) {
  return d.part == GearPart::suspension || d.part == GearPart::liftingPin;
}

}  // namespace

const std::array<DesignDimension, kDimensions>& DesignDimensions() {
  static const std::array<DesignDimension, kDimensions> dimensions = [] {
    std::array<DesignDimension, kDimensions> view{};
    for (std::size_t i = 0; i < kDimensions; ++i)
      view[i] = {EngineDimensions()[i].key, EngineDimensions()[i].field};
    return view;
  }();
  return dimensions;
}

std::optional<DesignDimension> FindDesignDimension(const std::string& name) {
  const DimensionSpec* d = FindDimension(name);
  if (!d) return std::nullopt;
  return DesignDimension{d->key, d->field};
}

const std::vector<std::string>& DefaultFreeNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> suspension;
    for (const DimensionSpec& d : EngineDimensions())
      if (HangsTheLink(d)) suspension.push_back(d.key);
    return suspension;
  }();
  return names;
}

FreeDimension DefaultBounds(const Engine& start, const std::string& name) {
  const DimensionSpec* d = FindDimension(name);
  const double value = d ? start.*(d->field) : 0;
  const double quarterPins = std::fabs(start.linkpins) / 4;
  if (d && d->part == GearPart::liftingPin) return {name, value - quarterPins, value + quarterPins};
  // An angle and a ratio are no lengths: their own least reach.
  const Quantity quantity = d ? d->quantity : Quantity::length;
  const double least = quantity == Quantity::angle   ? kLeastAngleReach
                       : quantity == Quantity::ratio ? kLeastRatioReach
                                                     : quarterPins;
  const double reach = std::max(kBoundsShare * std::fabs(value), least);
  return {name, value - reach, value + reach};
}

std::vector<FreeDimension> DefaultFreeSet(const Engine& start) {
  std::vector<FreeDimension> free;
  for (const std::string& name : DefaultFreeNames()) free.push_back(DefaultBounds(start, name));
  return free;
}
