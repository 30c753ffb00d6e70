// The drawing at true size (1:1) over as many pages as it needs: pages
// overlap, crosses on the overlaps are printed on both neighbouring pages at
// the same place on the drawing, and each page carries a scale bar of stated
// length to check that nothing was rescaled on the way to paper. A page with
// nothing of the drawing on it is left out; the others keep their row and
// column in the grid, so neighbours still meet at their crosses.
#pragma once

#include <QPrinter>
#include <QString>

#include "DrawingModel.h"

struct TilePlan {
  int columns = 1, rows = 1;
  double tileWidthMm = 0, tileHeightMm = 0;  // the drawing's part of a page
  double overlapMm = 0;
  double leftMm = 0, topMm = 0;  // the drawing's corner, in mm on paper from its origin
  double scaleBarMm = 0;         // the bar's length on paper
  QString scaleBarText;          // its stated length: "100 mm", "4 in"
};

inline constexpr double kOverlapMm = 10;
inline constexpr double kFooterMm = 14;  // below the drawing: scale bar and page label

// The pages for a drawing of width x height mm on paper whose printable area
// is pageWidthMm x pageHeightMm.
TilePlan PlanTiles(Box drawingMm, double pageWidthMm, double pageHeightMm, LengthUnit unit);

// The pages a print on this printer's page gives, and those it leaves out
// for having nothing of the drawing on them.
struct TileCount {
  int printed = 0, blank = 0;
};
TileCount CountTiles(const QPrinter& printer, const Drawing& drawing);

// Paints every page with part of the drawing on the printer (already set up:
// page size, output), each sheet on pages of its own. Returns the number of
// pages, 0 when painting could not start.
int PrintTiled(QPrinter& printer, const Drawing& drawing, const QString& title);
