// The session model as the windows meet it: every window names the engine the
// session computes, whatever the engine list or the name box says later, the
// length unit of the data file labels the lengths without converting one, and
// opening another data file lets the session's engine go.
#include <QAction>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <filesystem>

#include "TResultsForm.h"
#include "TStudyForm.h"
#include "WindowTest.h"

namespace {

const QString kGoods = "Goods 0-6-0 slide valve";

class SessionModelTest : public WindowTest {
 protected:
  void Go(const QString& angle) {
    ResultsForm->EdLa_ang->setText(angle);
    ResultsForm->BtGo->click();
  }
  static void WaitForStudy() {
    QElapsedTimer clock;
    clock.start();
    while ((StudyForm->studying() || StudyForm->study().rows.empty()) && clock.elapsed() < 20000)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  static void ChooseUnit(const char* key) {
    MainForm->findChild<QAction*>(QString("LengthUnit_") + key)->trigger();
  }
};

}  // namespace

TEST_F(SessionModelTest, TheStudyAndTheResultsItOpensNameTheSessionsEngineNotThePickedOne) {
  Pick(kGoods);
  MainForm->BtResults->click();
  Go("20");
  Pick("Express 4-4-0 rocker B");  // picked, but no "GET  RESULTS"
  MainForm->findChild<QAction*>("QuadrantStudy1")->trigger();
  WaitForStudy();
  EXPECT_EQ(StudyForm->LbName->text(), kGoods);

  // A reverser move opens the closed results window on the same engine.
  ResultsForm->close();
  ASSERT_TRUE(StudyForm->Reverser->isEnabled());
  StudyForm->Reverser->setValue(TStudyForm::SliderValue(10));
  QCoreApplication::processEvents();
  ASSERT_TRUE(ResultsForm->isVisible());
  EXPECT_EQ(ResultsForm->EdLa_ang->text(), "10");
  EXPECT_EQ(ResultsForm->LbName->text(), kGoods);
}

TEST_F(SessionModelTest, AnOpenResultsWindowTakesTheNextEngineNameAfterOneWithNoMidGear) {
  Pick(kGoods);
  MainForm->EdName->setText("Short link");
  Box("EdLiftlink")->setText("5");
  MainForm->BtResults->click();
  ASSERT_TRUE(ResultsForm->isVisible());
  EXPECT_NE(prompter_.shown.back().text.find("mid-gear"), std::string::npos);
  EXPECT_EQ(ResultsForm->LbName->text(), "Short link");
  EXPECT_TRUE(ResultsForm->LbMid_deg->text().isEmpty());

  prompter_.choices = {Prompter::KeepChoice::discard};  // the unsaved "Short link"
  Pick("Tank 0-6-2T piston valves");
  MainForm->BtResults->click();
  EXPECT_EQ(ResultsForm->LbName->text(), "Tank 0-6-2T piston valves");
  EXPECT_FALSE(ResultsForm->LbMid_deg->text().isEmpty());
}

TEST_F(SessionModelTest, TheLengthUnitLabelsLengthsConvertsNothingAndStaysWithTheDataFile) {
  Pick(kGoods);
  MainForm->BtResults->click();
  Go("20");
  const QString conrodCaption = MainForm->Caption(0)->text();
  const QRect conrodPlace = MainForm->Caption(0)->geometry();
  const QString lead = ResultsForm->LbLeadF->text(), angle = ResultsForm->LbLinkmin->text();
  ChooseUnit("mm");
  EXPECT_TRUE(MainForm->LengthUnitAction(LengthUnit::mm)->isChecked());
  // The unit follows each length box; the captions keep their text, face and place.
  EXPECT_EQ(MainForm->UnitLabel(0)->text(), "mm");
  EXPECT_EQ(MainForm->UnitLabel(3)->text(), "");
  EXPECT_EQ(MainForm->UnitLabel(16)->text(), "");
  EXPECT_EQ(MainForm->Caption(0)->text(), conrodCaption);
  EXPECT_EQ(MainForm->Caption(0)->font(), MainForm->Caption(3)->font());
  EXPECT_EQ(ResultsForm->LbLeadF->text(), lead + " mm");
  EXPECT_TRUE(ResultsForm->LbDiedef->text().endsWith(" mm"));
  EXPECT_EQ(ResultsForm->LbLinkmin->text(), angle);
  EXPECT_EQ(Box("EdConrod")->text(), "78");
  EXPECT_EQ(TheSession().engine().conrod, 78);
  Go("20");
  EXPECT_EQ(ResultsForm->LbLeadF->text(), lead + " mm");
  EXPECT_EQ(ReadBytes("ste_data.dat.unit"), "mm\n");

  // The unit is the data file's: read again on opening its folder.
  WindowSet::Destroy();
  WindowSet::Create();
  EXPECT_EQ(WindowSet::Model().lengthUnit(), LengthUnit::mm);
  EXPECT_EQ(MainForm->UnitLabel(0)->text(), "mm");
  std::filesystem::create_directory("other");
  WindowSet::OpenFolder("other");
  EXPECT_EQ(WindowSet::Model().lengthUnit(), LengthUnit::none);
  EXPECT_TRUE(MainForm->LengthUnitAction(LengthUnit::none)->isChecked());
  EXPECT_EQ(MainForm->UnitLabel(0)->text(), "");
  EXPECT_EQ(MainForm->Caption(0)->geometry(), conrodPlace);
  WindowSet::OpenFolder("..");
  ChooseUnit("none");
  EXPECT_FALSE(std::filesystem::exists("ste_data.dat.unit"));
  EXPECT_EQ(MainForm->Caption(0)->text(), conrodCaption);

  // Another copy of the program sets the unit: the window follows when it is
  // activated; a unit file it cannot take is said once.
  std::ofstream("ste_data.dat.unit") << "in\n";
  MainForm->FormActivate();
  EXPECT_EQ(MainForm->UnitLabel(0)->text(), "in");
  EXPECT_EQ(WindowSet::Model().lengthUnit(), LengthUnit::in);
  std::ofstream("ste_data.dat.unit") << "mm junk junk";
  const std::size_t told = prompter_.shown.size();
  MainForm->FormActivate();
  MainForm->FormActivate();
  EXPECT_EQ(prompter_.shown.size(), told + 1);
  EXPECT_EQ(MainForm->UnitLabel(0)->text(), "");
}

TEST_F(SessionModelTest, AnotherFolderLetsTheOldEngineGoAndAnEmptyOneIsOfferedTheSampleEngines) {
  Pick(kGoods);
  MainForm->BtResults->click();
  Go("20");
  QSignalSpy opened(&WindowSet::Model(), &SessionModel::storeOpened);
  std::filesystem::create_directory("fresh");
  WindowSet::OpenFolder("fresh");  // the script answers OK
  EXPECT_NE(prompter_.shown.back().text.find("Start its data file with the sample engines?"),
            std::string::npos);
  EXPECT_EQ(prompter_.shown.back().text.find('"' + std::filesystem::current_path().string() + '"'), 0u);
  EXPECT_EQ(ReadBytes("ste_data.dat"), ReadBytes(std::filesystem::path(ZOV_EXAMPLES) / "ste_data.dat"));
  EXPECT_EQ(MainForm->engineCount(), 4);
  EXPECT_EQ(opened.count(), 1);
  EXPECT_FALSE(TheSession().taken());
  EXPECT_TRUE(WindowSet::Model().engineName().isEmpty());

  // A folder with a data file, even an empty one, is opened without a question.
  const std::size_t asked = prompter_.shown.size();
  WindowSet::OpenFolder("..");
  EXPECT_EQ(prompter_.shown.size(), asked);
  EXPECT_EQ(opened.count(), 2);
}
