// Printing through QPrinter; the fallback PDF name gets a number when a file of
// that name already exists, so an earlier print is never overwritten.
#include "WindowPrinter.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <stdexcept>

#include "QtPrompter.h"

namespace {

QString FreePdfName(const QString& base) {
  QString name = base + ".pdf";
  for (int n = 2; QFileInfo::exists(name); ++n) name = QString("%1 (%2).pdf").arg(base).arg(n);
  return QDir::current().absoluteFilePath(name);
}

}  // namespace

QString WindowPrinter::Print(QWidget* window, const QString& pdfBaseName) {
  const QPixmap picture = window->grab();
  QPrinter printer(QPrinter::HighResolution);
  QString pdf;
  if (QPrinterInfo::defaultPrinter().isNull()) {
    pdf = FreePdfName(pdfBaseName);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
  }
  QPainter painter;
  if (!painter.begin(&printer))
    throw std::runtime_error(pdf.isEmpty() ? "The printer could not be started."
                                           : ("Cannot write \"" + pdf + "\".").toStdString());
  const double sx = printer.logicalDpiX() / 96.0;
  const double sy = printer.logicalDpiY() / 96.0;
  painter.drawPixmap(QRectF(0, 0, picture.width() * sx, picture.height() * sy), picture, picture.rect());
  painter.end();
  if (!pdf.isEmpty())
    AppPrompter().Inform("Message",
                         ("No printer is installed; the page was written to " + pdf).toStdString());
  return pdf;
}
