// What the check of a design at its tolerances found: whether every limit
// held at the corners run, the worst figure among them, and what broke.
#pragma once

#include <optional>
#include <vector>

#include "DesignConstraints.h"

struct ToleranceOutcome {
  bool holds = false;  // every limit (but the work and slip limits) at every corner confirmed
  bool checked = false;
  std::optional<double> worstObjective;  // over the nominal design and the corners, as reported
  std::vector<Breach> breaches;          // of the first corner that breaks a limit
  int corners = 0;                       // the corners run
};
