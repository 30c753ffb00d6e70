// The crank-angle table of a run as the text file results.txt: a header with
// the engine and lifting-arm angle, then piston and centred valve displacement
// for each 2-degree step, every line ending in CR LF on every platform.
#pragma once

#include <string>

#include "GearState.h"

// The file's whole content for the state's latest sweep.
std::string ResultsTableText(const GearState& s);

// Replaces the file at path with the table; false when it cannot be opened or
// written completely.
bool WriteResultsTable(const GearState& s, const std::string& path);
