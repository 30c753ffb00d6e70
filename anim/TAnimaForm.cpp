// The animation window's controls; the drawing comes with the mechanism.
#include "TAnimaForm.h"

#include "Controls.h"
#include "Reaction.h"

TAnimaForm::TAnimaForm(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("AnimaForm");
  setWindowTitle("ANIMATION");
  setFont(Controls::Font());
  MRocker =
      Controls::Memo(this, 33, 20, 202, 33,
                     {"NOTE:  Rocker not shown, but is taken", "into account in determining valve motion"});
  Controls::Label(this, "ENGINE::", 33, 438, true);
  LbName = Controls::Label(this, "", 99, 438, true);
  BtPrint = Controls::Button(this, "PRINT FORM", 403, 430, 85, 20);
  BtClose = Controls::Button(this, "CLOSE", 515, 430, 61, 20);
  connect(BtClose, &QPushButton::clicked, this, Reaction([this](bool) { BtCloseClick(); }));
  Controls::PlaceWindow(this, 241, 154, 709, 462);
}

void TAnimaForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
}
void TAnimaForm::mouseMoveEvent(QMouseEvent*) {}
void TAnimaForm::FormShow() {}
void TAnimaForm::FormMouseMove() {}
void TAnimaForm::ResetAnimFrame() {}
int TAnimaForm::AnimColumn(double x) const {
  return static_cast<int>(winWidth * x);
}
int TAnimaForm::AnimRow(double y) const {
  return static_cast<int>(winHeight * (1 - y));
}
void TAnimaForm::DrawMechanism() {}
void TAnimaForm::BtPrintClick() {}
