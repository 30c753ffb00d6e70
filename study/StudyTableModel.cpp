// Columns follow the CSV's order: the angle, the figure table's figures, the
// indicator figures, the bands' low and high when there are bands, and the error. Working notches are marked
// in bold so the summary's figures can be traced to their rows.
#include "StudyTableModel.h"

#include <QFont>
#include <cmath>

#include "BoxText.h"
#include "RunFigures.h"

namespace {

constexpr int kIndicatorColumns = 3;

int FigureCount() {
  return static_cast<int>(RunFigures().size());
}

// "Lead back" over "(mm)"; with no unit to show the caption is split at its
// last blank instead, so the column stays narrow.
QString TwoLines(const QString& caption, std::string_view symbol) {
  if (!symbol.empty()) return caption + "\n(" + QString::fromUtf8(symbol.data(), symbol.size()) + ")";
  QString title = caption;
  const qsizetype blank = title.lastIndexOf(' ');
  if (blank > 0) title[blank] = '\n';
  return title;
}

QString Optional(const std::optional<double>& value) {
  return value ? BoxText::Format(*value) : QString("-");
}

}  // namespace

void StudyTableModel::SetRows(std::vector<StudyRow> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  bands_.clear();  // they were those of the rows before
  endResetModel();
}

void StudyTableModel::SetBands(std::vector<NotchBand> bands) {
  beginResetModel();
  bands_ = bands.size() == rows_.size() ? std::move(bands) : std::vector<NotchBand>{};
  endResetModel();
}

int StudyTableModel::BandColumns() const {
  return bands_.empty() ? 0 : 2 * static_cast<int>(BandFigures().size());
}

int StudyTableModel::OwnColumn(int column) const {
  const int error = Columns() - 1;
  if (column < error) return column;
  return column >= error + BandColumns() ? error : -1;
}

QString StudyTableModel::BandTitle(int band) const {
  const FigureSpec& f = *BandFigures()[static_cast<std::size_t>(band / 2)];
  // "Lead\nback low (mm)": as narrow as the figure's own column.
  const std::string_view symbol = f.quantity == Quantity::percent ? "" : UnitSymbol(f.quantity, unit_);
  QString title = TwoLines(f.caption, "") + (band % 2 == 0 ? " low" : " high");
  if (!symbol.empty()) title += " (" + QString::fromUtf8(symbol.data(), symbol.size()) + ")";
  return title;
}

std::optional<double> StudyTableModel::BandFigure(int row, int band) const {
  const auto range = FigureBand(*BandFigures()[static_cast<std::size_t>(band / 2)],
                                rows_[static_cast<std::size_t>(row)], bands_[static_cast<std::size_t>(row)]);
  if (!range) return std::nullopt;
  return band % 2 == 0 ? range->first : range->second;
}

void StudyTableModel::SetLengthUnit(LengthUnit unit) {
  unit_ = unit;
  emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

int StudyTableModel::RowNearest(double liftArmDeg) const {
  int best = -1;
  for (int i = 0; i < static_cast<int>(rows_.size()); ++i)
    if (best < 0 ||
        std::fabs(rows_[i].liftArmDeg - liftArmDeg) < std::fabs(rows_[best].liftArmDeg - liftArmDeg))
      best = i;
  return best;
}

int StudyTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int StudyTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : Columns() + BandColumns();
}

int StudyTableModel::Columns() {
  return 1 + FigureCount() + kIndicatorColumns + 1;
}

QString StudyTableModel::ColumnTitle(int column) const {
  if (column == 0) return "Lifting arm\n(deg.)";
  if (column <= FigureCount()) {
    const FigureSpec& f = RunFigures()[static_cast<std::size_t>(column - 1)];
    // Every event is a percentage of the stroke; lengths and angles say their unit.
    return TwoLines(f.caption, f.quantity == Quantity::percent ? "" : UnitSymbol(f.quantity, unit_));
  }
  const char* const indicator[kIndicatorColumns] = {"mep back", "mep front", "Work imbalance"};
  const int i = column - 1 - FigureCount();
  if (i < kIndicatorColumns) return TwoLines(indicator[i], i == 2 ? "%" : "");
  return "Error";
}

QString StudyTableModel::CellText(const StudyRow& row, int column) {
  if (column == 0) return BoxText::Format(row.liftArmDeg);
  if (!row.ok()) return IsErrorColumn(column) ? QString::fromStdString(FailureMessage(*row.failure)) : "";
  if (column <= FigureCount())
    return Optional(RunFigures()[static_cast<std::size_t>(column - 1)].Of(row.results));
  const IndicatorFigures& indicator = row.indicator;
  const std::optional<double> figures[kIndicatorColumns] = {indicator.mepBack, indicator.mepFront,
                                                            indicator.workImbalancePct};
  const int i = column - 1 - FigureCount();
  return i < kIndicatorColumns ? Optional(figures[i]) : QString();
}

QVariant StudyTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const StudyRow& row = rows_[static_cast<std::size_t>(index.row())];
  const int column = OwnColumn(index.column());
  if (column < 0 && (role == Qt::DisplayRole || role == Qt::UserRole)) {
    const auto figure = BandFigure(index.row(), index.column() - (Columns() - 1));
    if (role == Qt::UserRole) return figure ? QVariant(*figure) : QVariant();
    return row.ok() ? Optional(figure) : QString();
  }
  if (role == Qt::DisplayRole) return CellText(row, column);
  // The sentence is longer than its column: the whole of it under the mouse.
  if (role == Qt::ToolTipRole && !row.ok()) return QString::fromStdString(FailureMessage(*row.failure));
  if (role == Qt::TextAlignmentRole)
    return QVariant(IsErrorColumn(column) ? Qt::AlignLeft | Qt::AlignVCenter
                                          : Qt::AlignRight | Qt::AlignVCenter);
  if (role == Qt::FontRole && IsWorkingNotch(row)) {
    QFont bold;
    bold.setBold(true);
    return bold;
  }
  return {};
}

QVariant StudyTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
  const int column = OwnColumn(section);
  return column < 0 ? BandTitle(section - (Columns() - 1)) : ColumnTitle(column);
}
