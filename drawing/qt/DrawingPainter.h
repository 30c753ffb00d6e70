// Paints a drawing's sheets with QPainter in the drawing's own coordinates:
// the caller's transform maps one drawing unit to its true size on the
// device, y upwards. Line widths are given in millimetres on paper.
#pragma once

#include <QPainter>

#include "DrawingModel.h"

// Millimetres per drawing unit: 25.4 for inches, 1 for millimetres and for
// drawings with no unit (printed as if in millimetres).
double MillimetresPerUnit(LengthUnit unit);

// The extent of all sheets as SheetPlaces lays them out.
Box DrawingBounds(const Drawing& drawing);

void PaintDrawing(QPainter& painter, const Drawing& drawing);
