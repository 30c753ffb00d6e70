// The image starts white, as a blank picture does, and every canvas operation
// schedules a repaint.
#include "ImageView.h"

#include <QPainter>

ImageView::ImageView(QWidget* parent, int left, int top, int width, int height)
    : QWidget(parent), image_(width, height, QImage::Format_RGB32), canvas_(image_) {
  setGeometry(left, top, width, height);
  image_.fill(Qt::white);
  canvas_.OnChange([this] { update(); });
}

void ImageView::SetPicture(const QImage& picture) {
  image_ = picture.convertToFormat(QImage::Format_RGB32);
  update();
}

void ImageView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (stretch_)
    painter.drawImage(rect(), image_);
  else
    painter.drawImage(0, 0, image_);
}
