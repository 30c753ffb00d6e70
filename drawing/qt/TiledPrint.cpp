// Each page maps millimetres on paper to device pixels from the printer's
// resolution, then drawing units to millimetres: the painter's transform is
// the only scale, so the print is 1:1 whatever the page or printer.
#include "TiledPrint.h"

#include <QPainter>
#include <cmath>

#include "DrawingPainter.h"

namespace {

// Crosses at the overlaps' middles: the next page's crosses fall on the same
// points of the drawing.
void AlignmentMarks(QPainter& p, const TilePlan& plan, double pxPerMm) {
  p.setPen(QPen(Qt::black, 0.2 * pxPerMm));
  const double half = plan.overlapMm / 2, arm = 3;
  for (double x : {half, plan.tileWidthMm - half})
    for (double y : {half, plan.tileHeightMm - half}) {
      p.drawLine(QPointF((x - arm) * pxPerMm, y * pxPerMm), QPointF((x + arm) * pxPerMm, y * pxPerMm));
      p.drawLine(QPointF(x * pxPerMm, (y - arm) * pxPerMm), QPointF(x * pxPerMm, (y + arm) * pxPerMm));
    }
  p.setPen(QPen(Qt::gray, 0.1 * pxPerMm, Qt::DotLine));
  p.drawRect(QRectF(0, 0, plan.tileWidthMm * pxPerMm, plan.tileHeightMm * pxPerMm));
}

// The bar with a tick and a figure at each end, centred under the tick, and
// the page's place in the grid.
void Footer(QPainter& p, const TilePlan& plan, double pxPerMm, int row, int column, const QString& title) {
  const double y = (plan.tileHeightMm + 6) * pxPerMm, x0 = 5 * pxPerMm, x1 = x0 + plan.scaleBarMm * pxPerMm;
  p.setPen(QPen(Qt::black, 0.3 * pxPerMm));
  p.drawLine(QPointF(x0, y), QPointF(x1, y));
  for (double x : {x0, x1}) p.drawLine(QPointF(x, y - 2 * pxPerMm), QPointF(x, y + 1 * pxPerMm));
  QFont font("Sans Serif");
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(2.8 * pxPerMm))));
  p.setFont(font);
  const QFontMetricsF metrics(font);
  const QString bar = plan.scaleBarText.section(' ', 0, 0);
  p.drawText(QPointF(x0 - metrics.horizontalAdvance("0") / 2, y - 2.5 * pxPerMm), "0");
  p.drawText(QPointF(x1 - metrics.horizontalAdvance(bar) / 2, y - 2.5 * pxPerMm), bar);
  p.drawText(QPointF(x1 + 4 * pxPerMm, y + 1 * pxPerMm),
             "Scale bar " + plan.scaleBarText + ": measure it to check that the print is 1:1");
  p.drawText(QPointF(x0, y + 6 * pxPerMm), QString("Page %1 of %2 (row %3 of %4, column %5 of %6)  %7")
                                               .arg(row * plan.columns + column + 1)
                                               .arg(plan.rows * plan.columns)
                                               .arg(row + 1)
                                               .arg(plan.rows)
                                               .arg(column + 1)
                                               .arg(plan.columns)
                                               .arg(title));
}

}  // namespace

TilePlan PlanTiles(Box drawingMm, double pageWidthMm, double pageHeightMm, LengthUnit unit) {
  TilePlan plan;
  plan.overlapMm = kOverlapMm;
  plan.tileWidthMm = pageWidthMm;
  plan.tileHeightMm = pageHeightMm - kFooterMm;
  const auto count = [&](double length, double tile) {
    const double step = tile - plan.overlapMm;
    return step <= 0 ? 1 : std::max(1, static_cast<int>(std::ceil((length - plan.overlapMm) / step - 1e-9)));
  };
  plan.columns = count(drawingMm.width(), plan.tileWidthMm);
  plan.rows = count(drawingMm.height(), plan.tileHeightMm);
  plan.leftMm = drawingMm.left;
  plan.topMm = drawingMm.top;
  const bool inches = unit == LengthUnit::in;
  const double wanted = inches ? 4 * 25.4 : 100;
  const bool fits = wanted + 90 <= pageWidthMm;
  plan.scaleBarMm = fits ? wanted : wanted / 2;
  plan.scaleBarText = inches ? (fits ? "4 in" : "2 in") : (fits ? "100 mm" : "50 mm");
  return plan;
}

namespace {

// One sheet's pages, a new page before each but the document's first; returns their number.
int PrintSheet(QPrinter& printer, QPainter& p, const Drawing& sheet, const QString& title, bool first) {
  const double mmPerUnit = MillimetresPerUnit(sheet.unit);
  const Box world = DrawingBounds(sheet);
  const Box mm{world.left * mmPerUnit, world.bottom * mmPerUnit, world.right * mmPerUnit,
               world.top * mmPerUnit};
  const QRectF page = printer.pageRect(QPrinter::Millimeter);
  const TilePlan plan = PlanTiles(mm, page.width(), page.height(), sheet.unit);
  const double pxPerMm = printer.resolution() / 25.4;
  for (int row = 0; row < plan.rows; ++row)
    for (int column = 0; column < plan.columns; ++column) {
      if (!first || row + column > 0) printer.newPage();
      p.save();
      p.setClipRect(QRectF(0, 0, plan.tileWidthMm * pxPerMm, plan.tileHeightMm * pxPerMm));
      // Paper millimetres of this tile's corner, then drawing units with y up.
      p.scale(pxPerMm, pxPerMm);
      p.translate(-(plan.leftMm + column * (plan.tileWidthMm - plan.overlapMm)),
                  plan.topMm - row * (plan.tileHeightMm - plan.overlapMm));
      p.scale(mmPerUnit, -mmPerUnit);
      PaintDrawing(p, sheet);
      p.restore();
      AlignmentMarks(p, plan, pxPerMm);
      Footer(p, plan, pxPerMm, row, column, title);
    }
  return plan.rows * plan.columns;
}

}  // namespace

int PrintTiled(QPrinter& printer, const Drawing& drawing, const QString& title) {
  QPainter p;
  if (!p.begin(&printer)) return 0;
  p.setRenderHint(QPainter::Antialiasing);
  int pages = 0;
  for (const Sheet& sheet : drawing.sheets) {
    const Drawing one{drawing.unit, {sheet}};
    const QString sheetTitle =
        drawing.sheets.size() > 1 ? title + " - " + QString::fromStdString(sheet.title) : title;
    pages += PrintSheet(printer, p, one, sheetTitle, pages == 0);
  }
  p.end();
  return pages;
}
