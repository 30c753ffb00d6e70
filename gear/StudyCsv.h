// A quadrant study as comma-separated text for a spreadsheet: a few leading
// "key,value" rows saying what was studied (engine, setting angle, valve
// setting, unit, indicator parameters), a blank row, then a header row of the
// run figures' keys and the indicator figures' and one row per notch at full
// precision with "." decimals, an empty field for a figure that does not
// exist, and the failure's sentence in the last column.
#pragma once

#include <string>

#include "QuadrantStudy.h"
#include "Quantity.h"

// engineName is UTF-8. With a unit, the length columns' titles carry it
// ("leadBack (mm)"); the numbers are the same either way.
std::string StudyCsvText(const QuadrantStudy& study, const std::string& engineName,
                         LengthUnit unit = LengthUnit::none);
