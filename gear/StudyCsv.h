// A quadrant study as comma-separated text for a spreadsheet: a header row,
// one row per notch at full precision with "." decimals, an empty field for a
// valve event that does not occur, and the failure's sentence in the last column.
#pragma once

#include <string>
#include <vector>

#include "StudySummary.h"

std::string StudyCsvText(const std::vector<StudyRow>& rows);

// Replaces the file at path; false when it cannot be written completely.
bool WriteStudyCsv(const std::vector<StudyRow>& rows, const std::string& path);
