// Units are the device's own: each page is split by fractions of its paint
// rectangle and the text sized from it, so a printer and a PDF at any
// resolution give the same layout.
#include "StudyPrinter.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <stdexcept>

#include "RunFigures.h"

namespace {

constexpr int kPlotColumns = 4;

QFont PageFont(double pixels, bool bold = false) {
  QFont font("DejaVu Sans");
  font.setPixelSize(std::max(1, static_cast<int>(pixels)));
  font.setBold(bold);
  return font;
}

// Draws a chart laid out afresh for the target's shape, so it fills the cell
// instead of keeping the window's proportions; the window's size is restored.
void DrawChart(QPainter& painter, QChartView* view, const QRectF& target) {
  QChart* chart = view->chart();
  const QSizeF shown = chart->size();
  const QSizeF laidOut(400, 400 * target.height() / target.width());
  chart->resize(laidOut);
  view->scene()->render(&painter, target, QRectF(chart->pos(), laidOut));
  chart->resize(shown);
}

// The printed column titles: the figures' short names over their units.
QString PrintedTitle(const StudyTableModel& table, int column) {
  const int figures = static_cast<int>(RunFigures().size());
  const char* const indicator[] = {"mepB", "mepF", "Imb."};
  QString name = column == 0         ? "Deg."
                 : column <= figures ? RunFigures()[column - 1].shortName
                                     : indicator[column - 1 - figures];
  const QString title = table.ColumnTitle(column);
  const qsizetype unit = title.indexOf("\n(");
  return unit < 0 ? name : name + title.mid(unit);
}

void DrawTablePage(QPainter& painter, const QRectF& area, const StudyTableModel& table, int first) {
  const int columns = StudyTableModel::Columns() - 1;  // the error is written across its row
  const double rowHeight = area.height() / (StudyPrinter::kRowsPerPage + 2);
  const double cellWidth = area.width() / columns;
  painter.setFont(PageFont(std::min(rowHeight * 0.7, cellWidth / 4.5)));
  for (int c = 0; c < columns; ++c)
    painter.drawText(QRectF(area.left() + c * cellWidth, area.top(), cellWidth * 0.95, 2 * rowHeight),
                     Qt::AlignRight | Qt::AlignBottom, PrintedTitle(table, c));
  const int rows = std::min(table.rowCount(), first + StudyPrinter::kRowsPerPage);
  for (int r = first; r < rows; ++r) {
    const double top = area.top() + (r - first + 2) * rowHeight;
    const StudyRow& row = table.rows()[static_cast<std::size_t>(r)];
    for (int c = 0; c < (row.ok() ? columns : 1); ++c)
      painter.drawText(QRectF(area.left() + c * cellWidth, top, cellWidth * 0.95, rowHeight), Qt::AlignRight,
                       table.CellText(row, c));
    if (!row.ok())
      painter.drawText(QRectF(area.left() + 1.3 * cellWidth, top, area.width() - 1.3 * cellWidth, rowHeight),
                       Qt::AlignLeft, table.CellText(row, columns));
  }
}

void DrawFirstPage(QPainter& painter, const QRectF& all, const StudyPrinter::Page& page) {
  painter.setFont(PageFont(all.height() / 45, true));
  painter.drawText(QRectF(all.left(), all.top(), all.width(), all.height() * 0.04), Qt::AlignLeft,
                   page.heading);
  painter.setFont(PageFont(all.height() / 75));
  const bool compared = !page.comparedSummary.isEmpty();
  const double summaryWidth = compared ? all.width() * 0.49 : all.width();
  const QRectF summary(all.left(), all.top() + all.height() * 0.045, summaryWidth, all.height() * 0.1);
  painter.drawText(summary, Qt::AlignLeft | Qt::TextWordWrap, page.summary.join("\n"));
  if (compared)
    painter.drawText(summary.translated(all.width() * 0.51, 0), Qt::AlignLeft | Qt::TextWordWrap,
                     page.comparedSummary.join("\n"));
  const double plotTop = all.top() + all.height() * 0.15, plotHeight = (all.bottom() - plotTop) / 2;
  const double plotWidth = all.width() / kPlotColumns;
  for (int plot = 0; plot < StudyCharts::kPlots; ++plot)
    DrawChart(painter, page.charts->view(plot),
              QRectF(all.left() + (plot % kPlotColumns) * plotWidth,
                     plotTop + (plot / kPlotColumns) * plotHeight, plotWidth * 0.98, plotHeight * 0.98));
}

}  // namespace

void StudyPrinter::Render(QPagedPaintDevice& device, const Page& page) {
  QPainter painter;
  if (!painter.begin(&device)) throw std::runtime_error("The page could not be started.");
  const QRectF all(0, 0, device.width(), device.height());
  DrawFirstPage(painter, all, page);
  const int rows = page.table->rowCount(), pages = (rows + kRowsPerPage - 1) / kRowsPerPage;
  for (int p = 0; p < pages; ++p) {
    device.newPage();
    painter.setFont(PageFont(all.height() / 60, true));
    painter.drawText(QRectF(all.left(), all.top(), all.width(), all.height() * 0.04), Qt::AlignLeft,
                     QString("%1  (notches, page %2 of %3)").arg(page.heading).arg(p + 1).arg(pages));
    DrawTablePage(painter,
                  QRectF(all.left(), all.top() + all.height() * 0.05, all.width(), all.height() * 0.95),
                  *page.table, p * kRowsPerPage);
  }
  painter.end();
}

QByteArray StudyPrinter::Pdf(const Page& page) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter pdf(&buffer);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageOrientation(QPageLayout::Landscape);
    pdf.setResolution(600);
    pdf.setTitle(page.heading);
    Render(pdf, page);
  }
  return buffer.data();
}
