// Every window on the screen's available area, at its laid-out place where
// that fits, with its laid-out outer size, and a new window where it covers
// the least of those open. The suite runs once more at 2x on a 2560 by 1440
// screen, where several laid-out places do not fit.
#include <QScreen>
#include <QTest>
#include <random>

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

long long Covered(const QRect& frame, const std::vector<QRect>& open) {
  long long area = 0;
  for (const QRect& other : open)
    area += static_cast<long long>((frame & other).width()) * (frame & other).height();
  return area;
}

// The least that a frame of this size can cover anywhere in the area, by trying every place.
long long LeastAnywhere(QSize outer, const QRect& area, const std::vector<QRect>& open) {
  long long least = -1;
  for (int y = area.top(); y + outer.height() <= area.bottom() + 1; ++y)
    for (int x = area.left(); x + outer.width() <= area.right() + 1; ++x) {
      const long long covered = Covered(QRect(QPoint(x, y), outer), open);
      if (least < 0 || covered < least) least = covered;
    }
  return least;
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
      EXPECT_TRUE(QTest::qWaitFor([&] {
        return WindowPlacement::OuterFrame(laid.window).size() == laid.outer;
      })) << name;
    }
    const QRect frame = WindowPlacement::OuterFrame(laid.window);
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

TEST_F(WindowPlacementTest, ANewWindowCoversTheLeastOfThoseOpenAndAMovedOneStaysWhereTheUserPutIt) {
  MainForm->show();
  ResultsForm->show();
  AnimaForm->show();
  const QRect area = AnimaForm->screen()->availableGeometry();
  const std::vector<QRect> open{WindowPlacement::OuterFrame(MainForm),
                                WindowPlacement::OuterFrame(ResultsForm)};
  const QRect animation = WindowPlacement::OuterFrame(AnimaForm);
  EXPECT_TRUE(area.contains(animation));
  EXPECT_EQ(Covered(animation, open), LeastAnywhere(animation.size(), area, open));

  // Moved by the user, a window comes back there; left alone, it is placed afresh.
  AnimaForm->hide();
  AnimaForm->move(area.topLeft() + QPoint(3, 4));
  const QRect moved = WindowPlacement::OuterFrame(AnimaForm);
  AnimaForm->show();
  EXPECT_EQ(WindowPlacement::OuterFrame(AnimaForm), moved);
  ResultsForm->hide();
  AnimaForm->hide();
  ResultsForm->show();
  EXPECT_EQ(Covered(WindowPlacement::OuterFrame(ResultsForm), {WindowPlacement::OuterFrame(MainForm)}),
            LeastAnywhere(WindowPlacement::OuterFrame(ResultsForm).size(), area,
                          {WindowPlacement::OuterFrame(MainForm)}));
}

TEST(WindowPlacementLeastTest, FindsThePlaceThatCoversTheLeastAndKeepsTheWantedOneWhenItCoversNothing) {
  const QRect area(10, 20, 120, 90);
  const QSize outer(50, 30);
  EXPECT_EQ(WindowPlacement::LeastCovering({40, 40}, outer, area, {}), QPoint(40, 40));
  EXPECT_EQ(WindowPlacement::LeastCovering({200, 40}, outer, area, {QRect(10, 80, 20, 20)}), QPoint(80, 40));
  std::mt19937 random(7);
  const auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  for (int trial = 0; trial < 200; ++trial) {
    std::vector<QRect> open;
    for (int n = in(1, 4); n > 0; --n) open.emplace_back(in(0, 120), in(10, 100), in(5, 70), in(5, 60));
    const QPoint wanted(in(0, 120), in(0, 110));
    const QPoint at = WindowPlacement::LeastCovering(wanted, outer, area, open);
    ASSERT_TRUE(area.contains(QRect(at, outer))) << trial;
    ASSERT_EQ(Covered(QRect(at, outer), open), LeastAnywhere(outer, area, open)) << trial;
  }
}
