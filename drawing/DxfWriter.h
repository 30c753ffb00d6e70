// The drawing as DXF text (AutoCAD 2000), written through dxflib: one layer
// per kind of line, $INSUNITS from the length unit, arcs as ARC and circles
// as CIRCLE entities. One sheet goes into model space at its own coordinates;
// several go in as one block each, inserted side by side.
#pragma once

#include <optional>
#include <string>

#include "DrawingModel.h"

// The DXF text, or empty with `reason` set when dxflib did not finish it.
std::optional<std::string> DxfText(const Drawing& drawing, std::string& reason);
