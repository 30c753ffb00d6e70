// Prints a window as vectors: QWidget::render paints it at its logical size
// (1/96 inch per pixel) onto a page of the printer chosen in the print dialog,
// or, with no printer installed, into a PDF file named in a save dialog.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class QPrinter;

class WindowPrinter {
 public:
  // The questions printing asks the user; tests replace them so that no modal
  // dialog waits for an answer.
  struct Dialogs {
    std::function<bool()> printerInstalled;
    // Lets the user set up the printer; false when cancelled.
    std::function<bool(QPrinter& printer, QWidget* parent)> choosePrinter;
    // The PDF file to write, starting from the suggested one; empty when cancelled.
    std::function<QString(QWidget* parent, const QString& suggested)> choosePdfFile;
  };
  // Replaces the dialogs in force (nullptr restores the real ones).
  static void SetDialogs(const Dialogs* dialogs);

  // Prints the window under the title (also the PDF's title and the base of
  // its suggested name). Returns the PDF file written, or an empty string when
  // a printer took the page or the user cancelled. Throws std::runtime_error
  // when printing fails.
  static QString Print(QWidget* window, const QString& title);
};
