// zovuderiz-sweep --range: the run at the setting angle (equal leads set
// there), then the quadrant study's notches, reported as a table, CSV or JSON;
// the crank-angle table of the last notch that ran is written to the results file.
#pragma once

#include <ostream>

#include "Session.h"
#include "SweepOptions.h"

// The session has the engine taken in; returns the exit status.
int SweepRange(const SweepOptions& options, LengthUnit unit, const Session& session, std::ostream& out,
               std::ostream& err);
