// The printed outcome of zovuderiz-design: the problem searched, the status,
// the figures of the whole usable range before and after (the worst
// inequality overall and on each side, the usable range, the mid-gear
// direction, the leads, the smallest port opening, the largest die
// deflection), each listed notch's cut-offs, leads and port openings, and the
// changed dimensions by their box labels; as readable text or as JSON whose
// runs are the sweep's run objects. With a unit, the text's lengths carry it
// and the JSON names it.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "DesignSearchTypes.h"
#include "EngineRecord.h"
#include "Quantity.h"
#include "TradeOffFront.h"

struct DesignReportInput {
  const DesignInput& input;
  const DesignResult& result;
  const EngineRecord& proposal;  // the proposal as the record it would be stored as
  std::string engineName;        // UTF-8
  LengthUnit unit = LengthUnit::none;
  std::vector<double> notchesDeg;               // the notches listed
  std::vector<StudyRow> beforeRows, afterRows;  // their runs
  // With --objective both: the front, whose design `picked` (from 0) is the result reported.
  const TradeOffFront* front = nullptr;
  std::size_t picked = 0;
};

void WriteDesignText(std::ostream& out, const DesignReportInput& report);
void WriteDesignJson(std::ostream& out, const DesignReportInput& report);
// The text with blanks after it up to `width` characters: a column of the text tables.
std::string Padded(std::string text, std::size_t width);
// Every field of the record by its name in the data file's description, as one JSON object.
std::string ProposalJson(const EngineRecord& record);
