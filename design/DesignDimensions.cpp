// The field table is the one place that ties a name to an engine member; the
// default bounds of a length are widened to a quarter of the link's pin
// distance so that a dimension of zero (or nearly) can still move.
#include "DesignDimensions.h"

#include <algorithm>
#include <cmath>

const std::array<DesignDimension, 17>& DesignDimensions() {
  static const std::array<DesignDimension, 17> dimensions = {{
      {"conrod", &Engine::conrod},
      {"mcrank", &Engine::mcrank},
      {"eccrod", &Engine::eccrod},
      {"eccrad", &Engine::eccrad},
      {"angadv", &Engine::angadv},
      {"pintoslot", &Engine::pintoslot},
      {"ctoweighh", &Engine::ctoweighh},
      {"ctoweighv", &Engine::ctoweighv},
      {"larad", &Engine::larad},
      {"liftlink", &Engine::liftlink},
      {"linkpins", &Engine::linkpins},
      {"circdisp", &Engine::circdisp},
      {"raddisp", &Engine::raddisp},
      {"stlap", &Engine::stlap},
      {"exlap", &Engine::exlap},
      {"port", &Engine::port},
      {"rockerRatio", &Engine::rockerRatio},
  }};
  return dimensions;
}

std::optional<DesignDimension> FindDesignDimension(const std::string& name) {
  for (const DesignDimension& d : DesignDimensions())
    if (name == d.name) return d;
  return std::nullopt;
}

const std::vector<std::string>& DefaultFreeNames() {
  static const std::vector<std::string> names = {"ctoweighh", "ctoweighv", "larad",
                                                 "liftlink",  "circdisp",  "raddisp"};
  return names;
}

FreeDimension DefaultBounds(const Engine& start, const std::string& name) {
  const auto dimension = FindDesignDimension(name);
  const double value = dimension ? start.*(dimension->field) : 0;
  const double quarterPins = std::fabs(start.linkpins) / 4;
  const bool offset = name == "circdisp" || name == "raddisp";
  // The angle of advance and the rocker ratio are no lengths: their own least reach.
  const double least = name == "angadv" ? 1.0 : name == "rockerRatio" ? 0.1 : quarterPins;
  const double reach = offset ? quarterPins : std::max(0.15 * std::fabs(value), least);
  return {name, value - reach, value + reach};
}

std::vector<FreeDimension> DefaultFreeSet(const Engine& start) {
  std::vector<FreeDimension> free;
  for (const std::string& name : DefaultFreeNames()) free.push_back(DefaultBounds(start, name));
  return free;
}
