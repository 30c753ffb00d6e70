// The quadrant study on one landscape page: a heading, the summary, the four
// plots in a row and the table of notches in as many side-by-side blocks as
// fit, all drawn as vectors through QPainter (QPdfWriter or QPrinter).
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
    const StudyCharts* charts;
    const StudyTableModel* table;
  };

  // Lays the page out on a device already set to landscape; throws
  // std::runtime_error when painting cannot start.
  static void Render(QPagedPaintDevice& device, const Page& page);
  // Writes the page as a PDF file; throws std::runtime_error on failure.
  static void WritePdf(const QString& path, const Page& page);
};
