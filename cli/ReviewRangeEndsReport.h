// The move of the usable range's ends with each dimension, for the printed
// review: a text section in the program's 4-significant-digit format and the
// JSON members rangeEndDegPerUnit and rangeEndDegPerPercent.
#pragma once

#include <ostream>

#include "Quantity.h"
#include "ReviewSensitivity.h"

void WriteRangeEndsText(std::ostream& out, const SensitivityTable& table, LengthUnit unit);
// The two members, each led by ", ": per dimension key [low end, high end],
// null where an end was not found or the dimension is zero (per 1 %).
void WriteRangeEndsJson(std::ostream& out, const SensitivityTable& table);
