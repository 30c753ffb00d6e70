// Columns follow the CSV's order; working notches are marked in bold so the
// summary's figures can be traced to their rows.
#include "StudyTableModel.h"

#include <QFont>
#include <cmath>

#include "BoxText.h"

namespace {

const char* const kTitles[StudyTableModel::kColumns] = {
    "Lifting arm\n(deg.)", "Admission\nback",   "Cut-off\nback",
    "Exhaust\nback",       "Compression\nback", "Admission\nfront",
    "Cut-off\nfront",      "Exhaust\nfront",    "Compression\nfront",
    "Lead\nback",          "Lead\nfront",       "Max. port\nback",
    "Max. port\nfront",    "Valve\ntravel",     "Link min.\n(deg.)",
    "Link max.\n(deg.)",   "Die\ndeflection",   "Error"};

constexpr ValveEvent kEventColumns[] = {admissionBack,  cutOffBack,  exhaustBack,  compressionBack,
                                        admissionFront, cutOffFront, exhaustFront, compressionFront};

}  // namespace

void StudyTableModel::SetRows(std::vector<StudyRow> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
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
  return parent.isValid() ? 0 : kColumns;
}

QString StudyTableModel::ColumnTitle(int column) {
  return kTitles[column];
}

QString StudyTableModel::CellText(const StudyRow& row, int column) {
  if (column == 0) return BoxText::Format(row.liftArmDeg);
  if (!row.ok()) return column == kColumns - 1 ? QString::fromStdString(FailureMessage(*row.failure)) : "";
  const RunResults& r = row.results;
  if (column <= 8) {
    const ValveEvent e = kEventColumns[column - 1];
    return r.eventFound[e] ? BoxText::Format(r.eventPct[e]) : "-";
  }
  const double figures[] = {r.leadBack,      r.leadFront,       r.portOpenBack,    r.portOpenFront,
                            r.valveTravel, r.linkAngleMinDeg, r.linkAngleMaxDeg, r.dieDeflection};
  return column - 9 < 8 ? BoxText::Format(figures[column - 9]) : "";
}

QVariant StudyTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const StudyRow& row = rows_[static_cast<std::size_t>(index.row())];
  if (role == Qt::DisplayRole) return CellText(row, index.column());
  if (role == Qt::TextAlignmentRole)
    return QVariant(index.column() == kColumns - 1 ? Qt::AlignLeft | Qt::AlignVCenter
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
  return ColumnTitle(section);
}
