// Writing results.txt: the crank-angle table of a run put in place whole, through
// a new temporary file beside it that is synced and renamed over the old one,
// so that a full disk or a crash never leaves a table cut off.
#pragma once

#include <string>

#include "GearRun.h"

// How writing the table ended; on a failure the file at path is as it was.
struct TableWrite {
  enum class Outcome { written, notOpened, notWritten };
  Outcome outcome = Outcome::written;
  std::string reason;  // the system's reason for a failure
  bool ok() const { return outcome == Outcome::written; }
};

// Replaces the file at path with the table of the run of the engine named by
// nameBytes. notOpened when the file cannot be made there, notWritten when the
// writing itself fails.
TableWrite WriteResultsTable(const std::string& nameBytes, const GearRun& r, const std::string& path);
