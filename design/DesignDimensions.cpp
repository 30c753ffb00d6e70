// The engine's table is the one place that ties a name to an engine member and
// a sign rule; the default bounds of a length are widened to a quarter of the
// link's pin distance so that a dimension of zero (or nearly) can still move,
// then cut back to the physical side of zero.
#include "DesignDimensions.h"

#include <algorithm>
#include <cmath>

#include "NumberFormat.h"

namespace {

bool HangsTheLink(const DimensionSpec& d) {
  return d.part == GearPart::suspension || d.part == GearPart::liftingPin;
}

// The eccentric rods' length and their pins' place behind the slot move the
// link's ends, which the suspension alone cannot; the rest of the eccentric
// and the valve stay fixed, for they set the valve events the driver knows.
bool RodsTheLink(const DimensionSpec& d) {
  return d.field == &Engine::eccrod || d.field == &Engine::pintoslot;
}

// The sign a dimension must keep: +1 above zero, -1 below, 0 either.
int KeptSign(const DimensionSpec& d, double value) {
  if (d.sign == SignRule::positive) return 1;
  if (d.sign == SignRule::keepSign && value != 0) return value > 0 ? 1 : -1;
  return 0;
}

}  // namespace

const std::array<DesignDimension, kDimensions>& DesignDimensions() {
  static const std::array<DesignDimension, kDimensions> dimensions = [] {
    std::array<DesignDimension, kDimensions> view{};
    for (std::size_t i = 0; i < kDimensions; ++i) {
      const DimensionSpec& d = EngineDimensions()[i];
      view[i] = {d.key, d.caption, d.field};
    }
    return view;
  }();
  return dimensions;
}

std::optional<DesignDimension> FindDesignDimension(const std::string& name) {
  const DimensionSpec* d = FindDimension(name);
  if (!d) return std::nullopt;
  return DesignDimension{d->key, d->caption, d->field};
}

const std::vector<std::string>& DefaultFreeNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> free;
    for (const DimensionSpec& d : EngineDimensions())
      if (HangsTheLink(d) || RodsTheLink(d)) free.push_back(d.key);
    return free;
  }();
  return names;
}

namespace {

// A bound as the boxes show it (4 significant digits), so that it reads the
// same everywhere; it moves by far less than the reach.
double Shown(double bound) {
  return ParseFloat(FormatGeneral4(bound)).value_or(bound);
}

FreeDimension Widened(const Engine& start, const DimensionSpec& d) {
  const std::string name = d.key;
  const double value = start.*(d.field);
  const double quarterPins = std::fabs(start.linkpins) / 4;
  if (d.part == GearPart::liftingPin) return {name, value - quarterPins, value + quarterPins};
  // An angle and a ratio are no lengths: their own least reach.
  const double least = d.quantity == Quantity::angle   ? kLeastAngleReach
                       : d.quantity == Quantity::ratio ? kLeastRatioReach
                                                       : quarterPins;
  const double share = d.part == GearPart::suspension ? kSuspensionShare : kBoundsShare;
  const double reach = std::max(share * std::fabs(value), least);
  FreeDimension bounds{name, value - reach, value + reach};
  const int sign = KeptSign(d, value);
  if (sign > 0) bounds.lower = std::max(bounds.lower, kLeastKeptShare * value);
  if (sign < 0) bounds.upper = std::min(bounds.upper, kLeastKeptShare * value);
  return bounds;
}

}  // namespace

FreeDimension DefaultBounds(const Engine& start, const std::string& name) {
  const DimensionSpec* d = FindDimension(name);
  if (!d) return {name, 0, 0};
  const double value = start.*(d->field);
  const int sign = KeptSign(*d, value);
  if (sign != 0 && !(value * sign > 0)) return {name, value, value};
  const FreeDimension bounds = Widened(start, *d);
  return {name, Shown(bounds.lower), Shown(bounds.upper)};
}

std::vector<FreeDimension> DefaultFreeSet(const Engine& start) {
  std::vector<FreeDimension> free;
  for (const std::string& name : DefaultFreeNames()) free.push_back(DefaultBounds(start, name));
  return free;
}

std::optional<std::string> BoundsProblem(const Engine& start, const FreeDimension& bounds) {
  const DimensionSpec* d = FindDimension(bounds.name);
  if (!d) return "not a dimension: " + bounds.name;
  const std::string named = std::string(d->key) + " (" + d->caption + ")";
  if (!std::isfinite(bounds.lower) || !std::isfinite(bounds.upper))
    return "the bounds of " + named + " are not finite numbers";
  if (bounds.lower > bounds.upper)
    return "the lower bound of " + named + " lies above its upper bound: " + FormatGeneral4(bounds.lower) +
           " > " + FormatGeneral4(bounds.upper);
  const double value = start.*(d->field);
  // A dimension at zero (unused, or meant so) may be held there.
  if (bounds.lower == value && bounds.upper == value) return std::nullopt;
  const int sign = KeptSign(*d, value);
  if (sign > 0 && !(bounds.lower > 0))
    return "the bounds of " + named + " reach zero or below (" + FormatGeneral4(bounds.lower) +
           "), but it must stay above zero";
  if (sign < 0 && !(bounds.upper < 0))
    return "the bounds of " + named + " reach zero or above (" + FormatGeneral4(bounds.upper) +
           "), but it must stay below zero, as in the start design";
  return std::nullopt;
}
