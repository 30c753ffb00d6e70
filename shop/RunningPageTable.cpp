// The evidence table: each row's end and event picked from lists, the unit
// following the event; the table is read by writing it as an evidence file's
// text and parsing that, so it takes exactly what the file takes and a bad
// cell is named as a bad line would be. Files are read whole as the readings
// file is (a regular file of at most 1 MiB) and written whole.
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <algorithm>

#include "BoundedTextFile.h"
#include "NumberFormat.h"
#include "QtPrompter.h"
#include "ReadingsFile.h"
#include "RunningPage.h"
#include "ShopNumber.h"
#include "TextFile.h"
#include "WindowPrinter.h"

namespace {

constexpr EvidenceEvent kEvidenceEvents[] = {EvidenceEvent::cutOff, EvidenceEvent::release,
                                             EvidenceEvent::compression, EvidenceEvent::exhaustBeat};

void Say(const QString& text) {
  AppPrompter().Inform("Message", text.toStdString());
}

QString Key(std::string_view key) {
  return QString::fromUtf8(key.data(), static_cast<int>(key.size()));
}

QComboBox* Combo(const QTableWidget* table, int row, int column) {
  return qobject_cast<QComboBox*>(table->cellWidget(row, column));
}

QString CellText(const QTableWidget* table, int row, int column) {
  const QTableWidgetItem* item = table->item(row, column);
  return item ? item->text().trimmed() : QString();
}

QString Quoted(QString field) {
  return "\"" + field.replace("\"", "\"\"") + "\"";
}

bool IsBeat(const QTableWidget* table, int row) {
  return Combo(table, row, RunningPage::eventColumn)->currentText() ==
         Key(EvidenceEventKey(EvidenceEvent::exhaustBeat));
}

}  // namespace

void RunningPage::AddRow(const Evidence& e, bool blank) {
  const QSignalBlocker quiet(evidenceTable);
  const int row = evidenceTable->rowCount();
  evidenceTable->insertRow(row);
  evidenceTable->setItem(row, angleColumn,
                         new QTableWidgetItem(QString::fromStdString(FormatFaithful(e.angleDeg))));
  auto* end = new QComboBox(evidenceTable);
  end->addItems({"front", "back"});
  end->setCurrentIndex(e.end == ReadingEnd::front ? 0 : 1);
  evidenceTable->setCellWidget(row, endColumn, end);
  auto* event = new QComboBox(evidenceTable);
  for (const EvidenceEvent k : kEvidenceEvents) event->addItem(Key(EvidenceEventKey(k)));
  event->setCurrentText(Key(EvidenceEventKey(e.event)));
  evidenceTable->setCellWidget(row, eventColumn, event);
  evidenceTable->setItem(
      row, valueColumn,
      new QTableWidgetItem(blank ? QString() : QString::fromStdString(FormatFaithful(e.value))));
  auto* unit = new QTableWidgetItem;
  unit->setFlags(Qt::ItemIsEnabled);
  evidenceTable->setItem(row, unitColumn, unit);
  evidenceTable->setItem(row, plusMinusColumn,
                         new QTableWidgetItem(QString::fromStdString(FormatFaithful(e.plusMinus))));
  SetUnit(row);
  // The event chooses the unit and the usual precision; either list changed is an edit.
  connect(event, &QComboBox::currentIndexChanged, this, [this, end] {
    for (int at = 0; at < evidenceTable->rowCount(); ++at)
      if (evidenceTable->cellWidget(at, endColumn) == end) {
        SetUnit(at);
        evidenceTable->item(at, plusMinusColumn)->setText(IsBeat(evidenceTable, at) ? "2" : "0.5");
      }
  });
  connect(end, &QComboBox::currentIndexChanged, this, [this] { ClearFindings(); });
  evidenceTable->resizeColumnsToContents();
  // Room for a typed value before there is one.
  const int room = evidenceTable->fontMetrics().horizontalAdvance("000.000  ");
  evidenceTable->setColumnWidth(valueColumn, std::max(evidenceTable->columnWidth(valueColumn), room));
}

void RunningPage::SetUnit(int row) {
  evidenceTable->item(row, unitColumn)->setText(IsBeat(evidenceTable, row) ? "deg" : "%");
}

