// The printed trade-off of zovuderiz-design --objective both: one line per
// design of the front (its worst cut-off inequality, its signed worst work
// imbalance and the dimensions it changes, on the drawing grid), and the
// JSON list of the same with each design's gridded record.
#pragma once

#include <ostream>

#include "DesignReportInput.h"

void WriteFrontText(std::ostream& out, const DesignReportInput& report);
// The members "pick", "frontAgreed" and "front" of the report's top level.
void WriteFrontJson(std::ostream& out, const DesignReportInput& report);
