// zovuderiz-sweep --drawing: the gear of a stored engine at one lifting-arm
// angle (its valves set for equal leads there, as after a first "GO"), or its
// part sheets, written as DXF or SVG by the file name's ending.
#pragma once

#include <ostream>

#include "EngineRecord.h"
#include "SweepOptions.h"

// Writes the drawing whole or not at all; says where it went on out, or on
// err the file and the reason it was not written. Returns the exit status.
int WriteDrawingFile(const SweepOptions& options, const EngineRecord& record, std::ostream& out,
                     std::ostream& err);
