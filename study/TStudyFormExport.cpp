// The exports: the CSV and the PDF are put in place whole by the store (a
// temporary file renamed over the old one), and no export may replace the
// data file of the engines, whatever path or link names it (the printing
// layer's one refusal). A failure names the file and the system's reason.
#include <QDir>
#include <QFileDialog>
#include <QPrinter>

#include "BoxText.h"
#include "QtPrompter.h"
#include "StudyCsvFile.h"
#include "StudyPrinter.h"
#include "StudySummaryText.h"
#include "TStudyForm.h"
#include "WindowPrinter.h"

namespace {

void Say(const QString& text) {
  AppPrompter().Inform("Message", text.toStdString());
}

}  // namespace

QString TStudyForm::ExportRefusal(const QString& path) const {
  return WindowPrinter::DataFileRefusal(path, model_.dataFile());
}

QString TStudyForm::SuggestedFile(const QString& suffix) const {
  QString name = LbName->text().trimmed();
  // A name may hold characters a file name cannot.
  for (QChar& c : name)
    if (c == '/' || c == '\\' || c.category() == QChar::Other_Control) c = '_';
  if (name.isEmpty() || name.startsWith('.')) name.prepend("study");
  return QDir::current().absoluteFilePath(name + suffix);
}

void TStudyForm::ExportCsv(const QString& path) {
  const QString refusal = ExportRefusal(path);
  if (!refusal.isEmpty()) return Say(refusal);
  // With a play, the band columns the sweep tool's --play --csv writes.
  const std::string name = LbName->text().toStdString();
  const FileWrite written = played_
                                ? WriteStudyCsvFile(*played_, name, path.toStdString(), model_.lengthUnit())
                                : WriteStudyCsvFile(study_, name, path.toStdString(), model_.lengthUnit());
  if (!written.ok())
    Say(QString("Cannot write the CSV file \"%1\": %2.")
            .arg(QDir::toNativeSeparators(path), QString::fromStdString(written.reason)));
}

void TStudyForm::ExportPdf(const QString& path) {
  const QString refusal = ExportRefusal(path);
  if (!refusal.isEmpty()) return Say(refusal);
  const QByteArray pdf = StudyPrinter::Pdf(PrintedPage());
  const FileWrite written = WriteFileAtomically(path.toStdString(), pdf.toStdString());
  if (!written.ok())
    Say(QString("Cannot write the PDF file \"%1\": %2.")
            .arg(QDir::toNativeSeparators(path), QString::fromStdString(written.reason)));
}

StudyPrinter::Page TStudyForm::PrintedPage() const {
  const QString valves = CbValveSetting->itemText(study_.options.valveSetting == ValveSetting::equalCutOff);
  QString heading = QString("%1: %2, %3 set at %4 deg.")
                        .arg(windowTitle(), LbName->text(), valves, BoxText::Format(study_.settingDeg));
  if (comparedEngine_) heading += ", compared with " + comparedName_;
  return {heading, LbSummary->text().split('\n'),
          comparedEngine_ ? LbComparedSummary->text().split('\n') : QStringList(), Charts, &tableModel_};
}

void TStudyForm::CsvClick() {
  if (!haveStudy_ || study_.rows.empty()) return Say("There is no study to export.");
  const QString path = QFileDialog::getSaveFileName(this, "Export the study as CSV", SuggestedFile(".csv"),
                                                    "CSV files (*.csv)");
  if (!path.isEmpty()) ExportCsv(path);
}

void TStudyForm::PdfClick() {
  if (!haveStudy_ || study_.rows.empty()) return Say("There is no study to print.");
  const QString path =
      QFileDialog::getSaveFileName(this, "Save the study as PDF", SuggestedFile(".pdf"), "PDF files (*.pdf)");
  if (!path.isEmpty()) ExportPdf(path);
}

void TStudyForm::PrintClick() {
  if (!haveStudy_ || study_.rows.empty()) return Say("There is no study to print.");
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Landscape);
  const WindowPrinter::Destination to =
      WindowPrinter::Choose(printer, this, SuggestedFile(".pdf"), model_.dataFile());
  if (to.kind == WindowPrinter::Destination::Kind::refused) return Say(to.refusal);
  if (to.kind != WindowPrinter::Destination::Kind::chosen) return;
  // Printing to a file is a PDF export, written whole as one.
  if (!to.pdf.isEmpty()) return ExportPdf(to.pdf);
  StudyPrinter::Render(printer, PrintedPage());
}
