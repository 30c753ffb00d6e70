// The design assistant through the windows: opened from the main window's
// menu for the engine in the boxes, its default notches and a short search off
// the GUI thread, and "Put in boxes" filling the main window's boxes under the
// suggested name.
#include <QAction>
#include <QTest>

#include "BoxText.h"
#include "TAssistantForm.h"
#include "WindowTest.h"

using TAssistantFormTest = WindowTest;

TEST_F(TAssistantFormTest, OpensFromTheMenuAndPutsTheProposalInTheBoxes) {
  Pick("Goods 0-6-0 slide valve");
  MainForm->findChild<QAction*>("DesignAssistant1")->trigger();
  ASSERT_TRUE(AssistantForm->isVisible());
  EXPECT_TRUE(AssistantForm->windowTitle().startsWith("DESIGN ASSISTANT"));
  EXPECT_TRUE(AssistantForm->findChild<QCheckBox*>("Free_larad")->isChecked());
  EXPECT_FALSE(AssistantForm->findChild<QCheckBox*>("Free_conrod")->isChecked());
  // The default notches are still being found: the window is shown, only Start waits.
  EXPECT_TRUE(AssistantForm->preparing());
  EXPECT_FALSE(AssistantForm->BtStart->isEnabled());
  QTRY_VERIFY_WITH_TIMEOUT(!AssistantForm->preparing(), 20000);
  EXPECT_FALSE(AssistantForm->EdNotches->text().isEmpty());

  AssistantForm->EdMaxEvals->setText("40");
  QTest::mouseClick(AssistantForm->BtStart, Qt::LeftButton);
  EXPECT_TRUE(AssistantForm->searching());
  EXPECT_TRUE(AssistantForm->BtCancel->isEnabled());
  QTRY_VERIFY_WITH_TIMEOUT(!AssistantForm->searching(), 20000);
  ASSERT_NE(AssistantForm->result(), nullptr);
  ASSERT_EQ(AssistantForm->result()->status, DesignStatus::improved);
  ASSERT_TRUE(AssistantForm->BtPutInBoxes->isEnabled());

  QTest::mouseClick(AssistantForm->BtPutInBoxes, Qt::LeftButton);
  EXPECT_EQ(MainForm->EdName->text(), "Goods 0-6-0 slide valve equal");
  const Engine& proposal = AssistantForm->result()->proposal;
  EXPECT_EQ(Box("EdLarad")->text(), BoxText::Format(proposal.larad));
  EXPECT_EQ(Box("EdLiftlink")->text(), BoxText::Format(proposal.liftlink));
  EXPECT_EQ(Box("EdConrod")->text(), "78");
  // Nothing is stored until the user saves.
  EXPECT_EQ(MainForm->CB_Engines->findText("Goods 0-6-0 slide valve equal"), -1);
}

TEST_F(TAssistantFormTest, CancelStopsTheSearchPromptly) {
  Pick("Express 4-4-0 rocker B");
  MainForm->findChild<QAction*>("DesignAssistant1")->trigger();
  QTRY_VERIFY_WITH_TIMEOUT(!AssistantForm->preparing(), 20000);
  AssistantForm->EdMaxEvals->setText("1000000");
  QTest::mouseClick(AssistantForm->BtStart, Qt::LeftButton);
  QTest::qWait(100);
  QTest::mouseClick(AssistantForm->BtCancel, Qt::LeftButton);
  QTRY_VERIFY_WITH_TIMEOUT(!AssistantForm->searching(), 500);
  EXPECT_EQ(AssistantForm->result()->status, DesignStatus::cancelled);
  EXPECT_TRUE(AssistantForm->BtStart->isEnabled());
}
