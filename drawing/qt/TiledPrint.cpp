// Each page maps millimetres on paper to device pixels from the printer's
// resolution, then drawing units to millimetres: the painter's transform is
// the only scale, so the print is 1:1 whatever the page or printer. Whether a
// page has anything of the drawing on it is seen by painting its tile, with
// the same transform, into a small antialiased image (2 pixels a millimetre:
// the thinnest line still greys a pixel) and looking for any pixel not white.
#include "TiledPrint.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

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
void Footer(QPainter& p, const TilePlan& plan, double pxPerMm, int row, int column, const QString& title,
            int page, int pages) {
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
                                               .arg(page)
                                               .arg(pages)
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

constexpr double kProbePxPerMm = 2;

struct SheetTiles {
  Drawing sheet;
  QString title;
  TilePlan plan;
  std::vector<std::pair<int, int>> inked;  // (row, column) of the pages printed
};

// The tile's part of the drawing, painted with the painter at the tile's corner.
void PaintTile(QPainter& p, const Drawing& sheet, const TilePlan& plan, int row, int column, double pxPerMm) {
  const double mmPerUnit = MillimetresPerUnit(sheet.unit);
  p.save();
  p.setClipRect(QRectF(0, 0, plan.tileWidthMm * pxPerMm, plan.tileHeightMm * pxPerMm));
  // Paper millimetres of this tile's corner, then drawing units with y up.
  p.scale(pxPerMm, pxPerMm);
  p.translate(-(plan.leftMm + column * (plan.tileWidthMm - plan.overlapMm)),
              plan.topMm - row * (plan.tileHeightMm - plan.overlapMm));
  p.scale(mmPerUnit, -mmPerUnit);
  PaintDrawing(p, sheet);
  p.restore();
}

bool Inked(const Drawing& sheet, const TilePlan& plan, int row, int column) {
  QImage tile(std::max(1, static_cast<int>(std::ceil(plan.tileWidthMm * kProbePxPerMm))),
              std::max(1, static_cast<int>(std::ceil(plan.tileHeightMm * kProbePxPerMm))),
              QImage::Format_RGB32);
  tile.fill(Qt::white);
  QPainter p(&tile);
  p.setRenderHint(QPainter::Antialiasing);
  PaintTile(p, sheet, plan, row, column, kProbePxPerMm);
  p.end();
  const QRgb white = QColor(Qt::white).rgb();
  for (int y = 0; y < tile.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(tile.constScanLine(y));
    for (int x = 0; x < tile.width(); ++x)
      if (line[x] != white) return true;
  }
  return false;
}

std::vector<SheetTiles> PlanSheets(const QPrinter& printer, const Drawing& drawing, const QString& title) {
  std::vector<SheetTiles> sheets;
  const QRectF page = printer.pageRect(QPrinter::Millimeter);
  for (const Sheet& one : drawing.sheets) {
    SheetTiles s{{drawing.unit, {one}}, title, {}, {}};
    if (drawing.sheets.size() > 1) s.title += " - " + QString::fromStdString(one.title);
    const double mmPerUnit = MillimetresPerUnit(drawing.unit);
    const Box world = DrawingBounds(s.sheet);
    const Box mm{world.left * mmPerUnit, world.bottom * mmPerUnit, world.right * mmPerUnit,
                 world.top * mmPerUnit};
    s.plan = PlanTiles(mm, page.width(), page.height(), drawing.unit);
    for (int row = 0; row < s.plan.rows; ++row)
      for (int column = 0; column < s.plan.columns; ++column)
        if (Inked(s.sheet, s.plan, row, column)) s.inked.emplace_back(row, column);
    sheets.push_back(std::move(s));
  }
  return sheets;
}

}  // namespace

TileCount CountTiles(const QPrinter& printer, const Drawing& drawing) {
  TileCount count;
  for (const SheetTiles& s : PlanSheets(printer, drawing, {})) {
    count.printed += static_cast<int>(s.inked.size());
    count.blank += s.plan.rows * s.plan.columns - static_cast<int>(s.inked.size());
  }
  return count;
}

int PrintTiled(QPrinter& printer, const Drawing& drawing, const QString& title) {
  const std::vector<SheetTiles> sheets = PlanSheets(printer, drawing, title);
  int pages = 0;
  for (const SheetTiles& s : sheets) pages += static_cast<int>(s.inked.size());
  QPainter p;
  if (pages == 0 || !p.begin(&printer)) return 0;
  p.setRenderHint(QPainter::Antialiasing);
  const double pxPerMm = printer.resolution() / 25.4;
  int page = 0;
  for (const SheetTiles& s : sheets)
    for (const auto& [row, column] : s.inked) {
      if (page++ > 0) printer.newPage();
      PaintTile(p, s.sheet, s.plan, row, column, pxPerMm);
      AlignmentMarks(p, s.plan, pxPerMm);
      Footer(p, s.plan, pxPerMm, row, column, s.title, page, pages);
    }
  p.end();
  return pages;
}
