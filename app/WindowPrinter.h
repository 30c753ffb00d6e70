// Where every window's pages go, asked one way (the print dialog, or with no
// printer installed a PDF file named in a save dialog), and the one refusal of
// the data file for every file the user names; and a window printed as vectors
// (QWidget::render at its logical size, 1/96 inch per pixel).
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <string>

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

  // The sentence refusing to write path because it is the data file (the same
  // file by device and inode, however spelled or linked); empty when it is not.
  static QString DataFileRefusal(const QString& path, const std::string& dataFile);

  // Where the pages go: to the printer as set up, or into the file pdf names.
  struct Destination {
    enum class Kind { cancelled, refused, chosen };
    Kind kind = Kind::cancelled;
    QString pdf;      // the file the pages go to; empty for a printer
    QString refusal;  // why a file was refused; nothing may be written then
  };
  // Asks where the pages go: the print dialog when a printer is installed,
  // else a PDF file (starting from `suggested`, ".pdf" added when it has no
  // suffix) set as the printer's output. The data file is never a destination.
  static Destination Choose(QPrinter& printer, QWidget* parent, const QString& suggested,
                            const std::string& dataFile);

  // Prints the window under the title (also the PDF's title and the base of
  // its suggested name). Returns the PDF file written, or an empty string when
  // a printer took the page, the user cancelled or the file was refused (said
  // to the user). Throws std::runtime_error when printing fails.
  static QString Print(QWidget* window, const QString& title, const std::string& dataFile);
};
