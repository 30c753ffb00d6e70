// The worn gear's study as CSV: the quadrant study's text with, for each
// figure that has a band, its low and high columns before the error column,
// as the sweep tool and the study window both write it.
#pragma once

#include <string>

#include "PlayBands.h"
#include "Quantity.h"
#include "StudyCsv.h"

// For each band figure "<key>Low" and "<key>High" (lengths titled with the
// unit), at full precision; empty cells where the gear's own run lacks it.
StudyCsvColumns PlayCsvColumns(const PlayStudy& bands, LengthUnit unit);

// StudyCsvText of the study with those columns; engineName is UTF-8.
std::string PlayStudyCsvText(const PlayStudy& bands, const std::string& engineName, LengthUnit unit);
