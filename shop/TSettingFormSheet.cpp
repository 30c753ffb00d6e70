// The record sheet a fitter takes to the engine: the engine, the side, the
// date, the readings as read (with the fit's figures once fitted), the
// deviations, the chosen correction in the order of work and the readings
// predicted after it with blank columns for the readings taken then; printed
// or written as a PDF through the one way every window prints.
#include <QBuffer>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextDocument>
#include <QUrl>

#include "BoxText.h"
#include "QtPrompter.h"
#include "TSettingForm.h"
#include "TextFile.h"
#include "WindowPrinter.h"

namespace {

void Say(const QString& text) {
  AppPrompter().Inform("Message", text.toStdString());
}

QString Escaped(const QString& s) {
  return s.toHtmlEscaped();
}

QString Row(const QStringList& cells, const char* tag = "td") {
  QString html = "<tr>";
  for (const QString& c : cells) html += QString("<%1>%2</%1>").arg(tag, c.isEmpty() ? "&nbsp;" : Escaped(c));
  return html + "</tr>";
}

// The table as shown; the column `writeIn` is wide enough to write a figure in by hand.
QString TableOf(const QTableWidget* table, const QList<int>& columns, int writeIn = -1) {
  QString html = "<table border=1 cellspacing=0 cellpadding=3><thead><tr>";
  for (const int c : columns)
    html += QString("<th%1>%2</th>")
                .arg(c == writeIn ? " width=\"90\"" : "", Escaped(table->horizontalHeaderItem(c)->text()));
  html += "</tr></thead>";
  for (int r = 0; r < table->rowCount(); ++r) {
    QStringList cells;
    for (const int c : columns) {
      const auto* combo = qobject_cast<const QComboBox*>(table->cellWidget(r, c));
      const QTableWidgetItem* item = table->item(r, c);
      cells << (combo ? combo->currentText() : item ? item->text() : QString());
    }
    html += Row(cells);
  }
  return html + "</table>";
}

void Print(QPagedPaintDevice& device, const QString& html, const QImage& diagram) {
  QTextDocument document;
  document.addResource(QTextDocument::ImageResource, QUrl("diagram.png"), diagram);
  document.setHtml(html);
  document.print(&device);
}

}  // namespace

QString TSettingForm::ReadingsSheetHtml() const {
  QList<int> columns{angleColumn, endColumn, eventColumn, valueColumn, unitColumn, plusMinusColumn};
  if (result_) columns << fittedColumn << residualColumn;
  return "<h3>Readings</h3>" + TableOf(readingTable, columns, valueColumn);
}

QString TSettingForm::ResultSheetHtml() const {
  if (!result_ || chosen_ < 0) return {};
  QString html = "<h3>Gear as built</h3>" + TableOf(deviationTable, {0, 1, 2});
  html += notesHtml_;
  html += "<h3>Chosen correction</h3><p>" + LbOrder->text() + "</p>";
  const CorrectionOption& o = result_->setting.corrections.options[static_cast<std::size_t>(chosen_)];
  const auto& design = result_->setting.corrections.designWorstCutOffInequality;
  if (o.worstCutOffInequality)
    html += "<p>Worst cut-off inequality over the quadrant after it: " +
            BoxText::Format(*o.worstCutOffInequality) + " points of stroke" +
            (design ? " (the design's " + BoxText::Format(*design) + ")" : QString()) + ".</p>";
  // The fitter writes the readings taken after the work in the two blank columns.
  // The heading row repeats on every page the table runs over.
  html += "<h3>Readings after the correction</h3><table border=1 cellspacing=0 cellpadding=3><thead>" +
          Row({"Reading", "Design", "Predicted", "±"}, "th").chopped(5) +
          "<th width=\"110\">Read</th><th width=\"110\">Read again</th></tr></thead>";
  for (int r = 0; r < predictedTable->rowCount(); ++r) {
    QStringList cells;
    for (int c = 0; c < 4; ++c) cells << predictedTable->item(r, c)->text();
    html += Row(cells << QString() << QString());
  }
  html += "</table>";
  if (!diagram->empty()) html += "<p><img src=\"diagram.png\" width=\"640\"></p>";
  return html;
}

QString TSettingForm::SheetHtml() const {
  const QString name = BoxText::FromNameBytes(engine_ ? engine_->name : std::string());
  const QString side = EdSide->text().trimmed();
  QString html = "<h2>Valve setting record: " + Escaped(name) +
                 "</h2><p>Side: " + (side.isEmpty() ? QString("________") : Escaped(side)) +
                 " &nbsp; Date: " + QDate::currentDate().toString(Qt::ISODate) +
                 " &nbsp; Fitter: ________</p>";
  if (prepared_ && prepared_->design) html += "<p>The gear's " + Escaped(GearSentence()) + "</p>";
  return html + ReadingsSheetHtml() + ResultSheetHtml();
}

void TSettingForm::ExportPdf(const QString& path) {
  const QString refusal = WindowPrinter::DataFileRefusal(path, model_.dataFile());
  if (!refusal.isEmpty()) return Say(refusal);
  QByteArray pdf;
  {
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setTitle("Valve setting record");
    Print(writer, SheetHtml(), diagram->image());
  }
  const FileWrite written = WriteFileAtomically(path.toStdString(), pdf.toStdString());
  if (!written.ok())
    Say(QString("Cannot write the PDF file \"%1\": %2.")
            .arg(QDir::toNativeSeparators(path), QString::fromStdString(written.reason)));
}

void TSettingForm::PdfClick() {
  if (!engine_) return Say("There is no engine to make a record sheet for.");
  const QString path = QFileDialog::getSaveFileName(this, "Save the record sheet as PDF",
                                                    SuggestedName("setting", ".pdf"), "PDF files (*.pdf)");
  if (!path.isEmpty()) ExportPdf(path);
}

void TSettingForm::PrintClick() {
  if (!engine_) return Say("There is no engine to make a record sheet for.");
  QPrinter printer(QPrinter::HighResolution);
  const WindowPrinter::Destination to =
      WindowPrinter::Choose(printer, this, SuggestedName("setting", ".pdf"), model_.dataFile());
  if (to.kind == WindowPrinter::Destination::Kind::refused) return Say(to.refusal);
  if (to.kind != WindowPrinter::Destination::Kind::chosen) return;
  // Printing to a file is a PDF export, written whole as one.
  if (!to.pdf.isEmpty()) return ExportPdf(to.pdf);
  Print(printer, SheetHtml(), diagram->image());
}
