// A picture control: a fixed-size image with its canvas, painted from the
// image so whatever was drawn survives uncovering and repainting.
#pragma once

#include <QImage>
#include <QWidget>

#include "Canvas.h"

class ImageView : public QWidget {
 public:
  ImageView(QWidget* parent, int left, int top, int width, int height);
  Canvas& canvas() { return canvas_; }
  QImage& image() { return image_; }
  // When set, the picture is stretched over the control's current size.
  void SetStretch(bool stretch) { stretch_ = stretch; }
  // The picture's size in the control's pixels (the image may hold more).
  QSize PictureSize() const { return image_.deviceIndependentSize().toSize(); }
  // A blank image of width by height device-independent pixels at the
  // pixel density of the screen the widget `on` is on.
  static QImage DeviceImage(const QWidget* on, int width, int height);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage image_;
  Canvas canvas_;
  bool stretch_ = false;
};
