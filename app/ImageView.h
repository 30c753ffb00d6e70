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
  void SetPicture(const QImage& picture);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage image_;
  Canvas canvas_;
  bool stretch_ = false;
};
