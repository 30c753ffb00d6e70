// The printed outcome of a quadrant study from the command line: one aligned
// line per notch in the program's 4-significant-digit format with the summary
// below, and the valve setting and the summary as members of the JSON report.
#pragma once

#include <ostream>
#include <string>

#include "QuadrantStudy.h"
#include "Quantity.h"
#include "Session.h"
#include "SweepReport.h"

// The setting run first, then every notch in order; with a unit, the length
// columns' titles and the summary's lengths carry it.
void WriteRangeTable(std::ostream& out, const Session& s, const StudyRow& setting, const QuadrantStudy& study,
                     LengthUnit unit);

// "valveSetting" for equal cut-offs only, then "summary" (and with an
// automatic plan "usableRangeDeg") for WriteJsonReport; moreSummary, when
// given, is one more member of the summary ("worstWithPlay": {...}).
std::string JsonStudyMembers(const QuadrantStudy& study, const std::string& moreSummary = {});

// The summary's figures as JSON members, worstCutOffInequality to worstDieSlip.
std::string JsonSummaryFigures(const StudySummary& s);

// A notch's row as a run of the report, without its indicator figures.
SweepRun SweepRunOf(const StudyRow& row);
