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

#include "DesignReportInput.h"

void WriteDesignText(std::ostream& out, const DesignReportInput& report);
void WriteDesignJson(std::ostream& out, const DesignReportInput& report);
