// No engine lost: Enter through every question keeps the stored engines, a
// replace is asked with Cancel as the default, unsaved boxes are asked about
// before they are dropped, and a scaled engine goes into a data file of its unit
// (or, copied into one of the other unit, is converted back exactly).
#include <QAction>
#include <QTest>
#include <QTimer>
#include <cstring>
#include <fstream>
#include <functional>

#include "BoxText.h"
#include "EngineConversion.h"
#include "ScaleEngineDialog.h"
#include "StoreTestSupport.h"
#include "TResultsForm.h"
#include "WindowTest.h"

namespace {

constexpr const char* kGoods = "Goods 0-6-0 slide valve";
constexpr const char* kLowShaft = "Low shaft, short lifting link";

class NoLossTest : public WindowTest {
 protected:
  // Runs the scale dialog as the user does: a choice, then OK.
  static void Scale(const std::function<void(ScaleEngineDialog&)>& choose) {
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<ScaleEngineDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      choose(*dialog);
      dialog->Buttons->button(QDialogButtonBox::Ok)->click();
    });
    MainForm->findChild<QAction*>("ScaleEngine1")->trigger();
  }
  static Engine Stored(const char* name) {
    return *WindowSet::Model().StoredEngine(BoxText::NameBytes(name)).engine;
  }
  bool Asked(const std::string& start) const {
    return !prompter_.shown.empty() && prompter_.shown.back().text.rfind(start, 0) == 0;
  }
};

}  // namespace

TEST_F(NoLossTest, EnterOnEveryQuestionOfAScaleAndSaveKeepsTheOriginalAndAReplaceIsAskedFirst) {
  Pick(kLowShaft);
  const Engine original = MainForm->engine();
  Scale([](ScaleEngineDialog& dialog) {
    EXPECT_EQ(dialog.EdNewName->text(), "Low shaft, short lifting\u2026 1:8");
  });
  MainForm->BtSave->click();  // every question answered with its default button
  EXPECT_EQ(prompter_.shown.back().text, "Records stored");
  EXPECT_EQ(Stored(kLowShaft).conrod, original.conrod);
  EXPECT_EQ(Stored("Low shaft, short lifting\u2026 1:8").conrod, original.conrod / 8);
  EXPECT_EQ(MainForm->engineCount(), 5);

  // Typed over another stored engine's name: Cancel is the default.
  const std::string before = ReadBytes("ste_data.dat");
  MainForm->EdName->setText(kGoods);
  MainForm->BtSave->click();
  ASSERT_TRUE(Asked("Replace the stored engine \"Goods 0-6-0 slide valve\"?\nChanged:"));
  EXPECT_NE(prompter_.shown.back().text.find("Connecting rod: 78 \u2192 "), std::string::npos);
  EXPECT_EQ(ReadBytes("ste_data.dat"), before);
  prompter_.answers = {true, true};
  MainForm->BtSave->click();
  EXPECT_EQ(Stored(kGoods).conrod, original.conrod / 8);
  EXPECT_EQ(MainForm->engineCount(), 5);

  // An edited engine shown from the store saves over itself without that question.
  Pick(kLowShaft);
  Box("EdConrod")->setText("91");
  MainForm->BtSave->click();
  EXPECT_EQ(prompter_.shown.back().text, "Records stored");
  EXPECT_EQ(Stored(kLowShaft).conrod, 91);
}

TEST_F(NoLossTest, UnsavedBoxesAreAskedAboutBeforeExitAnotherEngineOrAProposalAndScaleCanBeUndone) {
  MainForm->show();
  Pick(kGoods);
  Box("EdConrod")->setText("99");
  MainForm->BtExit->click();  // Cancel, the default
  EXPECT_TRUE(Asked("The boxes hold changes to \"Goods 0-6-0 slide valve\" that are not saved.\nSave it"));
  EXPECT_TRUE(MainForm->isVisible());
  EXPECT_TRUE(WindowSet::Model().hasStore());
  Pick("Tank 0-6-2T piston valves");
  EXPECT_EQ(Box("EdConrod")->text(), "99");
  EXPECT_EQ(MainForm->CB_Engines->currentText(), kGoods);
  prompter_.choices = {Prompter::KeepChoice::discard};
  Pick("Tank 0-6-2T piston valves");
  EXPECT_EQ(MainForm->EdName->text(), "Tank 0-6-2T piston valves");

  // "Put in boxes" over unchanged boxes asks nothing; its name is made free.
  const std::size_t asked = prompter_.shown.size();
  Engine proposal = MainForm->engine();
  proposal.conrod = 123;
  MainForm->ShowProposal(proposal, kGoods);
  EXPECT_EQ(prompter_.shown.size(), asked);
  EXPECT_EQ(MainForm->EdName->text(), "Goods 0-6-0 slide valve 2");
  EXPECT_TRUE(MainForm->BoxesUnsaved());
  MainForm->ShowProposal(proposal, kGoods);  // the unsaved proposal is asked about
  EXPECT_TRUE(Asked("The engine \"Goods 0-6-0 slide valve 2\" in the boxes is not saved."));
  MainForm->Undo1->trigger();
  EXPECT_EQ(MainForm->EdName->text(), "Tank 0-6-2T piston valves");
  EXPECT_FALSE(MainForm->BoxesUnsaved());
  EXPECT_FALSE(MainForm->Undo1->isEnabled());

  Scale([](ScaleEngineDialog&) {});
  EXPECT_EQ(MainForm->EdName->text(), "Tank 0-6-2T piston valves 1:8");
  MainForm->Undo1->trigger();
  EXPECT_EQ(MainForm->EdName->text(), "Tank 0-6-2T piston valves");
  EXPECT_EQ(BoxText::Number(Box("EdConrod")), MainForm->engine().conrod);

  // Save from the question stores the boxes, then the window closes.
  Box("EdConrod")->setText("77");
  prompter_.choices = {Prompter::KeepChoice::save};
  MainForm->BtExit->click();
  EXPECT_FALSE(MainForm->isVisible());
  EXPECT_EQ(FileOrder("ste_data.dat").front(), "Tank 0-6-2T piston valves:77");
}

