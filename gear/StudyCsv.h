// A quadrant study as comma-separated text for a spreadsheet: a few leading
// "key,value" rows saying what was studied (engine, setting angle, valve
// setting, unit, indicator parameters), a blank row, then a header row of the
// run figures' keys and the indicator figures' and one row per notch at full
// precision with "." decimals, an empty field for a figure that does not
// exist, and the failure's sentence in the last column.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "QuadrantStudy.h"
#include "Quantity.h"

// engineName is UTF-8. With a unit, the length columns' titles carry it
// ("leadBack (mm)"); the numbers are the same either way.
std::string StudyCsvText(const QuadrantStudy& study, const std::string& engineName,
                         LengthUnit unit = LengthUnit::none);

// Columns a caller adds to each notch's row, before the error column: their
// titles, and the cells of the row at an index (as many as titles; empty
// cells for a notch that failed are written by the caller too).
struct StudyCsvColumns {
  std::vector<std::string> titles;
  std::function<std::vector<std::string>(std::size_t row)> cells;
};

// A figure as the CSV writes it: 17 significant digits, "." decimals.
std::string StudyCsvNumber(double value);

// The same text with the added columns.
std::string StudyCsvText(const QuadrantStudy& study, const std::string& engineName, LengthUnit unit,
                         const StudyCsvColumns& more);
