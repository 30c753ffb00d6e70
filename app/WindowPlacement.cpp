// The place is set when a window is first shown and again when the window
// manager's frame turns out other than the one assumed then; later showings
// keep wherever the user has moved or sized the window.
#include "WindowPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace {

QMargins lastFrame;  // of the last window a window manager framed

QSize Grown(QSize size, const QMargins& frame) {
  return size + QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
}

}  // namespace

WindowPlacement::WindowPlacement(QWidget* window, QPoint position, QSize size, bool outer)
    : QObject(window), window_(window), position_(position), size_(size), outer_(outer) {
  window->installEventFilter(this);
  Apply();
  placed_ = false;  // placed again, with what is known then, on the first showing
}

void WindowPlacement::PlaceOuter(QWidget* window, QPoint position, QSize outer) {
  new WindowPlacement(window, position, outer, true);
}

void WindowPlacement::Centre(QWidget* window, QSize client) {
  window->setFixedSize(client);
  new WindowPlacement(window, QPoint(-1, -1), client, false);
}

QMargins WindowPlacement::Frame(const QWidget* window) {
  // The native window's margins are read afresh (the widget keeps an old
  // copy until it next moves).
  const QWindow* native = window->windowHandle();
  const QMargins own = native != nullptr ? native->frameMargins() : QMargins();
  if (!own.isNull()) lastFrame = own;
  return own.isNull() ? lastFrame : own;
}

QSize WindowPlacement::OuterSize(const QWidget* window) {
  return Grown(window->size(), Frame(window));
}

QPoint WindowPlacement::Fit(QPoint wanted, QSize outer, const QRect& area) {
  const int x = std::max(area.left(), std::min(wanted.x(), area.right() + 1 - outer.width()));
  const int y = std::max(area.top(), std::min(wanted.y(), area.bottom() + 1 - outer.height()));
  return {x, y};
}

QRect WindowPlacement::AvailableAt(QPoint position) {
  const QScreen* screen = QGuiApplication::screenAt(position);
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->availableGeometry() : QRect();
}

void WindowPlacement::Apply() {
  const QMargins frame = Frame(window_);
  applied_ = frame;
  placed_ = true;
  const bool centred = position_.x() < 0;
  const QRect area = AvailableAt(centred ? QPoint() : position_);
  // A laid-out outer size larger than the screen shrinks to it (a resizable
  // study window on a small or doubled screen).
  QSize outer = outer_ ? size_ : Grown(size_, frame);
  if (outer_ && area.isValid()) outer = outer.boundedTo(area.size());
  if (outer_) window_->resize(outer - QSize(frame.left() + frame.right(), frame.top() + frame.bottom()));
  const QPoint wanted = centred ? area.center() - QPoint(outer.width() / 2, outer.height() / 2) : position_;
  window_->move(Fit(wanted, outer, area));
}

bool WindowPlacement::eventFilter(QObject* watched, QEvent* event) {
  if (watched == window_) {
    const QEvent::Type type = event->type();
    if (type == QEvent::Show && !placed_) Apply();
    // The window manager has put its frame round the window just now (its
    // extents may come after the move that reparenting causes, so painting
    // and activation look again).
    const bool mayBeFramed = type == QEvent::Move || type == QEvent::Resize || type == QEvent::Paint ||
                             type == QEvent::WindowActivate;
    if (mayBeFramed && window_->isVisible() && Frame(window_) != applied_) Apply();
  }
  return QObject::eventFilter(watched, event);
}
