// The crank-angle table of a run as the text file results.txt: a header with
// the engine and lifting-arm angle, then piston and centred valve displacement
// for each 2-degree step, every line ending in CR LF on every platform.
#pragma once

#include <string>

#include "GearRun.h"

// The file's whole content for a run of the engine named by nameBytes.
std::string ResultsTableText(const std::string& nameBytes, const GearRun& r);

// How writing the table ended; on a failure the file at path is as it was.
struct TableWrite {
  enum class Outcome { written, notOpened, notWritten };
  Outcome outcome = Outcome::written;
  std::string reason;  // the system's reason for a failure
  bool ok() const { return outcome == Outcome::written; }
};

// Replaces the file at path with the table: written whole to a new temporary
// file beside it, synced, then renamed over it, so that a full disk or a crash
// never leaves a table cut off. notOpened when the file cannot be made there,
// notWritten when the writing itself fails.
TableWrite WriteResultsTable(const std::string& nameBytes, const GearRun& r, const std::string& path);
