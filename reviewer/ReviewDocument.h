// The review as a printed document: the window's tables as HTML laid out on
// the pages of the device it goes to, every figure on one line of its cell
// (the cells keep their lines whole, only the columns named for it wrap
// their words), and a table too wide for the page printed in groups of
// columns, each on a page of its own with the table's row headers again. A
// table's header row is repeated on every page it runs over.
#pragma once

#include <QPaintDevice>
#include <QString>
#include <QTableWidget>
#include <QTextDocument>
#include <utility>
#include <vector>

class ReviewDocument {
 public:
  struct Part {
    QString heading;
    QString note;  // a sentence under the heading, plain text
    const QTableWidget* table = nullptr;
    bool rowHeaders = false;    // the table's row headers printed as a first column
    std::vector<int> wrapping;  // columns whose words may wrap; none: the table is split instead
    // Columns whose items, parted by the separator, are printed one a line.
    std::vector<std::pair<int, QString>> lists;
  };

  // Fills `document` for pages of `device`: laid out on the device itself,
  // the page its paintable area, so print() puts every line where it was measured.
  static void Fill(QTextDocument& document, QPaintDevice& device, const QString& title, const QString& status,
                   const std::vector<Part>& parts);

 private:
  static QString TableHtml(const Part& part, int first, int last);
  static std::vector<std::pair<int, int>> ColumnGroups(const Part& part, QPaintDevice& device,
                                                       const QFont& font, qreal pageWidth);
};
