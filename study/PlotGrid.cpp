// The arrangement whose cells come nearest a plot's natural shape (about 1.6
// times as wide as high) is taken: four cells in one row once the room is
// more than 3.2 times as wide as high, the geometric mean of the two shapes,
// and wide enough for four cells at their least size (below that the grid,
// in its scroll area, keeps two columns and is scrolled).
#include "PlotGrid.h"

#include <QResizeEvent>
#include <algorithm>

PlotGrid::PlotGrid(QWidget* parent) : QWidget(parent), grid_(new QGridLayout(this)) {
  grid_->setContentsMargins(0, 0, 0, 0);
}

void PlotGrid::Add(QWidget* cell, Qt::Alignment alignment) {
  cells_.emplace_back(cell, alignment);
  Arrange(columns_);
}

void PlotGrid::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const QSize room = event->size();
  int least = 0;
  for (const auto& [cell, alignment] : cells_)
    least = std::max({least, cell->minimumSize().width(), cell->minimumSizeHint().width()});
  const bool wide = room.height() > 0 && room.width() > 3.2 * room.height();
  const int columns = wide && room.width() >= 4 * least + 3 * grid_->horizontalSpacing() ? 4 : 2;
  if (columns != columns_) Arrange(columns);
}

void PlotGrid::Arrange(int columns) {
  columns_ = columns;
  for (const auto& [cell, alignment] : cells_) grid_->removeWidget(cell);
  for (int i = 0; i < 4; ++i) {
    grid_->setRowStretch(i, 0);
    grid_->setColumnStretch(i, 0);
  }
  for (std::size_t i = 0; i < cells_.size(); ++i) {
    const int row = static_cast<int>(i) / columns, column = static_cast<int>(i) % columns;
    grid_->addWidget(cells_[i].first, row, column, cells_[i].second);
    grid_->setRowStretch(row, 1);
    grid_->setColumnStretch(column, 1);
  }
}
