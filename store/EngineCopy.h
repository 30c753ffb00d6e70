// Copying one engine into another data file, in its own unit: the file is
// made when missing, its unit set when it has none and holds no engines, an
// engine in inches converted for a file in millimetres and back, and the
// engine stored under a name no engine there holds.
#pragma once

#include <string>

#include "EngineRecord.h"
#include "Quantity.h"
#include "TShed.h"

// How a copy ended: the store's outcome (done with the sentence to show, or
// why nothing was copied) and the name the engine was stored under.
struct EngineCopy {
  StoreOutcome outcome;
  std::string nameBytes;
};

// Stores `record` (in `unit`) as a new engine in dataFile. For a file in the
// other unit (inches, millimetres) every length is converted, each the
// decimal of 15 significant digits nearest (78 in is 1981.2 mm), and the
// message says so. A file of engines with no unit is refused when the engine
// has one: its figures would be read in the wrong unit.
EngineCopy CopyEngineInto(const std::string& dataFile, const EngineRecord& record, LengthUnit unit,
                          const LockWait& wait = {});
