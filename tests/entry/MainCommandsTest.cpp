// The engine commands: saving, renaming, deleting and asking for results,
// with their questions and what they leave in the data file and the list.
#include <QTest>
#include <QTimer>

#include "Controls.h"
#include "StoreTestSupport.h"
#include "TResultsForm.h"
#include "WindowTest.h"

using MainCommandsTest = WindowTest;
using Names = std::vector<std::string>;

namespace {

QStringList Listed() {
  QStringList names;
  for (int i = 0; i < MainForm->CB_Engines->count(); ++i) names << MainForm->CB_Engines->itemText(i);
  return names;
}

}  // namespace

TEST_F(MainCommandsTest, SaveStopsBeforeAskingWhenTheEntriesAreIncomplete) {
  const std::string before = ReadBytes("ste_data.dat");
  Pick("Goods 0-6-0 slide valve");
  MainForm->EdName->clear();
  Box("EdConrod")->clear();
  MainForm->BtSave->click();
  EXPECT_EQ(prompter_.shown.back().text, "Engine name required");
  EXPECT_NE(Controls::TextColour(Box("EdConrod")), QColor(255, 0, 0));

  MainForm->EdName->setText("Goods");
  Box("EdMcrank")->clear();
  MainForm->BtSave->click();
  EXPECT_EQ(prompter_.shown.back(), (ScriptedPrompter::Box{"Message", "Data missing at ???"}));
  EXPECT_FALSE(Shown("Are you sure?"));
  EXPECT_EQ(Box("EdConrod")->text(), "???");
  EXPECT_EQ(Box("EdMcrank")->text(), "???");

  // Cancel at the question stores nothing and leaves the boxes as typed.
  Pick("Goods 0-6-0 slide valve");
  Box("EdConrod")->setText("99");
  prompter_.answers = {false};
  MainForm->BtSave->click();
  EXPECT_EQ(prompter_.shown.back().text, "Are you sure?");
  EXPECT_EQ(Box("EdConrod")->text(), "99");
  EXPECT_EQ(Listed().size(), 4);
  EXPECT_EQ(ReadBytes("ste_data.dat"), before);
}

TEST_F(MainCommandsTest, SavingANewEngineResetsTheWindowAndListsIt) {
  QTest::keyClicks(MainForm->EdNewEng, "Mogul");
  MainForm->rockerGroup->button(1)->click();
  MainForm->valveGroup->button(1)->click();
  for (int i = 0; i < 17; ++i) MainForm->Box(i)->setText(QString::number(i + 1));
  MainForm->BtSave->click();
  EXPECT_TRUE(Shown("Mogul"));
  EXPECT_EQ(prompter_.shown.back().text, "Records stored");
  EXPECT_TRUE(MainForm->EdName->text().isEmpty());
  EXPECT_TRUE(MainForm->EdNewEng->text().isEmpty());
  EXPECT_FALSE(Box("EdConrod")->isEnabled());
  EXPECT_TRUE(Box("EdConrod")->text().isEmpty());
  EXPECT_TRUE(Listed().contains("Mogul"));
  EXPECT_EQ(MainForm->engineCount(), 5);
  const Names file = FileOrder("ste_data.dat");
  ASSERT_EQ(file.size(), 5u);
  EXPECT_EQ(file[0], "Mogul:1");

  Pick("Mogul");
  EXPECT_EQ(MainForm->engine().rockerType, 1);
  EXPECT_EQ(MainForm->engine().rockerRatio, 17);
  EXPECT_EQ(MainForm->engine().valveType, 1);
}

TEST_F(MainCommandsTest, ARenamedEngineIsSavedBesideTheOldOne) {
  Pick("Goods 0-6-0 slide valve");
  MainForm->EdName->setText("Goods rebuilt");
  Box("EdConrod")->setText("80");
  MainForm->BtSave->click();
  EXPECT_TRUE(Listed().contains("Goods rebuilt"));
  EXPECT_TRUE(Listed().contains("Goods 0-6-0 slide valve"));
  EXPECT_EQ(Box("EdConrod")->text(), "80");  // an edited stored engine stays shown
  EXPECT_EQ(FileOrder("ste_data.dat").size(), 5u);
}

