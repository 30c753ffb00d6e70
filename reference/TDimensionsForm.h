// The dimensions window: a line diagram of the valve gear on which each
// dimension box of the main window marks its length or angle.
#pragma once

#include <QLabel>
#include <QWidget>

#include "ImageView.h"

class TDimensionsForm : public QWidget {
 public:
  explicit TDimensionsForm(QWidget* parent = nullptr);
  // Draws the whole diagram in its normal colours and keeps the picture's
  // size in pixels as the scale of later markings.
  void DrawDimensions();
  // Draws marking index (0..12, in drawing order) red or in its own colour,
  // scaled to the size kept by the last DrawDimensions (none before it).
  void Mark(int index, bool highlight);

  double diagramWidth = 0;
  double diagramHeight = 0;

  ImageView* Img_Scantlings;
  QLabel* Label1;
  QLabel* Label2;
};
