// The gear, the valve over its ports and the diagram marker, checked pixel by
// pixel in the picture drawn at the window's design size.
#include "AnimaFixture.h"

using MechanismPictureTest = AnimaFixture;

namespace {

constexpr int kStep = 45;  // mid-stroke, where the diagram marker moves fastest

// Draws step k as the mouse handler does, with the valve centred on its ports.
void DrawCentred(int k) {
  RunInPlace().valveTable[k] = 0;
  AnimaForm->animStep = k - 1;
  AnimaForm->FormMouseMove();
}

bool IsGridColumn(int x) {
  for (int i = 1; i < 10; ++i)
    if (x == ResultsForm->DiagramColumn(i / 10.0)) return true;
  return false;
}

// The diagram's green pixels, grid lines aside, as a bounding box.
QRect GreenOnDiagram() {
  const QImage& diagram = ResultsForm->Oval->image();
  QRect box;
  for (int y = 0; y < diagram.height(); ++y)
    for (int x = 0; x < diagram.width(); ++x)
      if (!IsGridColumn(x) && diagram.pixel(x, y) == qRgb(0, 128, 0)) box |= QRect(x, y, 1, 1);
  return box;
}

QPoint DiagramPoint(int sample) {
  const GearRun& gear = *TheSession().latestRun();
  return {ResultsForm->DiagramColumn(gear.pistonTable[sample] / gear.strokeScale + 0.5),
          ResultsForm->DiagramRow(gear.valveTable[sample] / ResultsForm->travelScale() + 0.5)};
}

}  // namespace

TEST_F(MechanismPictureTest, SlideValveAndGearSitWhereTheDesignSizePutsThem) {
  Run(kGoods);
  ShowAtDesignSize();
  DrawCentred(kStep);
  const QImage& picture = AnimaForm->picture();
  EXPECT_TRUE(CircleDrawnAt(picture, {107, 303}));
  EXPECT_TRUE(CircleDrawnAt(picture, JointPixel(kStep, die)));
  // The dotted line of stroke, beyond the crosshead's reach.
  const int right = picture.width() - 1;
  EXPECT_GT(BlackInRow(picture, 303, 675, right), 10);
  EXPECT_LT(BlackInRow(picture, 303, 675, right), right - 675);
  EXPECT_EQ(BlackInRow(picture, 302, 675, right) + BlackInRow(picture, 304, 675, right), 0);
  // The port face, the ports above it, and no bore below.
  EXPECT_EQ(BlackInRow(picture, 48, 395, 680), 286);
  EXPECT_EQ(picture.pixel(537, 20), qRgb(255, 255, 255));
  EXPECT_EQ(picture.pixel(470, 30), qRgb(255, 255, 255));
  EXPECT_EQ(BlackInRow(picture, 146, 395, 680), 0);
  // The valve's back runs from 460 to 614, centred on column 537.
  EXPECT_TRUE(Black(picture, 460, 97) && Black(picture, 614, 97) && Black(picture, 537, 97));
  EXPECT_FALSE(Black(picture, 459, 97) || Black(picture, 615, 97));
  // At zero travel the left face's inner edge meets the port's inner edge and
  // its outer edge overhangs the port by the lap.
  EXPECT_NEAR(AnimaForm->lapDrawn, 1.0 / 28 / 1.5, 1e-12);
  EXPECT_TRUE(Black(picture, 486, 60));
  EXPECT_TRUE(Black(picture, static_cast<int>(717 * (0.75 - 3.0 / 28 - AnimaForm->lapDrawn)), 60));
  EXPECT_FALSE(Black(picture, 470, 60));
  EXPECT_EQ(AnimaForm->markerHalf, 3);
}

