// Prints the image of a window on one page of the default printer, scaled by
// the printer's dots per inch over the screen's 96; without a printer the page
// goes to a PDF file in the working folder and the user is told its name.
#pragma once

#include <QString>
#include <QWidget>

class WindowPrinter {
 public:
  // Returns the PDF file written, or an empty string when a printer took it.
  // Throws std::runtime_error when printing fails.
  static QString Print(QWidget* window, const QString& pdfBaseName);
};
