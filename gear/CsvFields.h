// The fields of one row of the program's CSV files (readings, play, running
// evidence), as a spreadsheet writes them: split on commas, each field with
// its blanks trimmed and one pair of surrounding quotes taken off.
#pragma once

#include <string>
#include <vector>

// The text with blanks, tabs and carriage returns trimmed from both ends and
// one pair of surrounding quotes removed.
std::string TrimmedCsvField(const std::string& text);
// Every field of the row, an empty one for each comma with nothing after it.
std::vector<std::string> CsvFields(const std::string& line);
