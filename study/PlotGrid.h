// A tab's plots in a grid shaped by its room: two columns of two rows where
// the room is tall enough, all in one row where it is wide and low (a small
// or scaled screen, with the table below given its rows), so each plot keeps
// a readable shape.
#pragma once

#include <QGridLayout>
#include <QWidget>
#include <utility>
#include <vector>

class PlotGrid : public QWidget {
 public:
  explicit PlotGrid(QWidget* parent);

  // Adds a cell after those already added.
  void Add(QWidget* cell, Qt::Alignment alignment = {});
  int columns() const { return columns_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Arrange(int columns);

  QGridLayout* grid_;
  std::vector<std::pair<QWidget*, Qt::Alignment>> cells_;
  int columns_ = 2;
};
