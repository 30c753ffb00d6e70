// The notches of a quadrant study as a table for a QTableView: one row per
// notch, a column per run figure of the figure table, then the indicator
// diagrams' figures; the figures in the program's 4-significant-digit format,
// a missing event as "-", and a failed notch's sentence in its last column;
// with a worn gear's bands, each band figure's low and high before it.
#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "PlayBands.h"
#include "Quantity.h"
#include "StudySummary.h"

class StudyTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit StudyTableModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

  void SetRows(std::vector<StudyRow> rows);
  const std::vector<StudyRow>& rows() const { return rows_; }
  // The bands of the rows set (one per row; SetRows drops them), or none: the band columns
  // (the CSV's, BandFigures' low and high) come and go with them. Qt::UserRole
  // gives a band cell's figure at full precision.
  void SetBands(std::vector<NotchBand> bands);
  // The titles of the length columns name the unit.
  void SetLengthUnit(LengthUnit unit);
  // The row of the notch nearest to an angle; -1 when there is none.
  int RowNearest(double liftArmDeg) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  // Column titles (two lines) and one cell's text of the gear's own columns,
  // shared with the printed table (which has no band columns).
  static int Columns();
  QString ColumnTitle(int column) const;
  static QString CellText(const StudyRow& row, int column);
  static bool IsErrorColumn(int column) { return column == Columns() - 1; }

 private:
  int BandColumns() const;
  // A column of the view as the gear's own column; -1 for a band column.
  int OwnColumn(int column) const;
  QString BandTitle(int band) const;
  std::optional<double> BandFigure(int row, int band) const;

  std::vector<StudyRow> rows_;
  std::vector<NotchBand> bands_;
  LengthUnit unit_ = LengthUnit::none;
};
