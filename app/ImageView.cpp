// The image starts white, as a blank picture does, and every canvas operation
// schedules a repaint. It holds the screen's device pixels, so what is drawn on
// it stays sharp at 2x; the canvas works in the control's own pixels.
#include "ImageView.h"

#include <QPainter>
#include <cmath>

ImageView::ImageView(QWidget* parent, int left, int top, int width, int height)
    : QWidget(parent), image_(DeviceImage(parent, width, height)), canvas_(image_) {
  setGeometry(left, top, width, height);
  image_.fill(Qt::white);
  canvas_.OnChange([this] { update(); });
}

QImage ImageView::DeviceImage(const QWidget* on, int width, int height) {
  const qreal ratio = on != nullptr ? on->devicePixelRatio() : 1.0;
  QImage image(static_cast<int>(std::ceil(width * ratio)), static_cast<int>(std::ceil(height * ratio)),
               QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  return image;
}

void ImageView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (stretch_)
    painter.drawImage(QRectF(rect()), image_);
  else
    painter.drawImage(QPointF(0, 0), image_);
}
