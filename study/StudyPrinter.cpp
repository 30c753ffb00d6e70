// Units are the device's own: the page is split by fractions of its paint
// rectangle and the text sized in points, so a printer and a PDF at any
// resolution give the same layout.
#include "StudyPrinter.h"

#include <QPainter>
#include <QPdfWriter>
#include <stdexcept>

namespace {

// The printed columns: angle, the events, leads and port openings.
constexpr int kPrinted[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
constexpr int kPrintedCount = sizeof kPrinted / sizeof kPrinted[0];

void DrawTable(QPainter& painter, const QRectF area, const StudyTableModel& table) {
  const int rows = table.rowCount();
  const int blocks = rows <= 45 ? 1 : rows <= 90 ? 2 : 3;
  const int perBlock = (rows + blocks - 1) / blocks;
  const double rowHeight = area.height() / (perBlock + 2);
  const double blockWidth = area.width() / blocks, cellWidth = blockWidth * 0.96 / kPrintedCount;
  QFont font("DejaVu Sans");
  font.setPixelSize(std::max(1, static_cast<int>(rowHeight * 0.8)));
  painter.setFont(font);
  for (int b = 0; b < blocks; ++b) {
    const double left = area.left() + b * blockWidth;
    for (int c = 0; c < kPrintedCount; ++c)
      painter.drawText(QRectF(left + c * cellWidth, area.top(), cellWidth, 2 * rowHeight),
                       Qt::AlignRight | Qt::AlignBottom, StudyTableModel::ColumnTitle(kPrinted[c]));
    for (int r = b * perBlock; r < std::min(rows, (b + 1) * perBlock); ++r) {
      const double top = area.top() + (r - b * perBlock + 2) * rowHeight;
      const StudyRow& row = table.rows()[static_cast<std::size_t>(r)];
      const QString error = row.ok() ? "" : "  did not assemble";
      for (int c = 0; c < kPrintedCount; ++c)
        painter.drawText(QRectF(left + c * cellWidth, top, cellWidth, rowHeight), Qt::AlignRight,
                         StudyTableModel::CellText(row, kPrinted[c]) + (c == 1 ? error : ""));
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
    QChartView* view = page.charts->view(plot);
    view->render(&painter, QRectF(all.left() + plot * plotWidth, plotTop, plotWidth * 0.98, plotHeight),
                 view->viewport()->rect());
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
