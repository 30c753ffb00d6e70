// The readings table: each row's end, event and unit picked from lists, the
// numbers typed (inches also as fractions); the table is read by writing it
// as a readings file's text and parsing that, so it takes exactly what a
// readings file takes and a bad cell is named as a bad line would be.
#include <QDir>
#include <QFileDialog>
#include <algorithm>

#include "BoxText.h"
#include "NumberFormat.h"
#include "QtPrompter.h"
#include "ReadingsCsv.h"
#include "ReadingsFile.h"
#include "ShopNumber.h"
#include "TSettingForm.h"
#include "WindowPrinter.h"

namespace {

constexpr ReadingEvent kReadingEvents[] = {ReadingEvent::lead,        ReadingEvent::maxOpening,
                                           ReadingEvent::cutOff,      ReadingEvent::release,
                                           ReadingEvent::compression, ReadingEvent::admission};

void Say(const QString& text) {
  AppPrompter().Inform("Message", text.toStdString());
}

QString Quoted(const QString& field) {
  QString text = field.trimmed();
  return "\"" + text.replace("\"", "\"\"") + "\"";
}

// A number cell as the file takes it: fractions become decimals; anything
// else goes as typed, for the parser to name.
QString NumberField(const QTableWidgetItem* item) {
  const QString text = item ? item->text().trimmed() : QString();
  const auto number = ShopNumber(text);
  return number && text.contains('/') ? QString::fromStdString(FormatFaithful(*number)) : text;
}

QComboBox* Combo(const QTableWidget* table, int row, int column) {
  return qobject_cast<QComboBox*>(table->cellWidget(row, column));
}

// The row a cell's list sits in now (rows above it may have been removed).
int RowOf(const QTableWidget* table, const QWidget* cell, int column) {
  for (int row = 0; row < table->rowCount(); ++row)
    if (table->cellWidget(row, column) == cell) return row;
  return -1;
}

// A figure as the table shows it: lengths as the shop writes them, shares as decimals.
QString FigureText(ReadingUnit unit, double value, LengthUnit lengthUnit) {
  return unit == ReadingUnit::length ? ShopLengthText(value, lengthUnit)
                                     : QString::fromStdString(FormatFaithful(value));
}

QString Cell(const QTableWidget* table, int row, int column) {
  const QTableWidgetItem* item = table->item(row, column);
  return item ? item->text().trimmed() : QString();
}

}  // namespace

void TSettingForm::SetUnitChoices(int row, ReadingEvent event) {
  QComboBox* unit = Combo(readingTable, row, unitColumn);
  const QString length = QString::fromStdString(ReadingUnitText(ReadingUnit::length, unit_));
  const QString was = unit->currentText();
  const QSignalBlocker quiet(unit);
  unit->clear();
  unit->addItem(length);
  if (!IsLengthOnlyEvent(event)) unit->addItem("%");
  const int keep = unit->findText(was);
  unit->setCurrentIndex(keep >= 0 ? keep : unit->count() - 1);
}

void TSettingForm::AddRow(const Reading& r) {
  const int row = readingTable->rowCount();
  readingTable->insertRow(row);
  readingTable->setItem(row, angleColumn,
                        new QTableWidgetItem(QString::fromStdString(FormatFaithful(r.angleDeg))));
  auto* end = new QComboBox(readingTable);
  end->addItems({"front", "back"});
  end->setCurrentIndex(r.end == ReadingEnd::front ? 0 : 1);
  readingTable->setCellWidget(row, endColumn, end);
  auto* event = new QComboBox(readingTable);
  for (const ReadingEvent e : kReadingEvents)
    event->addItem(QString::fromUtf8(ReadingEventKey(e).data(), static_cast<int>(ReadingEventKey(e).size())));
  event->setCurrentText(QString::fromStdString(std::string(ReadingEventKey(r.event))));
  readingTable->setCellWidget(row, eventColumn, event);
  readingTable->setItem(row, valueColumn,
                        new QTableWidgetItem(r.value ? FigureText(r.unit, *r.value, unit_) : QString()));
  auto* unit = new QComboBox(readingTable);
  readingTable->setCellWidget(row, unitColumn, unit);
  SetUnitChoices(row, r.event);
  unit->setCurrentIndex(r.unit == ReadingUnit::length ? 0 : 1);
  readingTable->setItem(row, plusMinusColumn, new QTableWidgetItem(FigureText(r.unit, r.plusMinus, unit_)));
  for (const int c : {fittedColumn, residualColumn}) {
    auto* item = new QTableWidgetItem;
    item->setFlags(Qt::ItemIsEnabled);
    readingTable->setItem(row, c, item);
  }
  WatchRowLists(end, event, unit);
}

