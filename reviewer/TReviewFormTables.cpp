// The three tables and the printed page. Verdicts are coloured green, yellow
// and red; a sensitivity cell is shaded by its influence (the figure's change
// for 1 % of the dimension's scale) against the largest in its column, so the
// dimension that matters for a figure stands out down the column; the last
// column says how the usable range's ends move.
#include <QBrush>
#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextDocument>
#include <algorithm>
#include <cmath>

#include "BoxText.h"
#include "CheckHeadings.h"
#include "EngineSchema.h"
#include "NumberFormat.h"
#include "QtPrompter.h"
#include "ReviewDocument.h"
#include "TReviewForm.h"
#include "TextFile.h"
#include "WindowPrinter.h"

namespace {

QColor VerdictColour(std::optional<Verdict> verdict) {
  if (!verdict) return QColor(235, 235, 235);
  switch (*verdict) {
    case Verdict::good:
      return QColor(190, 235, 190);
    case Verdict::fair:
      return QColor(250, 230, 140);
    case Verdict::poor:
      return QColor(245, 170, 170);
  }
  return {};
}

QString Figure(const std::optional<double>& value) {
  return value ? BoxText::Format(*value) : QString("none");
}

QString Limit(const CheckRule& r, bool good) {
  const double lo = good ? r.good : r.fair, hi = good ? r.goodHi : r.fairHi;
  switch (r.sense) {
    case CheckSense::lower:
      return "<= " + BoxText::Format(lo);
    case CheckSense::higher:
      return ">= " + BoxText::Format(lo);
    case CheckSense::band:
      return BoxText::Format(lo) + " to " + BoxText::Format(hi);
  }
  return {};
}

QString VerdictText(std::optional<Verdict> verdict) {
  return verdict ? VerdictKey(*verdict) : "-";
}

QTableWidgetItem* Cell(const QString& text, const QString& tip = {}) {
  auto* item = new QTableWidgetItem(text);
  if (!tip.isEmpty()) item->setToolTip(tip);
  return item;
}

QString EndMove(const std::optional<Sensitivity>& end) {
  if (!end) return "-";
  return end->perPercent ? BoxText::Format(*end->perPercent) : "(" + BoxText::Format(end->perUnit) + "/unit)";
}

// Each end's move in degrees for 1 % of the dimension (per unit where it is
// zero), signed as the range's angles: the end above mid-gear, then below.
void FillRangeEndColumn(QTableWidget* table, int column, const SensitivityTable& sensitivities) {
  for (const DimensionSensitivity& d : sensitivities.dimensions) {
    if (!d.used) continue;
    table->setItem(static_cast<int>(d.dimension), column,
                   Cell(EndMove(d.rangeEnds[0]) + " / " + EndMove(d.rangeEnds[1]),
                        "The usable range's end above mid-gear / below it: its move in deg. for 1 % of the "
                        "dimension (angles positive downwards)"));
  }
}

void Say(const QString& text) {
  AppPrompter().Inform("Message", text.toStdString());
}

}  // namespace

void TReviewForm::FillCheckRow(int row, std::size_t check) {
  const CheckSpec& entry = ReviewChecks()[check];
  const auto verdict = review_->VerdictOf(check);
  const QString why = entry.why;
  checkTable->setItem(row, 0, Cell(entry.title, why));
  checkTable->setItem(row, 1, Cell(Figure(review_->figures[check]), why));
  checkTable->setItem(row, 2, Cell(entry.unit));
  checkTable->setItem(row, 3, Cell(Limit(entry.rule, true)));
  checkTable->setItem(row, 4, Cell(Limit(entry.rule, false)));
  auto* v = Cell(VerdictText(verdict), why);
  v->setBackground(VerdictColour(verdict));
  checkTable->setItem(row, 5, v);
}

void TReviewForm::ShowChecks(std::shared_ptr<const GearReview> review) {
  review_ = std::move(review);
  if (!review_->reviewed()) return;
  checkTable->setRowCount(static_cast<int>(kChecks));
  for (std::size_t c = 0; c < kChecks; ++c) FillCheckRow(static_cast<int>(c), c);
  checkTable->resizeColumnsToContents();
  LbStatus->setText(QString("Usable range %1 to %2 deg., figures every 0.5 deg. Working out the "
                            "sensitivities...")
                        .arg(BoxText::Format(review_->range.loDeg), BoxText::Format(review_->range.hiDeg)));
}

