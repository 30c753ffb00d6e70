// The place is set when a window is first shown, again on a later showing
// when the user has not moved or sized it since, and again when the window
// manager's frame turns out other than the one assumed then, unless the
// window has been maximised or sized since: what the window manager or the
// user gave it is kept. The least
// covering place is found among the positions where an edge of the frame
// meets an edge of an open window or of the area: the covered area is
// piecewise bilinear in the position, so its least value lies on such a corner.
#include "WindowPlacement.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace {

QMargins lastFrame;  // of the last window a window manager framed

// The frame's extents may come from the window manager with no event of
// their own: the place is looked at again this long after a showing.
constexpr int kSettleMs[] = {150, 600};

QSize Grown(QSize size, const QMargins& frame) {
  return size + QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
}

long long Covered(const QRect& frame, const std::vector<QRect>& open) {
  long long area = 0;
  for (const QRect& other : open) {
    const QRect both = frame & other;
    area += static_cast<long long>(both.width()) * both.height();
  }
  return area;
}

// The frames of the other windows on the screen (not popups or tool tips).
std::vector<QRect> OpenFrames(const QWidget* except) {
  std::vector<QRect> frames;
  for (const QWidget* other : QApplication::topLevelWidgets()) {
    const Qt::WindowType type = other->windowType();
    if (other == except || !other->isVisible() || other->isMinimized()) continue;
    if (type == Qt::Window || type == Qt::Dialog) frames.push_back(WindowPlacement::OuterFrame(other));
  }
  return frames;
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
  // copy until it next moves). While the window manager is still putting its
  // frame round the window they may come out negative: not known yet, then.
  const QWindow* native = window->windowHandle();
  QMargins own = native != nullptr ? native->frameMargins() : QMargins();
  if (own.left() < 0 || own.top() < 0 || own.right() < 0 || own.bottom() < 0) own = QMargins();
  if (!own.isNull()) lastFrame = own;
  return own.isNull() ? lastFrame : own;
}

QSize WindowPlacement::OuterSize(const QWidget* window) {
  return Grown(window->size(), Frame(window));
}

QRect WindowPlacement::OuterFrame(const QWidget* window) {
  const QMargins frame = Frame(window);
  return QRect(window->geometry().topLeft() - QPoint(frame.left(), frame.top()), OuterSize(window));
}

QPoint WindowPlacement::Fit(QPoint wanted, QSize outer, const QRect& area) {
  const int x = std::max(area.left(), std::min(wanted.x(), area.right() + 1 - outer.width()));
  const int y = std::max(area.top(), std::min(wanted.y(), area.bottom() + 1 - outer.height()));
  return {x, y};
}

QPoint WindowPlacement::LeastCovering(QPoint wanted, QSize outer, const QRect& area,
                                      const std::vector<QRect>& open) {
  const QPoint start = Fit(wanted, outer, area);
  std::vector<int> xs{start.x(), area.left(), area.right() + 1 - outer.width()};
  std::vector<int> ys{start.y(), area.top(), area.bottom() + 1 - outer.height()};
  for (const QRect& other : open) {
    xs.insert(xs.end(), {other.left() - outer.width(), other.left(), other.right() + 1 - outer.width(),
                         other.right() + 1});
    ys.insert(ys.end(), {other.top() - outer.height(), other.top(), other.bottom() + 1 - outer.height(),
                         other.bottom() + 1});
  }
  const auto cost = [&](QPoint at) {
    const QPoint off = at - start;
    return std::pair(Covered(QRect(at, outer), open),
                     static_cast<long long>(off.x()) * off.x() + static_cast<long long>(off.y()) * off.y());
  };
  QPoint best = start;
  auto bestCost = cost(start);
  for (const int x : xs)
    for (const int y : ys) {
      const QPoint at = Fit({x, y}, outer, area);
      const auto atCost = cost(at);
      if (atCost < bestCost) best = at, bestCost = atCost;
    }
  return best;
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
  const QSize client =
      outer_ ? outer - QSize(frame.left() + frame.right(), frame.top() + frame.bottom()) : window_->size();
  const QPoint wanted = centred ? area.center() - QPoint(outer.width() / 2, outer.height() / 2) : position_;
  set_ = QRect(LeastCovering(wanted, outer, area, OpenFrames(window_)), outer);
  // The client's own place, inside the frame as it is known now: a frame
  // position would be taken for the client's by a window not yet framed.
  window_->setGeometry(QRect(set_.topLeft() + QPoint(frame.left(), frame.top()), client));
  client_ = window_->size();
}

bool WindowPlacement::AsSet() const {
  const Qt::WindowStates given = Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized;
  return !(window_->windowState() & given) && window_->size() == client_;
}

bool WindowPlacement::WhereSet() const {
  return OuterFrame(window_) == set_;
}

// A frame that the window manager put elsewhere than asked (its extents
// counted twice, or not at all) is moved by the difference.
void WindowPlacement::Settle() {
  if (!window_->isVisible() || window_->windowHandle() == nullptr) return;
  if (!AsSet()) return;
  if (Frame(window_) != applied_) {
    Apply();
    return;
  }
  const QPoint off = set_.topLeft() - OuterFrame(window_).topLeft();
  if (!off.isNull()) window_->windowHandle()->setPosition(window_->windowHandle()->position() + off);
}

bool WindowPlacement::eventFilter(QObject* watched, QEvent* event) {
  if (watched == window_) {
    const QEvent::Type type = event->type();
    if (type == QEvent::Show && !event->spontaneous()) {
      if (!placed_ || WhereSet()) Apply();
      for (const int ms : kSettleMs) QTimer::singleShot(ms, this, [this] { Settle(); });
    }
    // The window manager has put its frame round the window just now (its
    // extents may come after the move that reparenting causes, so painting
    // and activation look again).
    const bool mayBeFramed = type == QEvent::Move || type == QEvent::Resize || type == QEvent::Paint ||
                             type == QEvent::WindowActivate;
    if (mayBeFramed && window_->isVisible() && Frame(window_) != applied_ && AsSet()) Apply();
  }
  return QObject::eventFilter(watched, event);
}
