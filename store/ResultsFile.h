// Writing results.txt: the crank-angle table of a run put in place whole, so
// that a full disk or a crash never leaves a table cut off.
#pragma once

#include <string>

#include "GearRun.h"
#include "TextFile.h"

using TableWrite = FileWrite;

// Replaces the file at path with the table of the run of the engine named by
// nameBytes. notOpened when the file cannot be made there, notWritten when the
// writing itself fails.
TableWrite WriteResultsTable(const std::string& nameBytes, const GearRun& r, const std::string& path);
