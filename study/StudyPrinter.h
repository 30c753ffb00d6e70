// The quadrant study on landscape pages: the heading, the summaries and the
// plots on the first page, then the table of notches on as many pages as it
// needs, all drawn as vectors through QPainter (QPdfWriter or QPrinter).
#pragma once

#include <QPagedPaintDevice>
#include <QString>
#include <QStringList>

#include "StudyCharts.h"
#include "StudyTableModel.h"

class StudyPrinter {
 public:
  struct Page {
    QString heading;
    QStringList summary;
    QStringList comparedSummary;  // printed beside the summary; empty when nothing is compared
    const StudyCharts* charts;
    const StudyTableModel* table;
  };

  // Lays the pages out on a device already set to landscape; throws
  // std::runtime_error when painting cannot start.
  static void Render(QPagedPaintDevice& device, const Page& page);
  // The pages as a PDF document.
  static QByteArray Pdf(const Page& page);
  // The number of table rows a page holds.
  static constexpr int kRowsPerPage = 40;
};
