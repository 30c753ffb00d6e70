// Top-level windows placed by their outer frame: a laid-out outer size is kept
// whatever frame the window manager adds, and the frame goes onto the screen's
// available area where it covers the least of the windows already open, at
// the laid-out position when that covers no more than any other.
#pragma once

#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

class QWidget;

class WindowPlacement : public QObject {
 public:
  // The outer size and the frame's top-left corner as laid out.
  static void PlaceOuter(QWidget* window, QPoint position, QSize outer);
  // A fixed client size, the frame centred on the available area.
  static void Centre(QWidget* window, QSize client);
  // The frame's margins: the window's own once the window manager has
  // framed it, until then those of the last window it framed.
  static QMargins Frame(const QWidget* window);
  static QSize OuterSize(const QWidget* window);
  // The window's frame on the screen.
  static QRect OuterFrame(const QWidget* window);
  // The position nearest to `wanted` at which a frame of size `outer` lies
  // inside `area` (its top-left corner when it is larger than the area).
  static QPoint Fit(QPoint wanted, QSize outer, const QRect& area);
  // Of the places inside `area`, the one where a frame of size `outer`
  // covers the least of the `open` frames, the nearest to `wanted` of those.
  static QPoint LeastCovering(QPoint wanted, QSize outer, const QRect& area, const std::vector<QRect>& open);
  // The available area of the screen that holds `position`.
  static QRect AvailableAt(QPoint position);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  WindowPlacement(QWidget* window, QPoint position, QSize size, bool outer);
  void Apply();
  void Settle();
  bool WhereSet() const;
  bool AsSet() const;

  QWidget* window_;
  QPoint position_;
  QSize size_;
  bool outer_;
  bool placed_ = false;
  QMargins applied_;
  QRect set_;     // the frame as last placed
  QSize client_;  // the window's size as last placed
};