void TSettingForm::WatchRowLists(QComboBox* end, QComboBox* event, QComboBox* unit) {
  const auto usualPrecision = [this, unit, end] {
    const int at = RowOf(readingTable, end, endColumn);
    if (at < 0) return;
    const ReadingUnit u = unit->currentText() == "%" ? ReadingUnit::percent : ReadingUnit::length;
    readingTable->item(at, plusMinusColumn)->setText(FigureText(u, DefaultPlusMinus(u, unit_), unit_));
  };
  connect(event, &QComboBox::currentIndexChanged, this, [this, end](int index) {
    const int at = RowOf(readingTable, end, endColumn);
    if (index >= 0 && at >= 0) SetUnitChoices(at, kReadingEvents[index]);
  });
  connect(unit, &QComboBox::currentIndexChanged, this, usualPrecision);
  connect(event, &QComboBox::currentIndexChanged, this, usualPrecision);
  for (QComboBox* list : {end, event, unit})
    connect(list, &QComboBox::currentIndexChanged, this, [this] { ReadingsEdited(); });
}

void TSettingForm::ReadingsEdited() {
  if (!result_) return;
  ClearResults();
  LbStatus->setText("The readings changed since the fit: press Fit again.");
}

void TSettingForm::SetReadings(const std::vector<Reading>& readings) {
  const QSignalBlocker quiet(readingTable);
  readingTable->setRowCount(0);
  for (const Reading& r : readings) AddRow(r);
  FitReadingColumns();
}

void TSettingForm::FitReadingColumns() {
  readingTable->resizeColumnsToContents();
  // Room for a typed value and the fit's figures before there are any.
  const int room = readingTable->fontMetrics().horizontalAdvance("0.000000  ");
  for (const int c : {valueColumn, fittedColumn, residualColumn})
    readingTable->setColumnWidth(c, std::max(readingTable->columnWidth(c), room));
}

TSettingForm::TableRead TSettingForm::ReadTable() const {
  std::string text = std::string(kReadingsHeader) + "\n";
  std::vector<int> rowOfLine{-1, -1};  // lines from 1; line 1 is the header
  for (int row = 0; row < readingTable->rowCount(); ++row) {
    if (Cell(readingTable, row, angleColumn).isEmpty() && Cell(readingTable, row, valueColumn).isEmpty())
      continue;
    const QStringList fields{Cell(readingTable, row, angleColumn),
                             Combo(readingTable, row, endColumn)->currentText(),
                             Combo(readingTable, row, eventColumn)->currentText(),
                             NumberField(readingTable->item(row, valueColumn)),
                             Combo(readingTable, row, unitColumn)->currentText(),
                             NumberField(readingTable->item(row, plusMinusColumn))};
    QStringList quoted;
    for (const QString& f : fields) quoted << Quoted(f);
    text += quoted.join(',').toStdString() + "\n";
    rowOfLine.push_back(row);
  }
  TableRead read;
  auto parsed = ParseReadingsCsv(text, unit_);
  if (auto* rows = std::get_if<std::vector<Reading>>(&parsed)) {
    read.readings = std::move(*rows);
    return read;
  }
  const ReadingsTextProblem& p = std::get<ReadingsTextProblem>(parsed);
  read.row = p.line > 0 && p.line < static_cast<int>(rowOfLine.size()) ? rowOfLine[p.line] : -1;
  const QString column = p.column > 0
                             ? ", column \"" + readingTable->horizontalHeaderItem(p.column - 1)->text() + "\""
                             : QString();
  read.problem = QString("row %1%2: %3").arg(read.row + 1).arg(column, QString::fromStdString(p.message));
  return read;
}

QString TSettingForm::SuggestedName(const QString& what, const QString& suffix) const {
  QString name = BoxText::FromNameBytes(engine_ ? engine_->name : std::string()).trimmed();
  for (QChar& c : name)
    if (c == '/' || c == '\\' || c.category() == QChar::Other_Control) c = '_';
  if (name.isEmpty() || name.startsWith('.')) name.prepend("engine");
  const QString side = EdSide->text().trimmed().replace('/', '_');
  return QDir::current().absoluteFilePath(name + (side.isEmpty() ? "" : " " + side) + " " + what + suffix);
}