void RunningPage::SetEvidence(const std::vector<Evidence>& rows) {
  {
    const QSignalBlocker quiet(evidenceTable);
    evidenceTable->setRowCount(0);
  }
  for (const Evidence& e : rows) AddRow(e, false);
  ClearFindings();
}

RunningPage::TableRead RunningPage::ReadTable() const {
  std::string text = std::string(kReadingsHeader) + "\n";
  std::vector<int> rowOfLine{-1, -1};  // lines from 1; line 1 is the header
  for (int row = 0; row < evidenceTable->rowCount(); ++row) {
    if (CellText(evidenceTable, row, valueColumn).isEmpty()) continue;
    const QString value = CellText(evidenceTable, row, valueColumn);
    const auto number = ShopNumber(value);
    const QStringList fields{
        CellText(evidenceTable, row, angleColumn),
        Combo(evidenceTable, row, endColumn)->currentText(),
        Combo(evidenceTable, row, eventColumn)->currentText(),
        number && value.contains('/') ? QString::fromStdString(FormatFaithful(*number)) : value,
        CellText(evidenceTable, row, unitColumn),
        CellText(evidenceTable, row, plusMinusColumn)};
    QStringList quoted;
    for (const QString& f : fields) quoted << Quoted(f);
    text += quoted.join(',').toStdString() + "\n";
    rowOfLine.push_back(row);
  }
  TableRead read;
  auto parsed = ParseEvidenceCsv(text);
  if (auto* rows = std::get_if<std::vector<Evidence>>(&parsed)) {
    read.rows = std::move(*rows);
    return read;
  }
  const ReadingsTextProblem& p = std::get<ReadingsTextProblem>(parsed);
  read.row = p.line > 0 && p.line < static_cast<int>(rowOfLine.size()) ? rowOfLine[p.line] : -1;
  const QString column =
      p.column > 0 ? ", column \"" + evidenceTable->horizontalHeaderItem(p.column - 1)->text() + "\""
                   : QString();
  read.problem = QString("row %1%2: %3").arg(read.row + 1).arg(column, QString::fromStdString(p.message));
  return read;
}

void RunningPage::OpenEvidence(const QString& path) {
  const QString name = QDir::toNativeSeparators(path);
  const BoundedText read = ReadBoundedText(path.toStdString(), kMostReadingsFileBytes);
  if (!read.ok())
    return Say(QString("The evidence file \"%1\" %2.").arg(name, QString::fromStdString(read.problem)));
  auto parsed = ParseEvidenceCsv(read.text);
  if (const auto* problem = std::get_if<ReadingsTextProblem>(&parsed))
    return Say(QString("The evidence file \"%1\" has a bad row, %2; nothing was read.")
                   .arg(name, QString::fromStdString(ReadingsProblemText(*problem))));
  const auto& rows = std::get<std::vector<Evidence>>(parsed);
  SetEvidence(rows);
  LbStatus->setText(QString("%1 rows of evidence read from \"%2\".").arg(rows.size()).arg(name));
}

void RunningPage::SaveEvidence(const QString& path) {
  const QString refusal = WindowPrinter::DataFileRefusal(path, model_.dataFile());
  if (!refusal.isEmpty()) return Say(refusal);
  const TableRead read = ReadTable();
  if (!read.problem.isEmpty()) return Say("The evidence was not saved: " + read.problem);
  const FileWrite written = WriteFileAtomically(path.toStdString(), EvidenceCsvText(read.rows));
  const QString name = QDir::toNativeSeparators(path);
  if (!written.ok())
    return Say(QString("Cannot write the evidence file \"%1\": %2.")
                   .arg(name, QString::fromStdString(written.reason)));
  LbStatus->setText(QString("%1 rows of evidence saved to \"%2\".").arg(read.rows.size()).arg(name));
}

void RunningPage::BtOpenClick() {
  const QString path =
      QFileDialog::getOpenFileName(this, "Open evidence", suggestedFile_, "Evidence (*.csv);;All files (*)");
  if (!path.isEmpty()) OpenEvidence(path);
}

void RunningPage::BtSaveClick() {
  const QString path =
      QFileDialog::getSaveFileName(this, "Save evidence", suggestedFile_, "Evidence (*.csv)");
  if (!path.isEmpty()) SaveEvidence(path);
}
