// The length unit the user gave a data file, kept in a small text file beside
// it ("ste_data.dat.unit" holding "mm"), never in the records, so data files
// stay byte-compatible and the windows and the command lines read one setting.
// It is read as warily as the data file: a regular file, a few bytes at most.
#pragma once

#include <string>

#include "Quantity.h"
#include "TextFile.h"

// The file that holds the unit of the data file at dataFile.
std::string LengthUnitPath(const std::string& dataFile);

// The unit set for a data file, and why a setting that is there was not taken.
struct LengthUnitReading {
  LengthUnit unit = LengthUnit::none;
  // Empty when no file is there or it holds a unit; else one sentence naming
  // the file and saying that its lengths carry no unit.
  std::string problem;
};

// Reads the setting without ever waiting on it: only a regular file of a few
// bytes holding exactly "none", "in" or "mm" (a line end after it allowed)
// counts; a device, a pipe, a folder, a longer file or any other text is no unit.
LengthUnitReading ReadLengthUnitSetting(const std::string& dataFile);
// The unit alone (none when nothing, or nothing usable, is set).
LengthUnit ReadLengthUnit(const std::string& dataFile);
// Sets the unit (written whole); none removes the setting.
FileWrite WriteLengthUnit(const std::string& dataFile, LengthUnit unit);
