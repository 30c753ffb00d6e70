// A dialog without title-bar buttons that stays on top; "OK" is both the
// default (Enter) and the cancel (Escape) button and ends the modal display.
// Window managers such as openbox put buttons on every title bar, so the
// window asks for no title bar and draws its own thin frame.
#include "TRockerForm.h"

#include <QPainter>
#include <QSvgRenderer>

#include "Controls.h"
#include "Reaction.h"
#include "WindowPlacement.h"

namespace {

// The line drawing at its own size, drawn at the screen's pixel density.
QLabel* Picture(QWidget* parent, const QString& resource, int left, int top, int width, int height) {
  auto* picture = new QLabel(parent);
  picture->setGeometry(left, top, width, height);
  QSvgRenderer drawing(resource);
  const qreal ratio = parent->devicePixelRatio();
  QPixmap pixmap(drawing.defaultSize() * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::white);
  QPainter painter(&pixmap);
  drawing.render(&painter, QRectF(QPointF(0, 0), drawing.defaultSize()));
  picture->setPixmap(pixmap);
  picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return picture;
}

}  // namespace

TRockerForm::TRockerForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName("RockerForm");
  setProperty("helpTopic", "rockers");  // the help page F1 opens
  setWindowTitle("ROCKER  TYPES");
  setFont(Controls::Font());
  setModal(true);
  ImageA = Picture(this, ":/pictures/rocker_a.svg", 14, 8, 203, 201);
  ImageB = Picture(this, ":/pictures/rocker_b.svg", 240, 8, 201, 201);
  OKBtn = Controls::Button(this, "OK", 186, 222, 92, 30);
  OKBtn->setDefault(true);
  OKBtn->setAutoDefault(true);
  connect(OKBtn, &QPushButton::clicked, this, Reaction([this](bool) { OKBtnClick(); }));
  WindowPlacement::Centre(this, {456, 259});
}

void TRockerForm::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
