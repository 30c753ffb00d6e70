// Units are the device's own: each page is split by fractions of its paint
// rectangle and the text sized from it, so a printer and a PDF at any
// resolution give the same layout.
#include "StudyPrinter.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QLegendMarker>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <stdexcept>
#include <vector>

#include "RunFigures.h"

namespace {

constexpr int kPlotColumns = 4;

QFont PageFont(double pixels, bool bold = false) {
  QFont font("DejaVu Sans");
  font.setPixelSize(std::max(1, static_cast<int>(pixels)));
  font.setBold(bold);
  return font;
}

// The width every chart is laid out at for the page: wide enough for the
// longest legend's names side by side, each after its key. One width for all,
// so every chart is scaled alike into its cell and all print in one font size.
double LayoutWidth(const StudyCharts& charts) {
  double widest = 400;
  for (int plot = 0; plot < StudyCharts::kPlots; ++plot) {
    const QChart* chart = charts.view(plot)->chart();
    double names = 0;
    const QFontMetricsF metrics(chart->legend()->font());
    for (const QLegendMarker* marker : chart->legend()->markers())
      if (marker->isVisible()) names += metrics.horizontalAdvance(marker->label()) + 5 * metrics.height();
    widest = std::max(widest, names + 20);
  }
  return widest;
}

// Draws a chart laid out afresh for the target's shape at `width`, so it fills
// the cell instead of keeping the window's proportions, with its legend under
// the plot where the width leaves every name whole; the window's layout is
// restored.
void DrawChart(QPainter& painter, QChartView* view, const QRectF& target, double width) {
  QChart* chart = view->chart();
  const QSizeF shown = chart->size();
  const Qt::Alignment legendSide = chart->legend()->alignment();
  const QSizeF laidOut(width, width * target.height() / target.width());
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->resize(laidOut);
  view->scene()->render(&painter, target, QRectF(chart->pos(), laidOut));
  chart->legend()->setAlignment(legendSide);
  chart->resize(shown);
}

// The largest font up to `pixels` high in which `text` fits `width`.
QFont FittedFont(QPainter& painter, const QString& text, double pixels, double width, bool bold) {
  QFont font = PageFont(pixels, bold);
  const double wide = QFontMetricsF(font, painter.device()).horizontalAdvance(text);
  if (wide > width) font.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * width / wide)));
  return font;
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

// Each column is as wide as its widest text (title or figure, over every
// page, so the pages agree) and a gap; the font is made small enough for all
// of them to fit the page's width, so no figure ever runs into the next.
struct TableLayout {
  QFont font;
  std::vector<double> widths;
};

TableLayout LayOutTable(QPainter& painter, const QRectF& area, const StudyTableModel& table, int columns) {
  const double rowHeight = area.height() / (StudyPrinter::kRowsPerPage + 2);
  QFont font = PageFont(rowHeight * 0.7);
  const QFontMetricsF metrics(font, painter.device());
  std::vector<double> widths(static_cast<std::size_t>(columns), 0);
  for (int c = 0; c < columns; ++c) {
    double& width = widths[static_cast<std::size_t>(c)];
    for (const QString& line : PrintedTitle(table, c).split('\n'))
      width = std::max(width, metrics.horizontalAdvance(line));
    for (const StudyRow& row : table.rows())
      if (row.ok()) width = std::max(width, metrics.horizontalAdvance(table.CellText(row, c)));
    width += metrics.horizontalAdvance("00");
  }
  double total = 0;
  for (const double width : widths) total += width;
  const double shrink = std::min(1.0, area.width() / total);
  font.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * shrink)));
  for (double& width : widths) width *= shrink;
  return {font, widths};
}

void DrawTablePage(QPainter& painter, const QRectF& area, const StudyTableModel& table, int first) {
  const int columns = StudyTableModel::Columns() - 1;  // the error is written across its row
  const double rowHeight = area.height() / (StudyPrinter::kRowsPerPage + 2);
  const TableLayout layout = LayOutTable(painter, area, table, columns);
  painter.setFont(layout.font);
  std::vector<double> lefts{area.left()};
  for (const double width : layout.widths) lefts.push_back(lefts.back() + width);
  const auto cell = [&](int c, double top, double height) {
    const auto i = static_cast<std::size_t>(c);
    // Right-aligned, a gap's worth before the next column.
    return QRectF(lefts[i], top, layout.widths[i] * 0.9, height);
  };
  for (int c = 0; c < columns; ++c)
    painter.drawText(cell(c, area.top(), 2 * rowHeight), Qt::AlignRight | Qt::AlignBottom,
                     PrintedTitle(table, c));
  const int rows = std::min(table.rowCount(), first + StudyPrinter::kRowsPerPage);
  for (int r = first; r < rows; ++r) {
    const double top = area.top() + (r - first + 2) * rowHeight;
    const StudyRow& row = table.rows()[static_cast<std::size_t>(r)];
    for (int c = 0; c < (row.ok() ? columns : 1); ++c)
      painter.drawText(cell(c, top, rowHeight), Qt::AlignRight, table.CellText(row, c));
    if (!row.ok())
      painter.drawText(QRectF(lefts[1], top, area.right() - lefts[1], rowHeight), Qt::AlignLeft,
                       table.CellText(row, columns));
  }
}

void DrawFirstPage(QPainter& painter, const QRectF& all, const StudyPrinter::Page& page) {
  painter.setFont(FittedFont(painter, page.heading, all.height() / 45, all.width(), true));
  painter.drawText(QRectF(all.left(), all.top(), all.width(), all.height() * 0.04), Qt::AlignLeft,
                   page.heading);
  painter.setFont(PageFont(all.height() / 80));
  const bool compared = !page.comparedSummary.isEmpty();
  const double summaryWidth = compared ? all.width() * 0.49 : all.width();
  const QRectF summary(all.left(), all.top() + all.height() * 0.045, summaryWidth, all.height() * 0.12);
  painter.drawText(summary, Qt::AlignLeft | Qt::TextWordWrap, page.summary.join("\n"));
  if (compared)
    painter.drawText(summary.translated(all.width() * 0.51, 0), Qt::AlignLeft | Qt::TextWordWrap,
                     page.comparedSummary.join("\n"));
  const double plotTop = all.top() + all.height() * 0.17, plotHeight = (all.bottom() - plotTop) / 2;
  const double plotWidth = all.width() / kPlotColumns;
  const double layoutWidth = LayoutWidth(*page.charts);
  for (int plot = 0; plot < StudyCharts::kPlots; ++plot)
    DrawChart(painter, page.charts->view(plot),
              QRectF(all.left() + (plot % kPlotColumns) * plotWidth,
                     plotTop + (plot / kPlotColumns) * plotHeight, plotWidth * 0.98, plotHeight * 0.98),
              layoutWidth);
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
    const QString heading = QString("%1  (notches, page %2 of %3)").arg(page.heading).arg(p + 1).arg(pages);
    painter.setFont(FittedFont(painter, heading, all.height() / 60, all.width(), true));
    painter.drawText(QRectF(all.left(), all.top(), all.width(), all.height() * 0.04), Qt::AlignLeft, heading);
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
