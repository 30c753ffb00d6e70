// Writing a quadrant study's CSV: the text put in place whole, so that a full
// disk or a crash never leaves a spreadsheet cut off.
#pragma once

#include <string>

#include "PlayBands.h"
#include "QuadrantStudy.h"
#include "Quantity.h"
#include "TextFile.h"

// Replaces the file at path with the study's CSV (StudyCsvText); engineName is UTF-8.
FileWrite WriteStudyCsvFile(const QuadrantStudy& study, const std::string& engineName,
                            const std::string& path, LengthUnit unit = LengthUnit::none);
// The same for the worn gear's study, with its band columns (PlayStudyCsvText).
FileWrite WriteStudyCsvFile(const PlayStudy& bands, const std::string& engineName, const std::string& path,
                            LengthUnit unit = LengthUnit::none);
