// The drawing as SVG at true size: width and height in the length unit (in
// or mm; plain user units when the unit is not known), the viewBox in the
// drawing's own coordinates and every coordinate at full precision, so that
// each pin's circle is at the solver's point. Each layer is a group; with
// several sheets each sheet is a group of its own, placed side by side.
#pragma once

#include <string>

#include "DrawingModel.h"

std::string SvgText(const Drawing& drawing);
