// Reading and writing a fitter's readings file (CSV, ReadingsCsv): read as
// warily as the data file (a regular file of at most 1 MiB, looked at before
// it is opened so a pipe never blocks), written whole, never over the data file.
#pragma once

#include <string>
#include <vector>

#include "Quantity.h"
#include "Readings.h"
#include "TextFile.h"

inline constexpr long kMostReadingsFileBytes = 1L << 20;

// All the readings of the file, or one sentence naming the file and what is
// wrong (a bad row by its line and column); never part of a file.
struct ReadingsRead {
  std::vector<Reading> readings;
  std::string problem;  // empty when read
  bool ok() const { return problem.empty(); }
};

ReadingsRead ReadReadingsFile(const std::string& path, LengthUnit lengthUnit);

// Writes the readings (ReadingsCsvText) at path, refused (notOpened, with the
// reason) when path names the data file.
FileWrite WriteReadingsFile(const std::string& path, const std::string& dataFile,
                            const std::vector<Reading>& readings, LengthUnit lengthUnit);
