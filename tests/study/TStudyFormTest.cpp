// The quadrant study window as a user meets it: opened from the Tools menu
// after "GET  RESULTS", its reverser moving the results window's labels while
// dragged and results.txt written only when it is let go.
#include <QAction>
#include <QElapsedTimer>
#include <fstream>
#include <sstream>

#include "BoxText.h"
#include "TResultsForm.h"
#include "TStudyForm.h"
#include "WindowTest.h"

namespace {

class StudyFormTest : public WindowTest {
 protected:
  void OpenStudy(const char* engine) {
    Pick(engine);
    MainForm->BtResults->click();
    MainForm->findChild<QAction*>("QuadrantStudy1")->trigger();
    QElapsedTimer clock;
    clock.start();
    while ((StudyForm->studying() || StudyForm->study().rows.empty()) && clock.elapsed() < 20000)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  static void Drag(double degrees) {
    StudyForm->Reverser->setValue(TStudyForm::SliderValue(degrees));
    QCoreApplication::processEvents();
  }
  static std::string FirstLine(const char* path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
  }
};

}  // namespace

TEST_F(StudyFormTest, OpensFromTheMenuOnTheUsableRangeSetAtFullGear) {
  OpenStudy("Goods 0-6-0 slide valve");
  ASSERT_TRUE(StudyForm->isVisible());
  EXPECT_EQ(StudyForm->windowTitle(), "QUADRANT STUDY");
  const QuadrantStudy& study = StudyForm->study();
  EXPECT_EQ(study.problem, StudyProblem::none);
  EXPECT_EQ(study.settingDeg, 35);  // no "GO" yet: the downward end of the usable range
  EXPECT_EQ(study.rows.size(), 68u);
  EXPECT_EQ(StudyForm->Table->model()->rowCount(), 68);
  EXPECT_TRUE(StudyForm->Reverser->isEnabled());
  EXPECT_EQ(StudyForm->Reverser->minimum(), -315);
  EXPECT_EQ(StudyForm->Reverser->maximum(), 350);
}

TEST_F(StudyFormTest, ReverserMovesTheResultsLabelsAndItsReleaseWritesResultsTxt) {
  OpenStudy("Goods 0-6-0 slide valve");
  StudyForm->Reverser->setSliderDown(true);
  Drag(-20);
  Drag(-12);
  EXPECT_EQ(ResultsForm->EdLa_ang->text(), "-12");
  EXPECT_EQ(ResultsForm->LbEqlds->text(), "35");  // the study's setting fixed the centring
  const StudyRow& notch = StudyForm->study().rows[20];
  ASSERT_EQ(notch.liftArmDeg, -12);
  EXPECT_EQ(ResultsForm->LbCoB->text(), StudyForm->tableModel().CellText(notch, 2));
  EXPECT_EQ(ResultsForm->LbLeadF->text(), StudyForm->tableModel().CellText(notch, 10));
  EXPECT_TRUE(ResultsForm->BtAnima->isEnabled());
  EXPECT_FALSE(std::ifstream("results.txt").good());

  StudyForm->Reverser->setSliderDown(false);
  emit StudyForm->Reverser->sliderReleased();
  QCoreApplication::processEvents();
  EXPECT_EQ(FirstLine("results.txt"), "  Goods 0-6-0 slide valve: Lifting arm at -12.0 deg.\r");
}
