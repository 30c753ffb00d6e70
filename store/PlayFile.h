// Reading a worn gear's play file (CSV, PlayCsv) as warily as the readings
// file: a regular file of at most 64 KiB, looked at before it is opened so a
// pipe never blocks, parsed only once it is whole.
#pragma once

#include <string>

#include "GearPlay.h"

inline constexpr long kMostPlayFileBytes = 64L << 10;

// The play of the file, or one sentence naming the file and what is wrong
// (a bad row by its line and column); never part of a file.
struct PlayRead {
  GearPlay play;
  std::string problem;  // empty when read
  bool ok() const { return problem.empty(); }
};

PlayRead ReadPlayFile(const std::string& path);
