// Writing a quadrant study's CSV: the text put in place whole, so that a full
// disk or a crash never leaves a spreadsheet cut off.
#pragma once

#include <string>
#include <vector>

#include "Quantity.h"
#include "StudySummary.h"
#include "TextFile.h"

// Replaces the file at path with the study's CSV (StudyCsvText).
FileWrite WriteStudyCsvFile(const std::vector<StudyRow>& rows, const std::string& path,
                            LengthUnit unit = LengthUnit::none);
