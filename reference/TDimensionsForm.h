// The dimensions window: a line diagram of the valve gear on which each
// dimension box of the main window marks its length or angle.
#pragma once

#include <QLabel>
#include <QWidget>

#include "ImageView.h"

class TDimensionsForm : public QWidget {
 public:
  explicit TDimensionsForm(QWidget* parent = nullptr);
  // Draws the whole diagram in its normal colours; sets width and height to
  // the picture's size in pixels (the main window keeps them).
  void DrawDimensions(double& width, double& height);
  // Draws marking index (0..12, in drawing order) red or in its own colour,
  // scaled to the given picture size.
  void Mark(int index, bool highlight, double width, double height);

  ImageView* Img_Scantlings;
  QLabel* Label1;
  QLabel* Label2;
};
