// Which colours a drawing left in a region of a picture, and where one colour
// lies, for checking the diagrams without pinning every pixel.
#pragma once

#include <QImage>
#include <QRect>
#include <set>

inline const QRgb kWhite = qRgb(255, 255, 255);
inline const QRgb kBlack = qRgb(0, 0, 0);
inline const QRgb kRed = qRgb(255, 0, 0);
inline const QRgb kGreen = qRgb(0, 128, 0);
inline const QRgb kBlue = qRgb(0, 0, 255);

inline std::set<QRgb> ColoursIn(const QImage& image, QRect region) {
  std::set<QRgb> colours;
  region &= image.rect();
  for (int y = region.top(); y <= region.bottom(); ++y)
    for (int x = region.left(); x <= region.right(); ++x) colours.insert(image.pixel(x, y));
  return colours;
}

inline std::set<QRgb> ColoursNear(const QImage& image, int x, int y, int reach = 1) {
  return ColoursIn(image, QRect(x - reach, y - reach, 2 * reach + 1, 2 * reach + 1));
}

// The smallest box around the pixels of one colour in a region (null if none).
inline QRect ExtentOf(const QImage& image, QRect region, QRgb colour) {
  QRect extent;
  region &= image.rect();
  for (int y = region.top(); y <= region.bottom(); ++y)
    for (int x = region.left(); x <= region.right(); ++x)
      if (image.pixel(x, y) == colour) extent |= QRect(x, y, 1, 1);
  return extent;
}