TEST_F(NoLossTest, AnEngineScaledToAnotherUnitIsCopiedIntoADataFileOfThatUnit) {
  MainForm->findChild<QAction*>("LengthUnit_in")->trigger();
  Pick(kGoods);
  std::filesystem::create_directory("metric");
  MainForm->chooseCopyFolder = [](QWidget*) { return QString("metric"); };
  Scale([](ScaleEngineDialog& dialog) {
    dialog.presets->button(ScaleEngineDialog::inchesToMillimetres)->click();
    EXPECT_FALSE(dialog.LbUnit->isHidden());
    dialog.ChBCopy->setChecked(true);
  });
  EXPECT_EQ(Box("EdConrod")->text(), "1981.2");  // 78 x 25.4, no binary noise
  EXPECT_EQ(MainForm->UnitLabel(0)->text(), "mm");
  EXPECT_EQ(FileOrder("metric/ste_data.dat"), std::vector<std::string>{"Goods 0-6-0 slide valve mm:1981"});
  EXPECT_EQ(ReadBytes("metric/ste_data.dat.unit"), "mm\n");
  EXPECT_EQ(ReadBytes("ste_data.dat.unit"), "in\n");
  MainForm->BtResults->click();
  EXPECT_EQ(WindowSet::Model().lengthUnit(), LengthUnit::mm);

  // Saved into this inch file only when asked for; Cancel is the default.
  const std::string before = ReadBytes("ste_data.dat");
  MainForm->BtSave->click();
  EXPECT_TRUE(Asked("The engine \"Goods 0-6-0 slide valve mm\" is in millimetres"));
  EXPECT_EQ(ReadBytes("ste_data.dat"), before);

  // Copied again under a free name; into a data file in inches it is
  // converted back, every length the very decimal it was, and says so.
  MainForm->CopyEngine1->trigger();
  EXPECT_EQ(FileOrder("metric/ste_data.dat").front(), "Goods 0-6-0 slide valve mm 2:1981");
  std::filesystem::create_directory("imperial");
  std::ofstream("imperial/ste_data.dat.unit") << "in\n";
  MainForm->chooseCopyFolder = [](QWidget*) { return QString("imperial"); };
  MainForm->CopyEngine1->trigger();
  EXPECT_NE(prompter_.shown.back().text.find("its lengths converted from millimetres to inches"),
            std::string::npos)
      << prompter_.shown.back().text;
  const std::string copied = ReadBytes("imperial/ste_data.dat");
  ASSERT_EQ(copied.size(), sizeof(EngineRecord));
  EngineRecord record;
  std::memcpy(&record, copied.data(), sizeof record);
  const Engine back = ToEngine(record), goods = Stored(kGoods);
  for (const DimensionSpec& d : EngineDimensions()) EXPECT_EQ(back.*d.field, goods.*d.field) << d.key;
  EXPECT_EQ(ReadBytes("imperial/ste_data.dat.unit"), "in\n");
}

TEST_F(NoLossTest, ANewNameKeepsTheBoxesAndUndoOrAProposalClearsTheStaleName) {
  Pick(kGoods);
  Box("EdConrod")->clear();
  QTest::keyClicks(Box("EdConrod"), "91");
  QTest::keyClicks(MainForm->EdNewEng, "G");
  EXPECT_EQ(MainForm->EdName->text(), "G");
  EXPECT_EQ(Box("EdConrod")->text(), "91");
  EXPECT_EQ(Box("EdPort")->text(), BoxText::FormatFaithful(Stored(kGoods).port));
  EXPECT_TRUE(Box("EdConrod")->isEnabled());
  EXPECT_TRUE(MainForm->BoxesUnsaved());
  // Undo goes back to before the new name: the changed Goods, the name box emptied.
  ASSERT_TRUE(MainForm->Undo1->isEnabled());
  MainForm->Undo1->trigger();
  EXPECT_EQ(MainForm->EdName->text(), kGoods);
  EXPECT_EQ(MainForm->CB_Engines->currentText(), kGoods);
  EXPECT_EQ(Box("EdConrod")->text(), "91");
  EXPECT_TRUE(MainForm->EdNewEng->text().isEmpty());

  // The help's steps for a new engine, after "Put in boxes": a stale name goes,
  // the new name keeps the proposal, and the save stores it beside the rest.
  QTest::keyClicks(MainForm->EdNewEng, "Stale");
  Engine proposal = Stored(kGoods);
  proposal.conrod = 123;
  prompter_.choices = {Prompter::KeepChoice::discard};  // the boxes' 91
  MainForm->ShowProposal(proposal, "Goods equalised");
  EXPECT_TRUE(MainForm->EdNewEng->text().isEmpty());
  QTest::keyClicks(MainForm->EdNewEng, "Goods mine");
  MainForm->BtSave->click();
  EXPECT_EQ(prompter_.shown.back().text, "Records stored");
  EXPECT_EQ(Stored("Goods mine").conrod, 123);
  EXPECT_EQ(Stored(kGoods).conrod, 78);

  // A name typed into empty boxes still starts a clean sheet, locked until a rocker is chosen.
  QTest::keyClicks(MainForm->EdNewEng, "Mogul");
  EXPECT_TRUE(Box("EdConrod")->text().isEmpty());
  EXPECT_FALSE(Box("EdConrod")->isEnabled());
}
