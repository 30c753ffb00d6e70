// The one description of a run's figures: each with its key (the CSV column
// and JSON name), its caption, its short column name for text reports and its
// quantity; the reports, tables and plots list their columns from it.
#pragma once

#include <optional>
#include <vector>

#include "GearRun.h"
#include "Quantity.h"

struct FigureSpec {
  const char* key;        // "cutOffBack"
  const char* caption;    // "Cut-off back"
  const char* shortName;  // "CoB"
  Quantity quantity;
  int event = -1;                        // a ValveEvent, or -1 for a member
  double RunResults::*member = nullptr;  // for a figure that is not an event

  // The figure of a run; empty for an event the valve never makes.
  std::optional<double> Of(const RunResults& results) const;
};

// The events back then front (admission, cut-off, exhaust, compression), the
// leads, the maximum port openings, the valve travel, the link's angles and the
// die deflection: the columns of the study's table and CSV, in that order.
const std::vector<FigureSpec>& RunFigures();
// The figure of that key, or nullptr.
const FigureSpec* FindFigure(const char* key);
