// A table with no wrapping column is split greedily: columns are added to a
// group while a trial layout of the group on the same device is no wider
// than the page. A column wider than the page on its own still gets a group
// of its own, printed whole.
#include "ReviewDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QBrush>
#include <QFont>
#include <algorithm>

namespace {

constexpr qreal kPointSize = 8;

QString Escaped(const QString& text) {
  return text.toHtmlEscaped().replace('\n', "<br>");
}

QString CellHtml(const QTableWidgetItem* item, bool wraps, const QString& separator) {
  const bool shaded = item && item->background().style() != Qt::NoBrush;
  QString text = item ? item->text() : QString();
  if (!separator.isEmpty()) text.replace(separator, "\n");
  return QString("<td bgcolor=\"%1\"%2>%3</td>")
      .arg(shaded ? item->background().color().name() : QString("#ffffff"),
           wraps ? QString() : QString(" style=\"white-space: nowrap\""), Escaped(text));
}

void Prepare(QTextDocument& document, QPaintDevice& device, const QFont& font) {
  document.documentLayout()->setPaintDevice(&device);
  document.setDefaultFont(font);
  document.setDocumentMargin(0);
}

}  // namespace

QString ReviewDocument::TableHtml(const Part& part, int first, int last) {
  const QTableWidget* t = part.table;
  const auto wraps = [&part](int c) {
    return std::find(part.wrapping.begin(), part.wrapping.end(), c) != part.wrapping.end();
  };
  const auto separator = [&part](int c) {
    for (const auto& [column, text] : part.lists)
      if (column == c) return text;
    return QString();
  };
  QString html = "<table border=1 cellspacing=0 cellpadding=2><thead><tr>";
  if (part.rowHeaders) html += "<th></th>";
  for (int c = first; c < last; ++c)
    html += QString("<th%1>%2</th>")
                .arg(wraps(c) ? QString() : QString(" style=\"white-space: nowrap\""),
                     Escaped(t->horizontalHeaderItem(c) ? t->horizontalHeaderItem(c)->text() : QString()));
  html += "</tr></thead>";
  for (int r = 0; r < t->rowCount(); ++r) {
    html += "<tr>";
    if (part.rowHeaders)
      html += "<th align=left style=\"white-space: nowrap\">" +
              Escaped(t->verticalHeaderItem(r) ? t->verticalHeaderItem(r)->text() : QString()) + "</th>";
    for (int c = first; c < last; ++c) html += CellHtml(t->item(r, c), wraps(c), separator(c));
    html += "</tr>";
  }
  return html + "</table>";
}

std::vector<std::pair<int, int>> ReviewDocument::ColumnGroups(const Part& part, QPaintDevice& device,
                                                              const QFont& font, qreal pageWidth) {
  const int columns = part.table->columnCount();
  if (!part.wrapping.empty()) return {{0, columns}};
  const auto width = [&](int first, int last) {
    QTextDocument trial;
    Prepare(trial, device, font);
    trial.setHtml(TableHtml(part, first, last));
    return trial.idealWidth();
  };
  std::vector<std::pair<int, int>> groups;
  for (int first = 0; first < columns;) {
    int last = first + 1;
    while (last < columns && width(first, last + 1) <= pageWidth) ++last;
    groups.emplace_back(first, last);
    first = last;
  }
  return groups;
}

void ReviewDocument::Fill(QTextDocument& document, QPaintDevice& device, const QString& title,
                          const QString& status, const std::vector<Part>& parts) {
  QFont font = document.defaultFont();
  font.setPointSizeF(kPointSize);
  Prepare(document, device, font);
  const QSizeF page(device.width(), device.height());
  QString html = "<h3>" + title.toHtmlEscaped() + "</h3><p>" + status.toHtmlEscaped() + "</p>";
  for (const Part& part : parts) {
    if (!part.table || part.table->rowCount() == 0) continue;
    // A table split in groups starts on a page of its own, as each of its groups does.
    html += QString("<h4%1>").arg(part.wrapping.empty() && part.table != parts.front().table
                                      ? " style=\"page-break-before: always\""
                                      : "") +
            part.heading.toHtmlEscaped() + "</h4>";
    if (!part.note.isEmpty()) html += "<p>" + part.note.toHtmlEscaped() + "</p>";
    const auto groups = ColumnGroups(part, device, font, page.width());
    for (std::size_t g = 0; g < groups.size(); ++g) {
      if (g > 0)
        html += "<p style=\"page-break-before: always\"><b>" + part.heading.toHtmlEscaped() +
                ", continued</b></p>";
      html += TableHtml(part, groups[g].first, groups[g].second) + "<p></p>";
    }
  }
  document.setHtml(html);
  document.setPageSize(page);
}
