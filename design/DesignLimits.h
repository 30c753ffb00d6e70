// The designer's limits as a report names them: each limit's key, what it
// allows, and whether it binds a design (the design stands within a small band
// of it somewhere on the range).
#pragma once

#include <string>
#include <vector>

#include "DesignConstraints.h"

struct LimitState {
  const char* key;   // as the JSON names it
  std::string text;  // what it allows, in words
  bool binds = false;
};

// A search value this near its limit (in points) binds.
inline constexpr double kBindingBand = 0.25;

std::vector<LimitState> DescribeLimits(const DesignConstraints& constraints, const Engine& engine,
                                       const DesignFigures& figures);