void TSettingForm::OpenReadings(const QString& path) {
  const ReadingsRead read = ReadReadingsFile(path.toStdString(), unit_);
  if (!read.ok()) return Say(QString::fromStdString(read.problem));
  ClearResults();
  SetReadings(read.readings);
  LbStatus->setText(
      QString("%1 readings read from \"%2\".").arg(read.readings.size()).arg(QDir::toNativeSeparators(path)));
}

void TSettingForm::SaveReadings(const QString& path) {
  const QString refusal = WindowPrinter::DataFileRefusal(path, model_.dataFile());
  if (!refusal.isEmpty()) return Say(refusal);
  const TableRead read = ReadTable();
  if (!read.problem.isEmpty()) return Say("The readings were not saved: " + read.problem);
  const FileWrite written = WriteReadingsFile(path.toStdString(), model_.dataFile(), read.readings, unit_);
  if (!written.ok())
    return Say(QString("Cannot write the readings file \"%1\": %2.")
                   .arg(QDir::toNativeSeparators(path), QString::fromStdString(written.reason)));
  LbStatus->setText(
      QString("%1 readings saved to \"%2\".").arg(read.readings.size()).arg(QDir::toNativeSeparators(path)));
}

void TSettingForm::BtOpenClick() {
  const QString path = QFileDialog::getOpenFileName(this, "Open readings", SuggestedName("readings", ".csv"),
                                                    "Readings (*.csv);;All files (*)");
  if (!path.isEmpty()) OpenReadings(path);
}

void TSettingForm::BtSaveClick() {
  const QString path = QFileDialog::getSaveFileName(this, "Save readings", SuggestedName("readings", ".csv"),
                                                    "Readings (*.csv)");
  if (!path.isEmpty()) SaveReadings(path);
}

void TSettingForm::MarkReadings() {
  const QSignalBlocker quiet(readingTable);
  const ShopSetting& s = result_->setting;
  const std::vector<Reading> rows = ReadTable().readings;
  std::size_t k = 0, r = 0;
  for (int row = 0; row < readingTable->rowCount() && r < rows.size(); ++row) {
    if (Cell(readingTable, row, angleColumn).isEmpty() && Cell(readingTable, row, valueColumn).isEmpty())
      continue;
    const Reading& given = rows[r++];
    if (!given.value) {
      MarkToAdd(row, given);
      continue;
    }
    if (k == s.fit.readings.size()) break;
    const FittedReading& f = s.fit.readings[k++];
    readingTable->item(row, fittedColumn)->setText(BoxText::Format(f.fitted));
    readingTable->item(row, residualColumn)
        ->setText(BoxText::Format(f.residual) + (f.suspect ? "  SUSPECT" : ""));
    if (!f.suspect) continue;
    const QString why = "Fits no rigid gear (residual over three times its precision): read it again";
    for (const int c : {angleColumn, valueColumn, plusMinusColumn, fittedColumn, residualColumn}) {
      readingTable->item(row, c)->setBackground(QColor(245, 170, 170));
      readingTable->item(row, c)->setToolTip(why);
    }
  }
  FitReadingColumns();
}

void TSettingForm::MarkToAdd(int row, const Reading& blank) {
  const auto& toAdd = result_->setting.readingsToAdd;
  if (std::none_of(toAdd.begin(), toAdd.end(), [&](const Reading& r) { return SameRow(r, blank); })) return;
  for (const int c : {angleColumn, valueColumn, plusMinusColumn}) {
    readingTable->item(row, c)->setBackground(QColor(250, 230, 140));
    readingTable->item(row, c)->setToolTip(
        "Read this too: without it the fit cannot separate the deviations");
  }
}

void TSettingForm::MarkRefused(const std::string& problem) {
  const QSignalBlocker quiet(readingTable);
  const TableRead read = ReadTable();
  if (!prepared_ || !prepared_->design) return;
  const UsableRange& range = prepared_->design->usable;
  std::size_t k = 0;
  for (int row = 0; row < readingTable->rowCount() && k < read.readings.size(); ++row) {
    if (Cell(readingTable, row, angleColumn).isEmpty() && Cell(readingTable, row, valueColumn).isEmpty())
      continue;
    const Reading& r = read.readings[k++];
    if (!r.value || (r.angleDeg >= range.loDeg && r.angleDeg <= range.hiDeg)) continue;
    readingTable->item(row, angleColumn)->setBackground(QColor(245, 170, 170));
    readingTable->item(row, angleColumn)->setToolTip(QString::fromStdString(problem));
  }
}
