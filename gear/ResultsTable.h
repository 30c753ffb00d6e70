// The crank-angle table of a run as the text file results.txt: a header with
// the engine and lifting-arm angle, then piston and centred valve displacement
// for each 2-degree step, every line ending in CR LF on every platform.
#pragma once

#include <string>

#include "GearRun.h"

// The file's whole content for a run of the engine named by nameBytes.
std::string ResultsTableText(const std::string& nameBytes, const GearRun& r);
