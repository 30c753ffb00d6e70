// Printing through QPrinter with QWidget::render, so texts and lines stay
// vectors and pictures are embedded losslessly. The suggested PDF name gets a
// number when a file of that name exists, so an earlier print is not
// overwritten; the data file is told by the store's SameFile.
#include "WindowPrinter.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>
#include <QPicture>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>
#include <stdexcept>

#include "QtPrompter.h"
#include "SameFile.h"

namespace {

const WindowPrinter::Dialogs* injected = nullptr;

const WindowPrinter::Dialogs& RealDialogs() {
  static const WindowPrinter::Dialogs dialogs{[] { return !QPrinterInfo::availablePrinterNames().isEmpty(); },
                                              [](QPrinter& printer, QWidget* parent) {
                                                QPrintDialog dialog(&printer, parent);
                                                return dialog.exec() == QDialog::Accepted;
                                              },
                                              [](QWidget* parent, const QString& suggested) {
                                                return QFileDialog::getSaveFileName(
                                                    parent, "No printer is installed: save the page as PDF",
                                                    suggested, "PDF files (*.pdf)");
                                              }};
  return dialogs;
}

const WindowPrinter::Dialogs& Ask() {
  return injected != nullptr ? *injected : RealDialogs();
}

QString FreePdfName(const QString& base) {
  QString name = base + ".pdf";
  for (int n = 2; QFileInfo::exists(name); ++n) name = QString("%1 (%2).pdf").arg(base).arg(n);
  return QDir::current().absoluteFilePath(name);
}

// The window's painting as drawing commands. QWidget::render turns the window
// into one bitmap when it paints straight onto a printer; recorded into a
// QPicture and replayed there, texts and lines reach the page as vectors.
QPicture Recorded(QWidget* window) {
  QPicture picture;
  QPainter recorder(&picture);
  window->render(&recorder);
  recorder.end();
  return picture;
}

// Paints the window at its logical size from the top left of the printable
// area, made smaller only when it would not fit the page.
void RenderOnPage(QWidget* window, QPrinter& printer, const QString& target) {
  QPainter painter;
  if (!painter.begin(&printer))
    throw std::runtime_error(target.isEmpty() ? "The printer could not be started."
                                              : ("Cannot write \"" + target + "\".").toStdString());
  painter.setRenderHint(QPainter::LosslessImageRendering);
  const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
  const double perPixel = printer.resolution() / 96.0;
  const double scale = std::min({perPixel, page.width() / window->width(), page.height() / window->height()});
  const QPicture picture = Recorded(window);
  // Replaying scales the picture by the printer's dots per inch over its own.
  const double replay = double(printer.logicalDpiX()) / picture.logicalDpiX();
  painter.scale(scale / replay, scale / replay);
  painter.drawPicture(0, 0, picture);
  if (!painter.end()) throw std::runtime_error("The page could not be finished.");
}

}  // namespace

void WindowPrinter::SetDialogs(const Dialogs* dialogs) {
  injected = dialogs;
}

QString WindowPrinter::DataFileRefusal(const QString& path, const std::string& dataFile) {
  if (path.isEmpty() || dataFile.empty() || !SameFile(path.toStdString(), dataFile)) return {};
  // Another spelling or a link is followed by the data file's own path.
  const QString data = QDir::current().absoluteFilePath(QString::fromStdString(dataFile));
  const QString also = QDir::current().absoluteFilePath(path) == data
                           ? QString()
                           : QString(" (%1)").arg(QDir::toNativeSeparators(data));
  return QString(
             "\"%1\" is the data file of the engines%2; nothing was written over it. Choose another file.")
      .arg(QDir::toNativeSeparators(path), also);
}

WindowPrinter::Destination WindowPrinter::Choose(QPrinter& printer, QWidget* parent, const QString& suggested,
                                                 const std::string& dataFile) {
  Destination to;
  if (Ask().printerInstalled()) {
    if (!Ask().choosePrinter(printer, parent)) return to;
    if (printer.outputFormat() == QPrinter::PdfFormat) to.pdf = printer.outputFileName();
  } else {
    to.pdf = Ask().choosePdfFile(parent, suggested);
    if (to.pdf.isEmpty()) return to;
    if (QFileInfo(to.pdf).suffix().isEmpty()) to.pdf += ".pdf";
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(to.pdf);
  }
  to.refusal = DataFileRefusal(to.pdf, dataFile);
  to.kind = to.refusal.isEmpty() ? Destination::Kind::chosen : Destination::Kind::refused;
  return to;
}

QString WindowPrinter::Print(QWidget* window, const QString& title, const std::string& dataFile) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(title);
  printer.setCreator("Vardenlyke Zovuderiz");
  const Destination to = Choose(printer, window, FreePdfName(title), dataFile);
  if (to.kind == Destination::Kind::refused) AppPrompter().Inform("Message", to.refusal.toStdString());
  if (to.kind != Destination::Kind::chosen) return {};
  RenderOnPage(window, printer, to.pdf);
  return to.pdf;
}