void TReviewForm::FillSensitivityColumn(int column, std::size_t check) {
  double largest = 0;
  for (const DimensionSensitivity& d : table_->dimensions)
    largest = std::max(largest, Influence(d, check, review_->engine).value_or(0));
  for (const DimensionSensitivity& d : table_->dimensions) {
    const int row = static_cast<int>(d.dimension);
    QTableWidgetItem* item = nullptr;
    if (!d.used) {
      item = Cell("", "Not used by this gear");
    } else if (d.lost && !d.kept) {
      item = Cell("lost", "A change of this dimension loses a notch of the usable range");
      item->setForeground(QColor(120, 120, 120));
    } else if (const auto& s = d.figures[check]) {
      item = Cell(BoxText::Format(s->perPercent.value_or(s->perUnit)),
                  sensitivityTable->verticalHeaderItem(row)->toolTip());
      if (d.kept)
        item->setToolTip(item->toolTip() +
                         QString("; a change loses a notch, so taken over the notches both changes keep, "
                                 "%1 to %2 deg.")
                             .arg(BoxText::Format(d.kept->loDeg), BoxText::Format(d.kept->hiDeg)));
      const double share = largest > 0 ? *Influence(d, check, review_->engine) / largest : 0;
      item->setBackground(QColor::fromRgbF(1 - 0.55 * share, 1 - 0.35 * share, 1));
    } else {
      item = Cell("");
    }
    sensitivityTable->setItem(row, column, item);
  }
}

// The row's step: 1 % of the dimension, or one of its units when it is zero.
QTableWidgetItem* TReviewForm::SensitivityRowHeader(std::size_t dimension) const {
  const DimensionSpec& d = EngineDimensions()[dimension];
  const QString caption = QString(d.caption).simplified();
  if (review_->engine.*d.field != 0)
    return Cell(caption + ", per 1 %", "The figure's change for a change of 1 % of the dimension");
  const std::string symbol(UnitSymbol(d.quantity, model_.lengthUnit()));
  const QString unit = symbol.empty() ? QString("unit") : QString::fromStdString(symbol);
  return Cell(caption + ", per 1 " + unit,
              "The dimension is zero: the figure's change for a change of one " + unit + " of it");
}

void TReviewForm::ShowSensitivities(std::shared_ptr<const SensitivityTable> table, int fixSearches) {
  table_ = std::move(table);
  std::vector<std::size_t> checks;
  for (std::size_t c = 0; c < kChecks; ++c)
    if (ReviewChecks()[c].sensitive) checks.push_back(c);
  sensitivityTable->setColumnCount(static_cast<int>(checks.size()) + 1);
  sensitivityTable->setRowCount(static_cast<int>(kDimensions));
  for (std::size_t d = 0; d < kDimensions; ++d)
    sensitivityTable->setVerticalHeaderItem(static_cast<int>(d), SensitivityRowHeader(d));
  for (std::size_t i = 0; i < checks.size(); ++i) {
    sensitivityTable->setHorizontalHeaderItem(
        static_cast<int>(i), Cell(CheckColumnHeading(checks[i]), ReviewChecks()[checks[i]].title));
    FillSensitivityColumn(static_cast<int>(i), checks[i]);
  }
  sensitivityTable->setHorizontalHeaderItem(
      static_cast<int>(checks.size()), Cell("Range ends\nabove / below\ndeg. per 1 %",
                                            "How the usable range's ends move for 1 % of the dimension"));
  FillRangeEndColumn(sensitivityTable, static_cast<int>(checks.size()), *table_);
  sensitivityTable->resizeColumnsToContents();
  LbStatus->setText(fixSearches > 0 ? QString("Searching for fixes: %1 searches...").arg(fixSearches)
                                    : QString("No fixes to search for."));
}

