// The quadrant study window as a user meets it: opened from the Tools menu
// after "GET  RESULTS", its reverser moving the results window's labels while
// dragged and results.txt written only when it is let go.
#include <QAction>
#include <QElapsedTimer>
#include <QLineSeries>
#include <QTest>
#include <algorithm>
#include <fstream>
#include <sstream>

#include "BoxText.h"
#include "HelpWindow.h"
#include "RunFigures.h"
#include "TResultsForm.h"
#include "TStudyForm.h"
#include "WindowPrinter.h"
#include "WindowTest.h"

namespace {

class StudyFormTest : public WindowTest {
 protected:
  void OpenStudy(const char* engine) {
    Pick(engine);
    MainForm->BtResults->click();
    MainForm->findChild<QAction*>("QuadrantStudy1")->trigger();
    WaitForStudy();
  }
  static void WaitForStudy() {
    QElapsedTimer clock;
    clock.start();
    while ((StudyForm->studying() || StudyForm->study().rows.empty()) && clock.elapsed() < 20000)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  static std::string Bytes(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
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

TEST_F(StudyFormTest, IndicatorDiagramsFollowTheReverser) {
  OpenStudy("Goods 0-6-0 slide valve");
  QChart* chart = StudyForm->Charts->view(StudyCharts::indicatorPlot)->chart();
  // The first line drawn is the back end's diagram (the legend's keys hold no points).
  const auto backDiagram = [chart] {
    for (QAbstractSeries* series : chart->series())
      if (auto* line = qobject_cast<QLineSeries*>(series); line != nullptr && line->count() > 0)
        return line->points();
    return QList<QPointF>();
  };
  StudyForm->Reverser->setSliderDown(true);
  QList<QPointF> previous;
  for (const double degrees : {-12.0, 20.0}) {
    Drag(degrees);
    const QuadrantStudy& study = StudyForm->study();
    const auto notch = std::find_if(study.rows.begin(), study.rows.end(),
                                    [degrees](const StudyRow& row) { return row.liftArmDeg == degrees; });
    ASSERT_NE(notch, study.rows.end());
    QList<QPointF> expected;
    for (const IndicatorPoint& p :
         IndicatorCurve(*EndEventsOf(notch->results, true), study.options.indicator))
      expected.append({p.strokePct, p.pressure});
    EXPECT_EQ(backDiagram(), expected) << degrees;
    EXPECT_NE(backDiagram(), previous);
    EXPECT_TRUE(chart->title().contains(BoxText::Format(degrees) + " deg.")) << chart->title().toStdString();
    previous = backDiagram();
  }
}

TEST_F(StudyFormTest, BeforeGetResultsTheToolsMenuStudiesTheBoxes) {
  Pick("Goods 0-6-0 slide valve");
  MainForm->findChild<QAction*>("QuadrantStudy1")->trigger();
  WaitForStudy();
  EXPECT_EQ(StudyForm->LbName->text(), "Goods 0-6-0 slide valve");
  EXPECT_EQ(StudyForm->study().rows.size(), 68u);
}

TEST_F(StudyFormTest, ExportsNeverWriteOverTheDataFileAndNameWhyTheyFail) {
  OpenStudy("Goods 0-6-0 slide valve");
  const std::string before = Bytes("ste_data.dat");
  std::filesystem::create_symlink("ste_data.dat", "link.csv");
  StudyForm->ExportCsv("ste_data.dat");
  StudyForm->ExportCsv(QString::fromStdString((folder_ / "link.csv").string()));
  StudyForm->ExportPdf("./ste_data.dat");
  EXPECT_EQ(Bytes("ste_data.dat"), before);
  EXPECT_TRUE(std::filesystem::is_symlink("link.csv"));
  ASSERT_EQ(prompter_.shown.size(), 3u);
  for (const auto& box : prompter_.shown) EXPECT_NE(box.text.find("is the data file"), std::string::npos);

  StudyForm->ExportPdf("no-such-folder/study.pdf");
  ASSERT_EQ(prompter_.shown.size(), 4u);
  EXPECT_EQ(prompter_.shown.back().text,
            "Cannot write the PDF file \"no-such-folder/study.pdf\": No such file or directory.");
  StudyForm->ExportCsv("study.csv");
  EXPECT_EQ(FirstLine("study.csv"), "engine,Goods 0-6-0 slide valve\r");

  // PRINT... with no printer asks for a PDF file as every window does, and refuses the data file.
  const WindowPrinter::Dialogs noPrinter{[] { return false; }, nullptr,
                                         [](QWidget*, const QString&) { return QString("ste_data.dat"); }};
  WindowPrinter::SetDialogs(&noPrinter);
  StudyForm->BtPrint->click();
  WindowPrinter::SetDialogs(nullptr);
  EXPECT_NE(prompter_.shown.back().text.find("is the data file"), std::string::npos);
  EXPECT_EQ(Bytes("ste_data.dat"), before);
}

TEST_F(StudyFormTest, LengthsCarryTheUnitInTitlesAxesAndSummary) {
  OpenStudy("Goods 0-6-0 slide valve");
  const QAbstractItemModel* table = StudyForm->Table->model();
  const int leadBack = 9;
  const auto title = [table](int column) { return table->headerData(column, Qt::Horizontal).toString(); };
  const auto leadAxis = [] {
    return StudyForm->Charts->view(StudyCharts::leadPlot)->chart()->axes(Qt::Vertical)[0]->titleText();
  };
  EXPECT_EQ(title(leadBack), "Lead\nback");
  EXPECT_EQ(leadAxis(), "Lead (length unit)");
  WindowSet::Model().SetLengthUnit(LengthUnit::mm);
  EXPECT_EQ(title(leadBack), "Lead back\n(mm)");
  EXPECT_EQ(title(2), "Cut-off\nback");  // percentages of the stroke as before
  EXPECT_EQ(leadAxis(), "Lead (mm)");
  EXPECT_TRUE(StudyForm->LbSummary->text().contains(
      "leads " + BoxText::Format(*StudyForm->study().summary.leadMin) + " mm to"));
}

TEST_F(StudyFormTest, F1OpensTheStudysHelpPage) {
  OpenStudy("Goods 0-6-0 slide valve");
  QTest::keyClick(StudyForm->Table, Qt::Key_F1);
  EXPECT_TRUE(HelpWindow::Instance()->isVisible());
  EXPECT_EQ(HelpWindow::Instance()->browser()->source().fileName(), "study.html");
}

TEST_F(StudyFormTest, TheSettingBoxShowsTheSettingUsedAndAFineStepIsRefusedAloud) {
  OpenStudy("Goods 0-6-0 slide valve");
  ResultsForm->EdLa_ang->setText("95");
  ResultsForm->BtGo->click();
  WaitForStudy();
  EXPECT_EQ(StudyForm->study().settingDeg, 95);
  EXPECT_EQ(StudyForm->EdSetting->value(), 95);
  // The reverser's label names where its handle is, never an angle it cannot reach.
  EXPECT_EQ(StudyForm->LbReverser->text(), "35 deg.");
  EXPECT_EQ(StudyForm->LbReverserNote->text(), "The RESULTS window is at 95 deg., outside the usable range.");

  const std::size_t notches = StudyForm->study().rows.size();
  StudyForm->EdStep->setValue(0.05);
  WaitForStudy();
  EXPECT_TRUE(StudyForm->LbSummary->text().startsWith("A notch step of 0.05 deg. is too fine"));
  EXPECT_EQ(StudyForm->study().rows.size(), notches);
}

TEST_F(StudyFormTest, EqualCutOffsAreSetAtTheSettingAngleAndTheReverserSetsTheSessionAlike) {
  OpenStudy("Goods 0-6-0 slide valve");
  StudyForm->CbValveSetting->setCurrentIndex(1);
  WaitForStudy();
  const QuadrantStudy& study = StudyForm->study();
  ASSERT_EQ(study.options.valveSetting, ValveSetting::equalCutOff);
  const StudyRow& setting = study.rows.back();
  ASSERT_EQ(setting.liftArmDeg, study.settingDeg);
  EXPECT_NEAR(setting.results.eventPct[cutOffBack], setting.results.eventPct[cutOffFront], 1e-6);

  // The first move fixes the session's centring as this study set it, so the
  // RESULTS window shows the study's own run there, bit for bit.
  Drag(-12);
  ASSERT_TRUE(TheSession().centring());
  EXPECT_EQ(TheSession().valveSetting(), ValveSetting::equalCutOff);
  EXPECT_EQ(*TheSession().centring(), study.centring);
  EXPECT_EQ(ResultsForm->EdLa_ang->text(), "-12");
  EXPECT_EQ(StudyForm->LbReverser->text(), "-12 deg.");
}

TEST_F(StudyFormTest, AnotherDataFolderLetsTheStudiedAndComparedEnginesGo) {
  OpenStudy("Goods 0-6-0 slide valve");
  StudyForm->CompareWithStored("Express 4-4-0 rocker B");
  WaitForStudy();
  ASSERT_TRUE(StudyForm->compared());
  const auto other = folder_ / "other";
  std::filesystem::create_directories(other);
  std::filesystem::copy_file("ste_data.dat", other / "ste_data.dat");
  WindowSet::OpenFolder(QString::fromStdString(other.string()));
  while (StudyForm->studying()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  EXPECT_TRUE(StudyForm->study().rows.empty());
  EXPECT_FALSE(StudyForm->compared());
  EXPECT_EQ(StudyForm->Table->model()->rowCount(), 0);
  EXPECT_FALSE(StudyForm->Reverser->isEnabled());
  EXPECT_EQ(StudyForm->LbName->text(), "");
  EXPECT_TRUE(StudyForm->LbSummary->text().startsWith("No engine yet"));
}

TEST_F(StudyFormTest, APlayShowsItsBandsInTheTableAndCsvAndNoPlayRestoresTheStudy) {
  OpenStudy("Goods 0-6-0 slide valve");
  StudyForm->ExportCsv("own.csv");
  const QAbstractItemModel* table = StudyForm->Table->model();
  const int ownColumns = table->columnCount();
  ASSERT_TRUE(StudyForm->SetPlayTotal(1.0 / 32));
  WaitForStudy();
  ASSERT_TRUE(StudyForm->played());
  const QuadrantStudy& study = StudyForm->study();
  const int full = static_cast<int>(study.rows.size()) - 1;
  ASSERT_EQ(study.rows[full].liftArmDeg, study.settingDeg);  // full gear, where the valve is set
  // Both leads' bands fall to the lead less half the lost motion.
  for (const char* lead : {"Lead back", "Lead front"}) {
    int column = 0;
    while (column < table->columnCount() &&
           table->headerData(column, Qt::Horizontal).toString().simplified() != QString(lead) + " low")
      ++column;
    ASSERT_LT(column, table->columnCount()) << lead;
    const double own = *FindFigure(lead[5] == 'b' ? "leadBack" : "leadFront")->Of(study.rows[full].results);
    EXPECT_NEAR(table->index(full, column).data(Qt::UserRole).toDouble(), own - 1.0 / 64, 1e-4) << lead;
  }
  EXPECT_TRUE(StudyForm->LbSummary->text().contains("With the play (b = 0.03125"));
  StudyForm->ExportCsv("worn.csv");
  EXPECT_NE(Bytes("worn.csv").find(",leadBackLow,leadBackHigh,"), std::string::npos);

  std::ofstream("bad.csv") << "joint,clearance\nrodPin9,0.01\n";
  EXPECT_FALSE(StudyForm->OpenPlayFile("bad.csv"));
  ASSERT_FALSE(prompter_.shown.empty());
  EXPECT_NE(prompter_.shown.back().text.find("line 2"), std::string::npos) << prompter_.shown.back().text;
  EXPECT_TRUE(StudyForm->play()->total);  // the play given before stays

  StudyForm->ClearPlay();
  EXPECT_FALSE(StudyForm->played());
  EXPECT_EQ(table->columnCount(), ownColumns);
  EXPECT_FALSE(StudyForm->LbSummary->text().contains("With the play"));
  StudyForm->ExportCsv("cleared.csv");
  EXPECT_EQ(Bytes("cleared.csv"), Bytes("own.csv"));
}
