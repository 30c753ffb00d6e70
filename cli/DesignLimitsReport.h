// The parts of zovuderiz-design's report about the designer's limits and the
// drawing: the limits in force and which bind, the drawing grid and the
// tolerance check, the notch marks before and after, as text and as JSON members.
#pragma once

#include <ostream>
#include <string>

#include "DesignReportInput.h"

// The worst work imbalance with the end that does more work in words.
std::string SignedWork(const std::optional<double>& pct);

void WriteLimitsText(std::ostream& out, const DesignReportInput& report);
void WriteNotchMarksText(std::ostream& out, const DesignReportInput& report);

// "precision", "tolerance", "limits" and "atBound", each a line ending in ",\n".
void WriteLimitsJson(std::ostream& out, const DesignReportInput& report);
// "worstDieSlip", "fullGearCutOff" and "notchMarks" of one design, each followed by ", ".
void WriteDesignMarksJson(std::ostream& out, const DesignFigures& figures, const DesignSummary& summary);
