// The readings a fitter is asked to take on an engine: the leads front and
// back at the two full gears (the usable range's ends), the cut-offs front and
// back at a mid notch each way, and more where those would leave the fit weak.
#pragma once

#include <vector>

#include "SettingModel.h"

// Blank rows (no values) at the usual precisions.
std::vector<Reading> RecommendedReadings(const SettingDesign& design);

// The rows of `recommended` not among `readings` that have a value.
std::vector<Reading> MissingReadings(const std::vector<Reading>& recommended,
                                     const std::vector<Reading>& readings);
