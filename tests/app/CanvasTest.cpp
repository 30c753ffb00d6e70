// The canvas's drawing rules: one-pixel lines without their last pixel, an
// empty box draws no ellipse, and on a 2x image the same shapes cover the
// blocks of the pixels they cover at 1x.
#include <gtest/gtest.h>

#include <QImage>

#include "Canvas.h"

namespace {

QImage Blank(int width, int height, qreal ratio = 1) {
  QImage image(static_cast<int>(width * ratio), static_cast<int>(height * ratio), QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::white);
  return image;
}

// The image's black pixels as a box (null when there are none).
QRect Inked(const QImage& image) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != qRgb(255, 255, 255)) box |= QRect(x, y, 1, 1);
  return box;
}

}  // namespace

TEST(CanvasTest, LinesLeaveOutTheirLastPixel) {
  QImage image = Blank(20, 10);
  Canvas canvas(image);
  canvas.MoveTo(2, 3);
  canvas.LineTo(12, 3);
  EXPECT_EQ(Inked(image), QRect(QPoint(2, 3), QPoint(11, 3)));
  canvas.MoveTo(15, 9);
  canvas.LineTo(15, 0);
  EXPECT_EQ(Inked(image), QRect(QPoint(2, 1), QPoint(15, 9)));

  // At 2x the same line covers the two-by-two blocks of the same pixels.
  QImage dense = Blank(20, 10, 2);
  Canvas fine(dense);
  fine.MoveTo(2, 3);
  fine.LineTo(12, 3);
  EXPECT_EQ(Inked(dense), QRect(QPoint(4, 6), QPoint(23, 7)));
  fine.MoveTo(12, 3);
  fine.LineTo(12, 8);
  EXPECT_EQ(Inked(dense), QRect(QPoint(4, 6), QPoint(25, 15)));
}

TEST(CanvasTest, ShapesKeepTheirBoxesAndAnEmptyBoxHoldsNoEllipse) {
  for (qreal ratio : {1.0, 2.0}) {
    QImage image = Blank(20, 20, ratio);
    Canvas canvas(image);
    canvas.Ellipse(7, 7, 7, 7);
    canvas.Ellipse(3, 5, 9, 5);
    EXPECT_TRUE(Inked(image).isNull()) << ratio;
    canvas.Rectangle(2, 4, 10, 9);
    const int r = static_cast<int>(ratio);
    EXPECT_EQ(Inked(image), QRect(2 * r, 4 * r, 8 * r, 5 * r)) << ratio;
    canvas.Ellipse(12, 12, 18, 16);
    EXPECT_EQ(Inked(image), QRect(QPoint(2 * r, 4 * r), QPoint(18 * r - 1, 16 * r - 1))) << ratio;
  }
}

TEST(CanvasTest, FillStopsAtTheBorderAt2x) {
  QImage image = Blank(10, 10, 2);
  Canvas canvas(image);
  canvas.SetPenColor(Qt::blue);
  canvas.Rectangle(1, 1, 9, 9);
  canvas.SetBrushColor(Qt::red);
  canvas.FloodFill(5, 5, Qt::blue);
  EXPECT_EQ(image.pixel(10, 10), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(2, 2), qRgb(0, 0, 255));
}
