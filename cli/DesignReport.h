// The printed outcome of zovuderiz-design: the worst cut-off inequality before
// and after, each notch's cut-offs, leads and port openings, and the changed
// dimensions, as readable text or as JSON whose runs are the sweep's run objects;
// with a unit, the text's lengths carry it and the JSON names it.
#pragma once

#include <ostream>
#include <string>

#include "DesignSearch.h"
#include "EngineRecord.h"
#include "Quantity.h"

struct DesignReportInput {
  const DesignInput& input;
  const DesignResult& result;
  const EngineRecord& proposal;  // the proposal as the record it would be stored as
  std::string engineName;        // UTF-8
  LengthUnit unit = LengthUnit::none;
};

void WriteDesignText(std::ostream& out, const DesignReportInput& report);
void WriteDesignJson(std::ostream& out, const DesignReportInput& report);
