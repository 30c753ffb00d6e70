// Units are the device's own: the page is split by fractions of its paint
// rectangle and the text sized in points, so a printer and a PDF at any
// resolution give the same layout.
#include "StudyPrinter.h"

#include <QPainter>
#include <QPdfWriter>
#include <stdexcept>

namespace {

// The printed columns (angle, events, leads, port openings) under short titles.
constexpr int kPrinted[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
constexpr const char* kPrintedTitles[] = {"Deg.", "Adm B", "Co B",   "Ex B",   "Cp B",   "Adm F", "Co F",
                                          "Ex F", "Cp F",  "Lead B", "Lead F", "Port B", "Port F"};
constexpr int kPrintedCount = sizeof kPrinted / sizeof kPrinted[0];

// Draws a chart laid out afresh for the target's shape, so it fills the cell
// instead of keeping the window's proportions; the window's size is restored.
void DrawChart(QPainter& painter, QChartView* view, const QRectF& target) {
  QChart* chart = view->chart();
  const QSizeF shown = chart->size();
  const QSizeF laidOut(520, 520 * target.height() / target.width());
  chart->resize(laidOut);
  view->scene()->render(&painter, target, QRectF(chart->pos(), laidOut));
  chart->resize(shown);
}

void DrawTable(QPainter& painter, const QRectF area, const StudyTableModel& table) {
  const int rows = table.rowCount();
  const int blocks = rows <= 45 ? 1 : rows <= 90 ? 2 : 3;
  const int perBlock = (rows + blocks - 1) / blocks;
  const double rowHeight = area.height() / (perBlock + 2);
  const double blockWidth = area.width() / blocks, cellWidth = blockWidth * 0.96 / kPrintedCount;
  QFont font("DejaVu Sans");
  font.setPixelSize(std::max(1, static_cast<int>(std::min(rowHeight * 0.8, cellWidth / 5.5))));
  painter.setFont(font);
  for (int b = 0; b < blocks; ++b) {
    const double left = area.left() + b * blockWidth;
    for (int c = 0; c < kPrintedCount; ++c)
      painter.drawText(QRectF(left + c * cellWidth, area.top(), cellWidth, 2 * rowHeight),
                       Qt::AlignRight | Qt::AlignBottom, kPrintedTitles[c]);
    for (int r = b * perBlock; r < std::min(rows, (b + 1) * perBlock); ++r) {
      const double top = area.top() + (r - b * perBlock + 2) * rowHeight;
      const StudyRow& row = table.rows()[static_cast<std::size_t>(r)];
      if (!row.ok()) {
        painter.drawText(QRectF(left, top, cellWidth, rowHeight), Qt::AlignRight,
                         StudyTableModel::CellText(row, 0));
        painter.drawText(QRectF(left + 1.3 * cellWidth, top, blockWidth - 1.3 * cellWidth, rowHeight),
                         Qt::AlignLeft, "did not assemble");
        continue;
      }
      for (int c = 0; c < kPrintedCount; ++c)
        painter.drawText(QRectF(left + c * cellWidth, top, cellWidth, rowHeight), Qt::AlignRight,
                         StudyTableModel::CellText(row, kPrinted[c]));
    }
  }
}

}  // namespace

void StudyPrinter::Render(QPagedPaintDevice& device, const Page& page) {
  QPainter painter;
  if (!painter.begin(&device)) throw std::runtime_error("The page could not be started.");
  const QRectF all(0, 0, device.width(), device.height());
  QFont font("DejaVu Sans");
  font.setPixelSize(static_cast<int>(all.height() / 45));
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(QRectF(all.left(), all.top(), all.width(), all.height() * 0.04), Qt::AlignLeft,
                   page.heading);
  font.setBold(false);
  font.setPixelSize(static_cast<int>(all.height() / 70));
  painter.setFont(font);
  painter.drawText(QRectF(all.left(), all.top() + all.height() * 0.04, all.width(), all.height() * 0.06),
                   Qt::AlignLeft, page.summary.join("\n"));
  const double plotTop = all.top() + all.height() * 0.11, plotHeight = all.height() * 0.36;
  const double plotWidth = all.width() / StudyCharts::kPlots;
  for (int plot = 0; plot < StudyCharts::kPlots; ++plot) {
    DrawChart(painter, page.charts->view(plot),
              QRectF(all.left() + plot * plotWidth, plotTop, plotWidth * 0.98, plotHeight));
  }
  DrawTable(painter,
            QRectF(all.left(), plotTop + plotHeight * 1.03, all.width(),
                   all.bottom() - plotTop - plotHeight * 1.03),
            *page.table);
  painter.end();
}

void StudyPrinter::WritePdf(const QString& path, const Page& page) {
  QPdfWriter pdf(path);
  pdf.setPageSize(QPageSize(QPageSize::A4));
  pdf.setPageOrientation(QPageLayout::Landscape);
  pdf.setResolution(600);
  pdf.setTitle(page.heading);
  Render(pdf, page);
}
