// The notches of a quadrant study as a table for a QTableView: one row per
// notch, a column per run figure of the figure table, then the indicator
// diagrams' figures; the figures in the program's 4-significant-digit format,
// a missing event as "-", and a failed notch's sentence in its last column.
#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "Quantity.h"
#include "StudySummary.h"

class StudyTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit StudyTableModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

  void SetRows(std::vector<StudyRow> rows);
  const std::vector<StudyRow>& rows() const { return rows_; }
  // The titles of the length columns name the unit.
  void SetLengthUnit(LengthUnit unit);
  // The row of the notch nearest to an angle; -1 when there is none.
  int RowNearest(double liftArmDeg) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  // Column titles (two lines) and one cell's text, shared with the printed table.
  static int Columns();
  QString ColumnTitle(int column) const;
  static QString CellText(const StudyRow& row, int column);
  static bool IsErrorColumn(int column) { return column == Columns() - 1; }

 private:
  std::vector<StudyRow> rows_;
  LengthUnit unit_ = LengthUnit::none;
};
