// The length unit the user gave a data file, kept in a small text file beside
// it ("ste_data.dat.unit" holding "mm"), never in the records, so data files
// stay byte-compatible and the windows and the command lines read one setting.
#pragma once

#include <string>

#include "Quantity.h"
#include "TextFile.h"

// The file that holds the unit of the data file at dataFile.
std::string LengthUnitPath(const std::string& dataFile);
// The unit set for the data file; none when nothing (or nothing readable) is set.
LengthUnit ReadLengthUnit(const std::string& dataFile);
// Sets the unit (written whole); none removes the setting.
FileWrite WriteLengthUnit(const std::string& dataFile, LengthUnit unit);
