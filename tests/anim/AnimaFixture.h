// Window tests of the animation: a sample engine run through "GET  RESULTS"
// and "GO" as the user does, so that the animation has its tables to draw.
#pragma once

#include <QImage>
#include <QTest>

#include "Canvas.h"
#include "TAnimaForm.h"
#include "TResultsForm.h"
#include "WindowPlacement.h"
#include "WindowTest.h"

class AnimaFixture : public WindowTest {
 protected:
  static constexpr const char* kGoods = "Goods 0-6-0 slide valve";   // outside admission, no rocker
  static constexpr const char* kTank = "Tank 0-6-2T piston valves";  // inside admission, no rocker
  static constexpr const char* kExpress = "Express 4-4-0 rocker B";
  static constexpr const char* kLowShaft = "Low shaft, short lifting link";  // rocker A

  void Run(const char* engine, const char* angle = "15") {
    Pick(engine);
    MainForm->BtResults->click();
    ResultsForm->EdLa_ang->setText(angle);
    ResultsForm->BtGo->click();
    ASSERT_TRUE(ResultsForm->BtAnima->isEnabled()) << engine;
    // The results window takes the focus before "ANIMATE" is pressed on it.
    QCoreApplication::processEvents();
  }

  // Shows the window once its outer size is the design's 717 by 489, as it
  // is kept whatever frame a window manager adds.
  static void ShowAtDesignSize() {
    ResultsForm->BtAnimaClick();
    ASSERT_TRUE(QTest::qWaitFor([] { return WindowPlacement::OuterSize(AnimaForm) == QSize(717, 489); }));
    AnimaForm->close();
    ResultsForm->BtAnimaClick();
    ASSERT_EQ(AnimaForm->winWidth, 717);
    ASSERT_EQ(AnimaForm->winHeight, 489);
  }

  static bool Black(const QImage& image, int x, int y) { return image.pixel(x, y) == qRgb(0, 0, 0); }
  // The black pixels of a row between two columns, both included.
  static int BlackInRow(const QImage& image, int y, int from, int to) {
    int count = 0;
    for (int x = from; x <= to; ++x) count += Black(image, x, y);
    return count;
  }
  // Where the picture puts a joint at a step, in pixels.
  static QPoint JointPixel(int step, Joint joint) {
    const GearRun& gear = *TheSession().latestRun();
    return {AnimaForm->AnimColumn(0.15 + gear.joints.X[step][joint] / AnimaForm->lengthScale),
            AnimaForm->AnimRow(0.38 + gear.joints.Y[step][joint] / AnimaForm->heightScale)};
  }
  // Whether every pixel of the radius-3 joint circle around centre is black
  // in the picture (lines through it may blacken more).
  static bool CircleDrawnAt(const QImage& picture, QPoint centre) {
    QImage reference(picture.size(), QImage::Format_RGB32);
    reference.fill(Qt::white);
    Canvas canvas(reference);
    canvas.Ellipse(centre.x() - 3, centre.y() - 3, centre.x() + 3, centre.y() + 3);
    int ring = 0;
    for (int y = 0; y < reference.height(); ++y)
      for (int x = 0; x < reference.width(); ++x)
        if (Black(reference, x, y) && (++ring, !Black(picture, x, y))) return false;
    return ring > 0;
  }
};
