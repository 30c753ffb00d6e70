// A dialog frame without title-bar buttons that stays on top; "OK" is both the
// default (Enter) and the cancel (Escape) button and ends the modal display.
#include "TRockerForm.h"

#include "Controls.h"
#include "Reaction.h"
#include "WindowPlacement.h"

namespace {

QLabel* Picture(QWidget* parent, const QString& resource, int left, int top, int width, int height) {
  auto* picture = new QLabel(parent);
  picture->setGeometry(left, top, width, height);
  picture->setPixmap(QPixmap(resource));
  picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return picture;
}

}  // namespace

TRockerForm::TRockerForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint) {
  setObjectName("RockerForm");
  setWindowTitle("ROCKER  TYPES");
  setFont(Controls::Font());
  setModal(true);
  ImageA = Picture(this, ":/pictures/rocker_a.bmp", 14, 8, 203, 201);
  ImageB = Picture(this, ":/pictures/rocker_b.bmp", 240, 8, 201, 201);
  OKBtn = Controls::Button(this, "OK", 186, 222, 92, 30);
  OKBtn->setDefault(true);
  OKBtn->setAutoDefault(true);
  connect(OKBtn, &QPushButton::clicked, this, Reaction([this](bool) { OKBtnClick(); }));
  WindowPlacement::Centre(this, {456, 259});
}
