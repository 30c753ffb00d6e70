// The one description of a run's figures: each with its key (the CSV column
// and JSON name), its caption, its short column name for text reports, its
// quantity and, for a figure of one end of the cylinder, what both ends measure;
// the reports, tables and plots list their columns from it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "GearRun.h"
#include "Quantity.h"

// The end of the cylinder a figure is measured at; none for one of the whole run.
enum class CylinderEnd { none, back, front };

struct FigureSpec {
  const char* key;        // "cutOffBack"
  const char* caption;    // "Cut-off back"
  const char* shortName;  // "CoB"
  Quantity quantity;
  int event = -1;                        // a ValveEvent, or -1 for a member
  double RunResults::*member = nullptr;  // for a figure that is not an event
  CylinderEnd end = CylinderEnd::none;
  const char* measure = nullptr;  // of an end's figure: what both ends measure, "Max. port opening"
  bool resultsWindow = true;      // shown for each run, not only in studies (the valve travel)

  // The figure of a run; empty for an event the valve never makes.
  std::optional<double> Of(const RunResults& results) const;
};

// The events back then front (admission, cut-off, exhaust, compression), the
// leads, the maximum port openings, the valve travel, the link's angles and the
// die deflection: the columns of the study's table and CSV, in that order.
const std::vector<FigureSpec>& RunFigures();
// The figure of that key, or nullptr.
const FigureSpec* FindFigure(const char* key);

// The key of what an end's figure measures: its own key without the end, "maxPortOpening".
std::string MeasureKey(const FigureSpec& figure);
// The figure of the same measure at the other end of the cylinder; a figure
// of the whole run is its own.
const FigureSpec& OtherEnd(const FigureSpec& figure);
