// What the check of a design at its tolerances found: whether every limit
// held at the corners run, the worst figure among them, and what broke.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "DesignConstraints.h"

struct ToleranceOutcome {
  bool holds = false;  // every limit (but the work and slip limits) at every corner confirmed
  bool checked = false;
  std::optional<double> worstObjective;  // over the nominal design and the corners, as reported
  std::vector<Breach> breaches;          // of the first corner that breaks a limit
  // That corner: each changed dimension's key and the way it is off (+1 or -1 tolerance).
  std::vector<std::pair<std::string, int>> brokenCorner;
  int corners = 0;  // the corners run
  // Where a corner broke a limit: for each kind of search value (the
  // kValuesPerNotch of a notch, then the kDesignValues of the design), how far
  // the tolerances swing it, for the search to keep clear of that limit by.
  std::vector<double> swings;
};
