// The tables behind every list of the dimensions: boxes, record fields,
// options, bounds and reports all read them, so a dimension is named once.
#include "EngineSchema.h"

const std::array<DimensionSpec, kDimensions>& EngineDimensions() {
  using enum Quantity;
  using enum SignRule;
  using enum GearPart;
  static const std::array<DimensionSpec, kDimensions> dimensions = {{
      {"conrod", "Connecting rod", length, positive, &Engine::conrod, crank},
      {"mcrank", "Main crank radius", length, positive, &Engine::mcrank, crank},
      {"eccrod", "Length of eccentric rod", length, positive, &Engine::eccrod, eccentric},
      {"eccrad", "Eccenrtic radius", length, positive, &Engine::eccrad, eccentric},
      {"angadv", "Angle of advance", angle, keepSign, &Engine::angadv, eccentric},
      {"pintoslot", "Ecc.rod pin to link slot", length, positive, &Engine::pintoslot, link},
      {"ctoweighh", "Crank axle to Weighshaft (h)", length, either, &Engine::ctoweighh, suspension},
      {"ctoweighv", "Crank axle to Weighshaft (v)", length, either, &Engine::ctoweighv, suspension},
      {"larad", "Lifting arm radius", length, positive, &Engine::larad, suspension},
      {"liftlink", "Length of lifting link", length, positive, &Engine::liftlink, suspension},
      {"linkpins", "Dist. between  pins on link", length, positive, &Engine::linkpins, link},
      {"circdisp", "Circ.disp. of lifting pin", length, either, &Engine::circdisp, liftingPin},
      {"raddisp", "Radial disp. of lifting pin", length, either, &Engine::raddisp, liftingPin},
      {"stlap", "Steam lap", length, positive, &Engine::stlap, valve},
      {"exlap", "Exhaust lap", length, either, &Engine::exlap, valve},
      {"port", "Port width", length, positive, &Engine::port, valve},
      {"rockerRatio", "Rocker arm ratio", ratio, positive, &Engine::rockerRatio, valve},
  }};
  return dimensions;
}

const DimensionSpec* FindDimension(std::string_view key) {
  for (const DimensionSpec& d : EngineDimensions())
    if (key == d.key) return &d;
  return nullptr;
}

const std::array<TypeChoice, 2>& ValveTypeChoices() {
  static const std::array<TypeChoice, 2> choices = {{{-1, "Outside adm"}, {1, "Inside  adm"}}};
  return choices;
}

const std::array<TypeChoice, 3>& RockerTypeChoices() {
  static const std::array<TypeChoice, 3> choices = {{{0, "No Rocker"}, {1, "Type A"}, {-1, "Type B"}}};
  return choices;
}
