// The readings file's text: CSV with the header
// "angleDeg,end,event,value,unit,plusMinus", one reading a row, as a
// spreadsheet reads and writes it; and the check of every row when read.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "Quantity.h"
#include "Readings.h"

inline constexpr const char* kReadingsHeader = "angleDeg,end,event,value,unit,plusMinus";
inline constexpr int kMostReadingRows = 10000;

// Where a readings text is wrong: its line and column (both from 1; column 0
// for the row as a whole) and what is wrong there.
struct ReadingsTextProblem {
  int line = 0, column = 0;
  std::string message;
};

// The text of the rows: numbers as FormatFaithful writes them (a blank value
// for a reading not yet taken), units as ReadingUnitText names them.
std::string ReadingsCsvText(const std::vector<Reading>& readings, LengthUnit lengthUnit);

// Every row of the text, or the first wrong one; never part of the rows.
// Blank lines are skipped; fields may be quoted; the unit may be empty (the
// event's own unit), "%" or the engine's length unit ("length" or the unit's
// symbol: a length in another unit is refused); an empty plusMinus is the
// usual precision; an empty value is a reading not yet taken. At most
// kMostReadingRows rows.
std::variant<std::vector<Reading>, ReadingsTextProblem> ParseReadingsCsv(const std::string& text,
                                                                         LengthUnit lengthUnit);

// "line 4, column 2 (end): ..." for the user.
std::string ReadingsProblemText(const ReadingsTextProblem& problem);