TEST_F(MainCommandsTest, DeleteRemovesTheShownEngineButNeverOneBeingNamed) {
  Pick("Tank 0-6-2T piston valves");
  MainForm->BtDelete->click();
  EXPECT_EQ(Listed().size(), 3);
  EXPECT_FALSE(Listed().contains("Tank 0-6-2T piston valves"));
  EXPECT_TRUE(MainForm->EdName->text().isEmpty());

  const Names before = FileOrder("ste_data.dat");
  Pick("Goods 0-6-0 slide valve");
  QTest::keyClicks(MainForm->EdNewEng, "New one");
  MainForm->BtDelete->click();
  const Names after = FileOrder("ste_data.dat");
  EXPECT_EQ(after, Names(before.rbegin(), before.rend()));  // rewritten, nothing removed

  prompter_.answers = {false};
  Pick("Goods 0-6-0 slide valve");
  MainForm->BtDelete->click();
  EXPECT_EQ(Listed().size(), 3);
}

TEST_F(MainCommandsTest, GetResultsUsesTheLastTransferredEngineWhenNoNameIsShown) {
  Pick("Goods 0-6-0 slide valve");
  MainForm->BtResults->click();
  EXPECT_TRUE(ResultsForm->isVisible());
  EXPECT_EQ(TheSession().engine().conrod, 78);
  EXPECT_FALSE(ResultsForm->BtGo->isEnabled());
  EXPECT_FALSE(ResultsForm->BtAnima->isEnabled());
  EXPECT_FALSE(TheSession().centring());
  EXPECT_TRUE(ResultsForm->LbMid_deg->text().startsWith(" down ") ||
              ResultsForm->LbMid_deg->text().startsWith(" up "));

  Box("EdConrod")->setText("90");
  MainForm->EdName->clear();
  MainForm->BtResults->click();
  EXPECT_EQ(TheSession().engine().conrod, 78);

  // A late activation of the data-entry window, before the results window
  // was active, leaves it open; coming back to it afterwards closes it.
  if (!ResultsForm->isActiveWindow()) {
    MainForm->FormActivate();
    EXPECT_TRUE(ResultsForm->isVisible());
  }
  ResultsForm->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(ResultsForm));
  MainForm->FormActivate();
  EXPECT_FALSE(ResultsForm->isVisible());
}

TEST_F(MainCommandsTest, GetResultsBeforeAnyEngineSaysThereIsNoMidGear) {
  MainForm->BtResults->click();
  EXPECT_TRUE(ResultsForm->LbMid_deg->text().isEmpty());
  ASSERT_FALSE(prompter_.shown.empty());
  EXPECT_EQ(prompter_.shown.back().caption, "Message");
}

TEST_F(MainCommandsTest, SelectingOrNamingUnticksShowDimensions) {
  MainForm->ChBDims->setChecked(true);
  Pick("Goods 0-6-0 slide valve");
  EXPECT_FALSE(MainForm->ChBDims->isChecked());
  MainForm->ChBDims->setChecked(true);
  QTest::keyClicks(MainForm->EdNewEng, "X");
  EXPECT_FALSE(MainForm->ChBDims->isChecked());
}

TEST_F(MainCommandsTest, ClosingTheMainWindowEndsTheProgramWhateverElseIsUp) {
  for (const bool byExit : {false, true}) {
    MainForm->show();
    Pick("Goods 0-6-0 slide valve");
    MainForm->BtResults->click();
    const std::string before = ReadBytes("ste_data.dat");
    QTimer::singleShot(0, MainForm,
                       [byExit] { byExit ? MainForm->BtExit->click() : (void)MainForm->close(); });
    QTimer guard;  // a loop that never ends fails here
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(7); });
    guard.start(5000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_EQ(MainForm->store() == nullptr, byExit);
    EXPECT_EQ(ReadBytes("ste_data.dat"), before);
  }
}