TEST_F(MechanismPictureTest, PistonValveLiesInItsBoreWithTheLapOnTheInnerEdges) {
  Run(kTank);
  ShowAtDesignSize();
  DrawCentred(kStep);
  const QImage& picture = AnimaForm->picture();
  EXPECT_EQ(BlackInRow(picture, 48, 395, 680), 286);
  EXPECT_EQ(BlackInRow(picture, 146, 395, 680), 286);
  // Heads from 435 to 480 and from 594 to 639 about column 537, over the
  // steam ports (435..459 and 615..639) and reaching in by the lap.
  for (int x : {435, 480, 594, 639}) EXPECT_TRUE(Black(picture, x, 100)) << x;
  EXPECT_FALSE(Black(picture, 434, 100) || Black(picture, 640, 100));
  EXPECT_EQ(picture.pixel(445, 30), qRgb(255, 255, 255));
  // The body between the heads is an outline, its inside left clear.
  EXPECT_TRUE(Black(picture, 537, 73) && Black(picture, 537, 121));
  EXPECT_FALSE(Black(picture, 537, 97));
}

TEST_F(MechanismPictureTest, MarkerMovesAlongTheValveCurve) {
  Run(kGoods);
  ShowAtDesignSize();
  AnimaForm->animStep = kStep - 2;
  AnimaForm->FormMouseMove();
  AnimaForm->FormMouseMove();
  const QPoint at = DiagramPoint(kStep);
  // Only the current ring is left green: the previous one was painted out.
  EXPECT_EQ(GreenOnDiagram(), QRect(at.x() - 3, at.y() - 3, 6, 6));
  EXPECT_EQ(ResultsForm->Oval->image().pixel(DiagramPoint(kStep - 1)), qRgb(255, 0, 0));
}

TEST_F(MechanismPictureTest, ShapesWithoutAScaleAreLeftOut) {
  Run(kGoods);
  ShowAtDesignSize();
  EngineInPlace().port = 0;
  DrawCentred(kStep);
  // No valve without a port width to scale it, but the port face and ports.
  EXPECT_EQ(BlackInRow(AnimaForm->picture(), 48, 395, 680), 286);
  EXPECT_EQ(BlackInRow(AnimaForm->picture(), 97, 395, 680), 0);
  EXPECT_EQ(AnimaForm->picture().pixel(537, 20), qRgb(255, 255, 255));
  EXPECT_TRUE(CircleDrawnAt(AnimaForm->picture(), {107, 303}));

  const QImage diagram = ResultsForm->Oval->image().copy();
  RunInPlace().strokeScale = 0;
  DrawCentred(kStep);
  EXPECT_EQ(ResultsForm->Oval->image(), diagram);

  EngineInPlace().conrod = 0;
  AnimaForm->close();
  ResultsForm->BtAnimaClick();
  DrawCentred(kStep);
  EXPECT_FALSE(CircleDrawnAt(AnimaForm->picture(), {107, 303}));
  EXPECT_GT(BlackInRow(AnimaForm->picture(), 303, 0, 699), 100);
}

TEST_F(MechanismPictureTest, NearZeroDimensionsDrawWithoutOverflow) {
  Pick(kGoods);
  Box("EdStlap")->setText("1e-9");
  MainForm->BtResults->click();
  ResultsForm->EdLa_ang->setText("15");
  ResultsForm->BtGo->click();
  ASSERT_TRUE(ResultsForm->BtAnima->isEnabled());
  // Points far off the diagram stay off it, each on its own side.
  EXPECT_LT(ResultsForm->DiagramRow(1e15), 0);
  EXPECT_GT(ResultsForm->DiagramRow(-1e15), 183);
  EXPECT_LT(ResultsForm->DiagramColumn(-1e300), 0);
  EXPECT_GT(ResultsForm->DiagramColumn(1e300), 280);
  ShowAtDesignSize();
  for (int i = 0; i < 3; ++i) AnimaForm->FormMouseMove();
  // The valve picture and the diagram's other scale with near-zero divisors.
  EngineInPlace().port = 1e-300;
  RunInPlace().strokeScale = 1e-300;
  AnimaForm->FormMouseMove();
  EXPECT_EQ(AnimaForm->animStep, 4);
}
