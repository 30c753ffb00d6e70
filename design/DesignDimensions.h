// The dimensions a design search may change: the seventeen of the engine under
// their record field names, the suspension set that is free unless the user
// picks others, and the default bounds around a start value.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "Engine.h"

struct DesignDimension {
  const char* name;  // the record field name, as typed on the command line
  double Engine::*field;
};

// A free dimension and the interval the search keeps it in.
struct FreeDimension {
  std::string name;
  double lower = 0, upper = 0;
};

// The seventeen in the record's field order.
const std::array<DesignDimension, 17>& DesignDimensions();
std::optional<DesignDimension> FindDesignDimension(const std::string& name);

// The suspension of the link: ctoweighh, ctoweighv, larad, liftlink, circdisp, raddisp.
const std::vector<std::string>& DefaultFreeNames();

// Offsets (circdisp, raddisp) within a quarter of linkpins of their value;
// every other length within 15 % of its value, and at least that quarter; the
// angle of advance within 15 % and at least 1 degree, the rocker ratio within
// 15 % and at least 0.1.
FreeDimension DefaultBounds(const Engine& start, const std::string& name);
std::vector<FreeDimension> DefaultFreeSet(const Engine& start);
