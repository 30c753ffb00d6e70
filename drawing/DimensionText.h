// Figures on a drawing: lengths to the precision a workshop marks out to
// (0.001 in, 0.01 mm, or 4 significant figures when the unit is not known),
// with the unit's symbol.
#pragma once

#include <string>

#include "Quantity.h"

std::string LengthText(double value, LengthUnit unit);
