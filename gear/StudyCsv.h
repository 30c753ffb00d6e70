// A quadrant study as comma-separated text for a spreadsheet: a header row of
// the run figures' keys, one row per notch at full precision with "." decimals,
// an empty field for a valve event that does not occur, and the failure's
// sentence in the last column.
#pragma once

#include <string>
#include <vector>

#include "Quantity.h"
#include "StudySummary.h"

// With a unit, the length columns' titles carry it ("leadBack (mm)"); the
// numbers are the same either way.
std::string StudyCsvText(const std::vector<StudyRow>& rows, LengthUnit unit = LengthUnit::none);
