// What every part of zovuderiz-design's report reads: the search's input and
// result, the proposal as it would be stored, the notches listed and the
// trade-off; and the two pieces of text the parts share.
#pragma once

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

// The text with blanks after it up to `width` characters: a column of the text tables.
std::string Padded(std::string text, std::size_t width);
// Every field of the record by its name in the data file's description, as one JSON object.
std::string ProposalJson(const EngineRecord& record);
