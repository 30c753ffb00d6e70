// The animation window: the whole valve gear drawn from the results window's
// tables, one crank step further for each movement of the mouse over it.
#pragma once

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>
#include <cstdint>

#include "ImageView.h"

class TAnimaForm : public QWidget {
 public:
  explicit TAnimaForm(QWidget* parent = nullptr);

  void FormShow();
  void FormMouseMove();
  void ResetAnimFrame();
  int AnimColumn(double x) const;
  int AnimRow(double y) const;
  void DrawMechanism();
  void BtPrintClick();
  void BtCloseClick() { close(); }

  std::int32_t animStep = 0;
  std::int32_t winWidth = 0;
  std::int32_t winHeight = 0;
  double xMin = 0, xMax = 1, yMin = 0, yMax = 1;
  double lengthScale = 0;
  double heightScale = 0;

  QLabel* LbName;
  QPushButton* BtPrint;
  QPushButton* BtClose;
  QPlainTextEdit* MRocker;

 protected:
  void showEvent(QShowEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
};
