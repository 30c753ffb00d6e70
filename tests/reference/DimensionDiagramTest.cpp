// The dimension diagram on a bare picture: the frame-to-pixel mapping, the
// place of the circles, the direction of the arcs and the pen they leave.
#include <gtest/gtest.h>

#include "DimensionDiagram.h"
#include "Pixels.h"

namespace {

struct Picture {
  QImage image{450, 200, QImage::Format_RGB32};
  Canvas canvas{image};
  Picture() { image.fill(Qt::white); }
};

}  // namespace

TEST(DimensionDiagram, ScalesEachCoordinateByItselfAndTruncatesTowardZero) {
  Picture picture;
  const DimensionDiagram laidOut(picture.canvas, 450, 200);
  EXPECT_EQ(laidOut.Column(580), 389);
  EXPECT_EQ(laidOut.Column(590), 396);
  EXPECT_EQ(laidOut.Row(192), 128);
  EXPECT_EQ(laidOut.Row(202), 134);
  EXPECT_EQ(laidOut.Column(670), 450);
  EXPECT_EQ(laidOut.Row(300), 200);
  // The link's box reaches left of and above the picture.
  EXPECT_EQ(laidOut.Column(-445), -298);
  EXPECT_EQ(laidOut.Row(-515), -343);

  // The quotient comes first: 67 x 580 / 670 would be exactly 58.
  const DimensionDiagram narrow(picture.canvas, 67, 25);
  EXPECT_EQ(narrow.Column(580), 57);
  EXPECT_EQ(narrow.Column(-580), -57);
  EXPECT_EQ(narrow.Row(348), 28);

  const DimensionDiagram unset(picture.canvas, 0, 0);
  EXPECT_EQ(unset.Column(595), 0);
  EXPECT_EQ(unset.Row(-515), 0);
}

TEST(DimensionDiagram, CrossheadCircleSitsInItsScaledBoxWithAWhiteMiddle) {
  Picture picture;
  DimensionDiagram diagram(picture.canvas, 450, 200);
  picture.canvas.SetPenWidth(2);
  diagram.Mark(0, true);
  // Right of the crosshead's centre only the circle is drawn (the rod comes
  // from the left); a pen two pixels wide may spill one pixel over the box.
  const QRect right = ExtentOf(picture.image, QRect(392, 100, 40, 60), kRed);
  ASSERT_FALSE(right.isNull());
  EXPECT_GE(right.right(), 395);
  EXPECT_LE(right.right(), 396);
  EXPECT_GE(right.top(), 127);
  EXPECT_LE(right.top(), 128);
  EXPECT_GE(right.bottom(), 133);
  EXPECT_LE(right.bottom(), 134);
  // The brush covers the end of the rod's line.
  EXPECT_EQ(picture.image.pixel(392, 130), kWhite);
}

TEST(DimensionDiagram, LinkIsTheShortStretchBetweenItsRays) {
  Picture picture;
  DimensionDiagram diagram(picture.canvas, 450, 200);
  diagram.Link();
  const QRect link = ExtentOf(picture.image, picture.image.rect(), kGreen);
  ASSERT_FALSE(link.isNull());
  // The points given lie just inside the circle (radius 520 about (75, 5)),
  // so the stretch ends where their rays meet it: frame rows 281 and 152,
  // pixel rows 187 and 101. The long way round runs off the top and bottom.
  EXPECT_NEAR(link.bottom(), 187, 2);
  EXPECT_NEAR(link.top(), 101, 2);
  EXPECT_GE(link.left(), diagram.Column(498));
  EXPECT_LE(link.right(), diagram.Column(595));

  // The angle of advance, about the axle at (49, 131) with a radius of about
  // 33 pixels: drawn from the first eccentric up to the rod's line, and not
  // the long way round over the top, the left and the bottom.
  diagram.Mark(12, false);
  EXPECT_TRUE(ColoursNear(picture.image, 79, 115, 2).contains(kBlue));
  for (const QPoint away : {QPoint(49, 98), QPoint(16, 131), QPoint(49, 164)})
    EXPECT_FALSE(ColoursNear(picture.image, away.x(), away.y(), 2).contains(kBlue))
        << away.x() << "," << away.y();
}

TEST(DimensionDiagram, ThinMarkingsLeaveAWidePenAndEveryMarkingItsColour) {
  Picture picture;
  DimensionDiagram diagram(picture.canvas, 450, 200);
  diagram.Mark(0, false);
  EXPECT_EQ(picture.canvas.PenWidth(), 1) << "the wide markings draw with the pen as it is";
  EXPECT_EQ(picture.canvas.PenColor(), QColor(0, 128, 0));
  for (int index : {7, 8, 9, 10, 11, 12}) {
    picture.canvas.SetPenWidth(1);
    diagram.Mark(index, false);
    EXPECT_EQ(picture.canvas.PenWidth(), 2) << index;
    EXPECT_EQ(picture.canvas.PenColor(), QColor(0, 0, 255)) << index;
    diagram.Mark(index, true);
    EXPECT_EQ(picture.canvas.PenColor(), QColor(255, 0, 0)) << index;
  }
}
