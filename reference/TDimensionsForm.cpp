// The dimensions window's controls; the drawing comes with the diagram.
#include "TDimensionsForm.h"

#include "Controls.h"

TDimensionsForm::TDimensionsForm(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("DimensionsForm");
  setWindowTitle("Dimensions");
  Img_Scantlings = new ImageView(this, 13, 26, 450, 200);
  Controls::PlaceWindow(this, 255, 80, 478, 285);
}

void TDimensionsForm::DrawDimensions(double& width, double& height) {
  width = Img_Scantlings->width();
  height = Img_Scantlings->height();
}

void TDimensionsForm::Mark(int, bool, double, double) {}