void TReviewForm::AddFix(const ReviewFix& fix) {
  fixes_.push_back(fix);
  const int row = fixTable->rowCount();
  fixTable->insertRow(row);
  const DimensionSpec& dim = EngineDimensions()[fix.dimension];
  const QString unit = QString::fromStdString(UnitSuffix(dim.quantity, model_.lengthUnit()));
  const CheckSpec& check = ReviewChecks()[fix.check];
  const auto verdict = fix.after.VerdictOf(fix.check);
  QStringList worse, better;
  for (const std::size_t c : fix.worsened)
    worse << QString("%1 (%2)").arg(CheckHeading(c), VerdictText(fix.after.VerdictOf(c)));
  if (!fix.after.reviewed()) worse << QString::fromStdString(fix.after.problem);
  for (const std::size_t c : fix.improved) better << CheckHeading(c);
  fixTable->setItem(row, 0, Cell(CheckHeading(fix.check), check.title));
  fixTable->setItem(row, 1, Cell(QString(dim.caption).simplified()));
  // The stored value as the boxes show it; the target is a figure of four digits.
  fixTable->setItem(row, 2, Cell(BoxText::FormatFaithful(fix.from) + unit));
  fixTable->setItem(row, 3, Cell(BoxText::Format(fix.to) + unit));
  fixTable->setItem(row, 4, Cell(Figure(fix.after.figures[fix.check]) + " " + check.unit));
  auto* v = Cell(VerdictText(verdict) + (fix.reachesGood() ? "" : ", nearest within 15 %"));
  v->setBackground(VerdictColour(verdict));
  fixTable->setItem(row, 5, v);
  auto* worsened = Cell(worse.join("; "));
  if (fix.breaksAnother()) worsened->setBackground(VerdictColour(Verdict::poor));
  fixTable->setItem(row, 6, worsened);
  fixTable->setItem(row, 7, Cell(better.join("; ")));
  fixTable->resizeColumnsToContents();
}

void TReviewForm::FillDocument(QTextDocument& document, QPaintDevice& device) const {
  using Part = ReviewDocument::Part;
  const std::vector<Part> parts = {
      {"Checks", {}, checkTable, false, {}, {}},
      {"Accept or re-bush",
       playVerdict_ ? QString::fromStdString(playVerdict_->words) : QString(),
       playTable,
       false,
       {0},
       {}},
      {"Suggested fixes", {}, fixTable, false, {1}, {{0, ", "}, {5, ", "}, {6, "; "}, {7, "; "}}},
      {"Sensitivities", kSensitivityNote, sensitivityTable, true, {}, {}},
  };
  ReviewDocument::Fill(document, device, windowTitle(), LbStatus->text(), parts);
}

QString TReviewForm::SuggestedPdf() const {
  QString name = BoxText::FromNameBytes(engine_ ? engine_->name : std::string()).trimmed();
  for (QChar& c : name)
    if (c == '/' || c == '\\' || c.category() == QChar::Other_Control) c = '_';
  if (name.isEmpty() || name.startsWith('.')) name.prepend("review");
  return QDir::current().absoluteFilePath(name + " review.pdf");
}

void TReviewForm::ExportPdf(const QString& path) {
  const QString refusal = WindowPrinter::DataFileRefusal(path, model_.dataFile());
  if (!refusal.isEmpty()) return Say(refusal);
  QByteArray pdf;
  {
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageOrientation(QPageLayout::Landscape);
    writer.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
    QTextDocument document;
    FillDocument(document, writer);
    document.print(&writer);
  }
  const FileWrite written = WriteFileAtomically(path.toStdString(), pdf.toStdString());
  if (!written.ok())
    Say(QString("Cannot write the PDF file \"%1\": %2.")
            .arg(QDir::toNativeSeparators(path), QString::fromStdString(written.reason)));
}

void TReviewForm::PdfClick() {
  if (!review_ || !review_->reviewed()) return Say("There is no review to print.");
  const QString path =
      QFileDialog::getSaveFileName(this, "Save the review as PDF", SuggestedPdf(), "PDF files (*.pdf)");
  if (!path.isEmpty()) ExportPdf(path);
}

void TReviewForm::PrintClick() {
  if (!review_ || !review_->reviewed()) return Say("There is no review to print.");
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Landscape);
  const WindowPrinter::Destination to =
      WindowPrinter::Choose(printer, this, SuggestedPdf(), model_.dataFile());
  if (to.kind == WindowPrinter::Destination::Kind::refused) return Say(to.refusal);
  if (to.kind != WindowPrinter::Destination::Kind::chosen) return;
  // Printing to a file is a PDF export, written whole as one.
  if (!to.pdf.isEmpty()) return ExportPdf(to.pdf);
  QTextDocument document;
  FillDocument(document, printer);
  document.print(&printer);
}
