// The animation window: its place and controls, what showing prepares, how
// mouse movement advances the crank, and which movements count.
#include <QMouseEvent>
#include <QTest>

#include "AnimaFixture.h"
#include "Controls.h"
#include "WindowPrinter.h"

using AnimaFormTest = AnimaFixture;

namespace {

bool Blank(const QImage& picture) {
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      if (picture.pixel(x, y) != Controls::ButtonFaceColour().rgb()) return false;
  return true;
}

// A mouse movement without buttons, delivered as the window system's is: to
// the control under the mouse, from which Qt passes it on to the window.
void MoveOver(QPoint at) {
  QWidget* under = AnimaForm->childAt(at);
  QWidget* target = under != nullptr ? under : AnimaForm;
  QMouseEvent move(QEvent::MouseMove, target->mapFrom(AnimaForm, at), AnimaForm->mapToGlobal(at),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(target, &move);
}

}  // namespace

TEST_F(AnimaFormTest, ShowsTheEngineNameAndScalesFromItsOuterSize) {
  // The name of the engine the session runs, not the text of the name box now.
  Pick(kGoods);
  MainForm->EdName->setText("A name of more than twenty-nine characters");
  MainForm->BtResults->click();
  ResultsForm->EdLa_ang->setText("15");
  ResultsForm->BtGo->click();
  MainForm->EdName->setText("Another name");
  ResultsForm->BtAnimaClick();
  EXPECT_EQ(AnimaForm->windowTitle(), "ANIMATION");
  EXPECT_EQ(AnimaForm->LbName->text(), "A name of more than twenty-ni");
  // The outer size as laid out, whatever frame a window manager adds, and
  // the same mapping on the first showing as on later ones.
  EXPECT_EQ(AnimaForm->winWidth, 717);
  EXPECT_EQ(AnimaForm->winHeight, 489);
  EXPECT_TRUE(QTest::qWaitFor([] { return WindowPlacement::OuterSize(AnimaForm) == QSize(717, 489); }));
  AnimaForm->close();
  ResultsForm->BtAnimaClick();
  EXPECT_EQ(AnimaForm->winWidth, 717);
  EXPECT_EQ(AnimaForm->winHeight, 489);

  ShowAtDesignSize();
  EXPECT_DOUBLE_EQ(AnimaForm->lengthScale, 117);
  EXPECT_DOUBLE_EQ(AnimaForm->heightScale, 117.0 * 489 / 717);
  EXPECT_EQ(AnimaForm->AnimColumn(0.15), 107);
  EXPECT_EQ(AnimaForm->AnimRow(0.38), 303);
  // Truncation toward zero on both sides of the frame.
  EXPECT_EQ(AnimaForm->AnimColumn(-0.001), 0);
  EXPECT_EQ(AnimaForm->AnimRow(1.001), 0);
  EXPECT_EQ(AnimaForm->AnimRow(-0.001), 489);
}

TEST_F(AnimaFormTest, EachShowingStartsOverFromABlankWindow) {
  Run(kGoods);
  ResultsForm->BtAnimaClick();
  EXPECT_EQ(AnimaForm->animStep, 0);
  EXPECT_TRUE(Blank(AnimaForm->picture()));
  for (int i = 0; i < 3; ++i) AnimaForm->FormMouseMove();
  EXPECT_EQ(AnimaForm->animStep, 3);
  EXPECT_FALSE(Blank(AnimaForm->picture()));
  // The drawn picture survives a repaint of the window.
  EXPECT_EQ(AnimaForm->grab().toImage().convertToFormat(QImage::Format_RGB32).pixel(100, 100),
            AnimaForm->picture().pixel(100, 100));

  // Activating the results window closes the animation.
  ResultsForm->FormActivate();
  EXPECT_FALSE(AnimaForm->isVisible());
  ResultsForm->BtAnimaClick();
  EXPECT_EQ(AnimaForm->animStep, 0);
  EXPECT_TRUE(Blank(AnimaForm->picture()));
  AnimaForm->FormMouseMove();
  EXPECT_EQ(AnimaForm->animStep, 1);
}

TEST_F(AnimaFormTest, StepsRunFromOneToTheLastAndBackToOne) {
  Run(kGoods);
  ResultsForm->BtAnimaClick();
  AnimaForm->FormMouseMove();
  EXPECT_EQ(AnimaForm->animStep, 1);
  AnimaForm->animStep = 177;
  AnimaForm->FormMouseMove();
  EXPECT_EQ(AnimaForm->animStep, 178);
  AnimaForm->FormMouseMove();
  EXPECT_TRUE(CircleDrawnAt(AnimaForm->picture(), JointPixel(179, crankPin)));
  EXPECT_EQ(AnimaForm->animStep, 0);
  AnimaForm->FormMouseMove();
  EXPECT_TRUE(CircleDrawnAt(AnimaForm->picture(), JointPixel(1, crankPin)));
  EXPECT_FALSE(CircleDrawnAt(AnimaForm->picture(), JointPixel(179, crankPin)));
  EXPECT_EQ(AnimaForm->animStep, 1);
}

TEST_F(AnimaFormTest, OnlyMovementOverTheWindowsOwnSurfaceAdvances) {
  Run(kGoods, "10");
  ResultsForm->BtAnimaClick();
  MoveOver({300, 200});
  MoveOver({310, 210});
  EXPECT_EQ(AnimaForm->animStep, 2);

  AnimaForm->MRocker->show();
  const QPoint overControls[] = {AnimaForm->BtPrint->geometry().center(),
                                 AnimaForm->BtClose->geometry().center(),
                                 AnimaForm->MRocker->geometry().center(),
                                 AnimaForm->Label1->geometry().center(),
                                 AnimaForm->LbName->geometry().center(),
                                 AnimaForm->Label2->geometry().center(),
                                 AnimaForm->Bevel1->geometry().topLeft() + QPoint(2, 2)};
  for (const QPoint& at : overControls) MoveOver(at);
  EXPECT_EQ(AnimaForm->animStep, 2);

  // Where the hidden note would be, the surface is the window's own.
  AnimaForm->MRocker->hide();
  MoveOver({40, 30});
  EXPECT_EQ(AnimaForm->animStep, 3);
}

TEST_F(AnimaFormTest, TheRockerNoteShowsOnlyForAnEngineWithARocker) {
  Run(kGoods);
  EXPECT_TRUE(AnimaForm->MRocker->isHidden());
  Run(kLowShaft);
  EXPECT_FALSE(AnimaForm->MRocker->isHidden());
  ResultsForm->BtGoClick();
  EXPECT_FALSE(AnimaForm->MRocker->isHidden());
  Run(kExpress);
  EXPECT_FALSE(AnimaForm->MRocker->isHidden());
  Run(kGoods);
  ResultsForm->BtGoClick();
  EXPECT_TRUE(AnimaForm->MRocker->isHidden());
}

TEST_F(AnimaFormTest, PrintsAPageOfTheWindow) {
  const WindowPrinter::Dialogs savesAsSuggested{[] { return false; },
                                                [](QPrinter&, QWidget*) { return false; },
                                                [](QWidget*, const QString& suggested) { return suggested; }};
  WindowPrinter::SetDialogs(&savesAsSuggested);
  Run(kGoods);
  ResultsForm->BtAnimaClick();
  AnimaForm->FormMouseMove();
  AnimaForm->BtPrint->click();
  WindowPrinter::SetDialogs(nullptr);
  EXPECT_TRUE(prompter_.shown.empty());
  EXPECT_TRUE(std::filesystem::exists("Vardenlyke animation.pdf"));
  AnimaForm->BtClose->click();
  EXPECT_FALSE(AnimaForm->isVisible());
}
