// Every window on the screen's available area, at its laid-out place where
// that fits, with its laid-out outer size. The suite runs once more at 2x on
// a 2560 by 1440 screen, where several laid-out places do not fit.
#include <QScreen>
#include <QTest>

#include "HelpWindow.h"
#include "TAnimaForm.h"
#include "TDimensionsForm.h"
#include "TResultsForm.h"
#include "TRockerForm.h"
#include "TSplashForm.h"
#include "TStdAboutForm.h"
#include "WindowPlacement.h"
#include "WindowTest.h"

using WindowPlacementTest = WindowTest;

namespace {

// The frame round the window (Qt may go on reporting none for a while
// after the window manager has framed a window; the frame of the windows it
// framed before stands in then).
QRect OuterFrame(const QWidget* window) {
  const QMargins frame = WindowPlacement::Frame(window);
  return QRect(window->geometry().topLeft() - QPoint(frame.left(), frame.top()),
               WindowPlacement::OuterSize(window));
}

}  // namespace

TEST_F(WindowPlacementTest, EveryWindowLiesOnTheScreenAtItsPlaceWhereThatFits) {
  TSplashForm splash;
  struct Laid {
    QWidget* window;
    QPoint place;  // (-1, -1): centred
    QSize outer;   // empty: not laid out by its outer size
  };
  const Laid windows[] = {
      {&splash, {311, 174}, {462, 428}},
      {MainForm, {5, 462}, {575, 289}},
      {ResultsForm, {6, 89}, {599, 371}},
      {AnimaForm, {241, 154}, {717, 489}},
      {DimensionsForm, {255, 80}, {486, 312}},
      {RockerForm, {-1, -1}, {}},
      {StdAboutForm, {-1, -1}, {}},
      {HelpWindow::Instance(), {-1, -1}, {}},
  };
  for (const Laid& laid : windows) {
    laid.window->show();
    const char* name = laid.window->metaObject()->className();
    if (!laid.outer.isEmpty()) {
      EXPECT_TRUE(QTest::qWaitFor([&] { return OuterFrame(laid.window).size() == laid.outer; })) << name;
    }
    const QRect frame = OuterFrame(laid.window);
    const QRect area = laid.window->screen()->availableGeometry();
    EXPECT_TRUE(area.contains(frame)) << name;
    if (laid.place.x() >= 0 && area.contains(QRect(laid.place, laid.outer))) {
      EXPECT_EQ(frame.topLeft(), laid.place) << name;
    }
    laid.window->hide();
  }
}

TEST(WindowPlacementFitTest, MovesAFrameOnlyAsFarAsTheAreaNeeds) {
  const QRect area(0, 0, 1280, 720);
  EXPECT_EQ(WindowPlacement::Fit({5, 462}, {575, 289}, area), QPoint(5, 431));
  EXPECT_EQ(WindowPlacement::Fit({241, 154}, {717, 489}, area), QPoint(241, 154));
  EXPECT_EQ(WindowPlacement::Fit({-20, 900}, {2000, 100}, area), QPoint(0, 620));
}
