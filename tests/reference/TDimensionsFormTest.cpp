// The dimensions window driven from the main window: what entering and
// leaving the boxes marks, and the colour that the centre lines inherit.
#include <QTest>

#include "Pixels.h"
#include "TDimensionsForm.h"
#include "WindowTest.h"

class TDimensionsFormTest : public WindowTest {
 protected:
  bool WithSampleEngines() const override { return false; }

  // The main window active with its boxes unlocked, as after choosing a
  // rocker option for a new engine.
  void ShowUnlockedMainForm() {
    MainForm->show();
    ActivateMainForm();
    MainForm->rockerGroup->button(1)->click();
    ASSERT_TRUE(Box("EdConrod")->isEnabled());
  }
  void ActivateMainForm() {
    MainForm->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(MainForm));
  }
  void Enter(const char* name) {
    Box(name)->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Box(name)->hasFocus(); })) << name;
  }
  const QImage& Picture() const { return DimensionsForm->Img_Scantlings->image(); }
};

namespace {

// Points on the drawn lines at the laid-out 450 by 200, clear of other shapes.
const QPoint kConrodMiddle(205, 111);
const QPoint kMcrankMiddle(33, 111);
const QRect kCrossheadRightHalf(392, 126, 6, 10);
// The vertical centre line through the axle, between the shapes.
const QRect kAxleCentreLine(48, 20, 3, 61);

void ClickShowDimensions() {
  QTest::mouseClick(MainForm->ChBDims, Qt::LeftButton, {}, QPoint(6, MainForm->ChBDims->height() / 2));
}

}  // namespace

TEST_F(TDimensionsFormTest, BeforeTheFirstDrawingBoxesMarkOnlyTheTopLeftPixel) {
  ShowUnlockedMainForm();
  EXPECT_EQ(ColoursIn(Picture(), Picture().rect()), std::set<QRgb>{kWhite});
  // Thin lines of no length and empty ellipses draw nothing; the wide
  // strokes of the connecting rod still leave their dot there.
  Enter("EdAngadv");
  Enter("EdConrod");
  EXPECT_EQ(Picture().pixel(0, 0), kRed);
  EXPECT_EQ(ColoursIn(Picture(), QRect(1, 0, 449, 200)), std::set<QRgb>{kWhite});
  EXPECT_EQ(ColoursIn(Picture(), QRect(0, 1, 1, 199)), std::set<QRgb>{kWhite});
  EXPECT_FALSE(DimensionsForm->isVisible());
}

TEST_F(TDimensionsFormTest, EnteringABoxMarksItRedAndLeavingItRestoresItsColour) {
  ShowUnlockedMainForm();
  MainForm->ChBDims->click();
  ASSERT_TRUE(DimensionsForm->isVisible());
  EXPECT_EQ(DimensionsForm->diagramWidth, 450);
  EXPECT_EQ(DimensionsForm->diagramHeight, 200);
  ActivateMainForm();
  EXPECT_TRUE(ColoursNear(Picture(), kConrodMiddle.x(), kConrodMiddle.y()).contains(kGreen));

  Enter("EdConrod");
  EXPECT_TRUE(ColoursNear(Picture(), kConrodMiddle.x(), kConrodMiddle.y()).contains(kRed));
  EXPECT_FALSE(ColoursNear(Picture(), kConrodMiddle.x(), kConrodMiddle.y()).contains(kGreen));
  EXPECT_TRUE(ColoursIn(Picture(), kCrossheadRightHalf).contains(kRed));
  EXPECT_FALSE(ColoursIn(Picture(), kCrossheadRightHalf).contains(kGreen));

  Enter("EdMcrank");
  EXPECT_TRUE(ColoursNear(Picture(), kConrodMiddle.x(), kConrodMiddle.y()).contains(kGreen));
  EXPECT_FALSE(ColoursNear(Picture(), kConrodMiddle.x(), kConrodMiddle.y()).contains(kRed));
  EXPECT_TRUE(ColoursIn(Picture(), kCrossheadRightHalf).contains(kGreen));
  EXPECT_FALSE(ColoursIn(Picture(), kCrossheadRightHalf).contains(kRed));
  EXPECT_TRUE(ColoursNear(Picture(), kMcrankMiddle.x(), kMcrankMiddle.y()).contains(kRed));
  EXPECT_FALSE(ColoursNear(Picture(), kMcrankMiddle.x(), kMcrankMiddle.y()).contains(kGreen));
}

TEST_F(TDimensionsFormTest, CentreLinesTakeTheColourOfTheLastMarkingDrawn) {
  ShowUnlockedMainForm();
  // The click takes the focus, so the box's exit marking comes first.
  Enter("EdCtoweighh");
  ClickShowDimensions();
  ASSERT_TRUE(MainForm->ChBDims->isChecked());
  EXPECT_TRUE(DimensionsForm->isVisible());
  std::set<QRgb> line = ColoursIn(Picture(), kAxleCentreLine);
  EXPECT_TRUE(line.contains(kBlue));
  EXPECT_FALSE(line.contains(kBlack) || line.contains(kGreen) || line.contains(kRed));

  ActivateMainForm();
  Enter("EdLarad");
  ClickShowDimensions();
  ASSERT_FALSE(MainForm->ChBDims->isChecked());
  EXPECT_FALSE(DimensionsForm->isVisible());
  line = ColoursIn(Picture(), kAxleCentreLine);
  EXPECT_TRUE(line.contains(kGreen));
  EXPECT_FALSE(line.contains(kBlue));

  // No box left since the last drawing: its last marking was the blue one.
  ActivateMainForm();
  ClickShowDimensions();
  line = ColoursIn(Picture(), kAxleCentreLine);
  EXPECT_TRUE(line.contains(kBlue));
  EXPECT_FALSE(line.contains(kGreen));
}
