// The results window: its states around "GO", the equal-lead setting, the
// valve diagram's pixels and what a failed or refused run leaves alone.
#include <QFile>
#include <QTest>

#include "BoxText.h"
#include "Controls.h"
#include "EngineConversion.h"
#include "StoreTestSupport.h"
#include "SweepCommand.h"
#include "TAnimaForm.h"
#include "TResultsForm.h"
#include "WindowTest.h"

class TResultsFormTest : public WindowTest {
 protected:
  void GetResults(const QString& engine) {
    Pick(engine);
    MainForm->BtResults->click();
  }
  void Go(const QString& angle) {
    ResultsForm->EdLa_ang->setText(angle);
    ResultsForm->BtGo->click();
  }
  QColor Pixel(int x, int y) { return ResultsForm->Oval->image().pixelColor(x, y); }
  std::vector<QString> Labels() {
    std::vector<QString> texts;
    for (QLabel* label :
         {ResultsForm->LbAdmB, ResultsForm->LbAdmF, ResultsForm->LbCoB, ResultsForm->LbCoF,
          ResultsForm->LbExB, ResultsForm->LbExF, ResultsForm->LbCpB, ResultsForm->LbCpF,
          ResultsForm->LbLeadB, ResultsForm->LbLeadF, ResultsForm->LbPopB, ResultsForm->LbPopF,
          ResultsForm->LbLinkmin, ResultsForm->LbLinkmax, ResultsForm->LbDiedef})
      texts.push_back(label->text());
    return texts;
  }
};

TEST_F(TResultsFormTest, FirstGoSetsEqualLeadsAndLaterRunsKeepThatSetting) {
  GetResults("Goods 0-6-0 slide valve");
  EXPECT_TRUE(ResultsForm->MLeads->isVisibleTo(ResultsForm));
  EXPECT_FALSE(ResultsForm->MXleads->isVisibleTo(ResultsForm));
  EXPECT_EQ(ResultsForm->LbName->text(), "Goods 0-6-0 slide valve");

  ResultsForm->EdLa_ang->setText("15");
  EXPECT_TRUE(ResultsForm->BtGo->isEnabled());
  EXPECT_FALSE(ResultsForm->BtAnima->isEnabled());
  ResultsForm->BtGo->click();
  EXPECT_TRUE(ResultsForm->BtAnima->isEnabled());
  EXPECT_TRUE(ResultsForm->MXleads->isVisibleTo(ResultsForm));
  EXPECT_EQ(ResultsForm->LbEqlds->text(), "15");
  EXPECT_EQ(ResultsForm->LbLeadB->text(), ResultsForm->LbLeadF->text());
  for (const QString& text : Labels()) EXPECT_FALSE(text.isEmpty());
  EXPECT_FALSE(AnimaForm->MRocker->isVisibleTo(AnimaForm));

  Go("25");
  EXPECT_EQ(ResultsForm->LbEqlds->text(), "15");
  EXPECT_NE(ResultsForm->LbLeadB->text(), ResultsForm->LbLeadF->text());
  QFile table("results.txt");
  ASSERT_TRUE(table.open(QIODevice::ReadOnly));
  const QByteArray bytes = table.readAll();
  EXPECT_EQ(bytes.count("\r\n"), 183);
  EXPECT_TRUE(bytes.startsWith("  Goods 0-6-0 slide valve: Lifting arm at  25.0 deg.\r\n\r\n"));
}

TEST_F(TResultsFormTest, EnterInTheAngleBoxPressesGo) {
  GetResults("Goods 0-6-0 slide valve");
  ResultsForm->EdLa_ang->setText("15");
  QTest::keyClick(ResultsForm->EdLa_ang, Qt::Key_Return);
  EXPECT_EQ(ResultsForm->LbEqlds->text(), "15");
  EXPECT_TRUE(ResultsForm->BtAnima->isEnabled());
}

TEST_F(TResultsFormTest, RefusedOrFailedRunsLeaveTheWindowAsItWas) {
  GetResults("Goods 0-6-0 slide valve");
  Go("10");
  const auto shown = Labels();
  const QImage diagram = ResultsForm->Oval->image();

  Go("ten");  // not a number: the conversion message, nothing recomputed
  EXPECT_EQ(prompter_.shown.back().text, "'ten' is not a valid floating point value");
  EXPECT_EQ(Labels(), shown);
  EXPECT_FALSE(ResultsForm->BtAnima->isEnabled());

  // A gear that cannot be assembled at this angle: a message naming the
  // crank angle; labels, diagram and "ANIMATE" stay.
  EngineInPlace().conrod = 10;
  Go("10");
  EXPECT_EQ(prompter_.shown.back().caption, "Message");
  EXPECT_NE(prompter_.shown.back().text.find("crank angle"), std::string::npos);
  EXPECT_EQ(Labels(), shown);
  EXPECT_EQ(ResultsForm->Oval->image(), diagram);
  EXPECT_FALSE(ResultsForm->BtAnima->isEnabled());
}

TEST_F(TResultsFormTest, ANewEngineShowsNothingOfTheLastAndOnlyAGoodRunChangesTheNote) {
  GetResults("Goods 0-6-0 slide valve");
  Go("10");
  GetResults("Tank 0-6-2T piston valves");
  for (const QString& text : Labels()) EXPECT_TRUE(text.isEmpty()) << text.toStdString();

  const double conrod = TheSession().engine().conrod;
  EngineInPlace().conrod = 10;  // cannot be assembled
  for (const char* angle : {"10", "ten"}) {
    Go(angle);
    EXPECT_TRUE(ResultsForm->MLeads->isVisibleTo(ResultsForm)) << angle;
    EXPECT_FALSE(ResultsForm->MXleads->isVisibleTo(ResultsForm)) << angle;
  }
  EngineInPlace().conrod = conrod;
  Go("10");
  EXPECT_FALSE(ResultsForm->MLeads->isVisibleTo(ResultsForm));
  EXPECT_TRUE(ResultsForm->MXleads->isVisibleTo(ResultsForm));
  for (const QString& text : Labels()) EXPECT_FALSE(text.isEmpty());
}

TEST_F(TResultsFormTest, AStoredEngineGivesTheSweepToolsNumbersWhateverItsTypeFields) {
  Pick("Low shaft, short lifting link");
  EngineRecord odd{};
  ToRecord(MainForm->engine(), odd);
  SetRecordName(odd, "Odd types", 9);
  odd.rockerType = 5;  // shown as type A
  odd.valveType = 0;   // shown as outside admission
  odd.conrod = 90.125;
  odd.exlap = 0.13125;
  StartWith({odd});
  GetResults("Odd types");
  Go("15");
  std::ostringstream out, err;
  ASSERT_EQ(RunSweepCommand({"--results", "sweep.txt", "Odd types", "15"}, out, err), 0) << err.str();
  const auto row = [](const char* label, QLabel* back, QLabel* front) {
    const auto text = [](QLabel* l) {
      return l->text() == "-" ? std::string("none") : l->text().toStdString();
    };
    std::string line = "  " + std::string(label);
    line.append(22 - line.size(), ' ');
    line += text(back);
    line.append(std::max<std::size_t>(32, line.size()) - line.size(), ' ');
    return line + text(front) + "\n";
  };
  const TResultsForm& w = *ResultsForm;
  for (const std::string& line :
       {row("Admission", w.LbAdmB, w.LbAdmF), row("Cut-off", w.LbCoB, w.LbCoF),
        row("Exhaust", w.LbExB, w.LbExF), row("Compression", w.LbCpB, w.LbCpF),
        row("Lead", w.LbLeadB, w.LbLeadF), row("Max. port opening", w.LbPopB, w.LbPopF),
        "minimum " + w.LbLinkmin->text().toStdString() + " deg. (anticlockwise), maximum " +
            w.LbLinkmax->text().toStdString() + " deg.",
        "centres): " + w.LbDiedef->text().toStdString() + "\n"})
    EXPECT_NE(out.str().find(line), std::string::npos) << line << out.str();
  EXPECT_EQ(ReadBytes("results.txt"), ReadBytes("sweep.txt"));
}

TEST_F(TResultsFormTest, AnUnwritableTableIsReportedAndTheResultsStillShown) {
  std::filesystem::create_directory("results.txt");
  GetResults("Express 4-4-0 rocker B");
  Go("12");
  EXPECT_TRUE(Shown("Cannot open Results file"));
  EXPECT_FALSE(ResultsForm->LbAdmB->text().isEmpty());
  EXPECT_TRUE(ResultsForm->BtAnima->isEnabled());
  EXPECT_TRUE(AnimaForm->MRocker->isVisibleTo(AnimaForm));

  // A disk that fills up while the table is written: a failed write is said
  // to be one, and the previous table stays whole.
  std::filesystem::remove("results.txt");
  Go("14");
  const std::string before = ReadBytes("results.txt");
  {
    const FileSizeLimit fullDisk(1000);
    Go("16");
  }
  EXPECT_EQ(prompter_.shown.back().text.rfind("Cannot write Results file: File too large\n", 0), 0u);
  EXPECT_EQ(ReadBytes("results.txt"), before);
}

TEST_F(TResultsFormTest, DiagramMapsTheFrameAndLinesToTheirPixels) {
  GetResults("Tank 0-6-2T piston valves");
  Go("20");
  EXPECT_EQ(ResultsForm->DiagramColumn(1), 280);
  EXPECT_EQ(ResultsForm->DiagramRow(0), 183);
  EXPECT_EQ(ResultsForm->DiagramColumn(0.5), 140);
  // Lap lines lie a sixth of the height from the axis whatever the lap.
  const int axis = ResultsForm->DiagramRow(0.5);
  EXPECT_EQ(Pixel(5, axis), QColor(0, 0, 0));
  const auto limeNear = [&](int row) {
    return Pixel(5, row - 1) == QColor(0, 255, 0) || Pixel(5, row) == QColor(0, 255, 0) ||
           Pixel(5, row + 1) == QColor(0, 255, 0);
  };
  EXPECT_TRUE(limeNear(183 / 2 - 183 / 6));
  EXPECT_TRUE(limeNear(183 / 2 + 183 / 6));
  EXPECT_EQ(Pixel(0, 90), QColor(0, 0, 255));   // left edge of the frame
  EXPECT_EQ(Pixel(28, 90), QColor(0, 128, 0));  // first grid line
  int red = 0;
  for (int y = 0; y < 183; ++y)
    for (int x = 0; x < 280; ++x) red += Pixel(x, y) == QColor(255, 0, 0);
  EXPECT_GT(red, 200);  // the valve curve

  // Grid, axis and lap lines stop short of the frame's outer pixels (only
  // the valve curve may touch them at a dead centre), so a clearing fill
  // leaves the frame whole.
  const auto frameWhole = [&] {
    const auto onFrame = [&](int x, int y) {
      return Pixel(x, y) == QColor(0, 0, 255) || Pixel(x, y) == QColor(255, 0, 0);
    };
    for (int x = 0; x < 280; ++x)
      if (!onFrame(x, 0)) return false;
    for (int y = 0; y < 183; ++y)
      if (!onFrame(0, y)) return false;
    return true;
  };
  EXPECT_TRUE(frameWhole());
  ResultsForm->BtClear->click();
  EXPECT_EQ(Pixel(140, 20), QColor(255, 255, 255));
  EXPECT_TRUE(frameWhole());
  EXPECT_TRUE(ResultsForm->LbAdmB->text().isEmpty());
  EXPECT_FALSE(ResultsForm->LbLinkmin->text().isEmpty());
}

TEST_F(TResultsFormTest, ZeroLapOrCrankDrawsNothingItCannotScale) {
  GetResults("Goods 0-6-0 slide valve");
  EngineInPlace().stlap = 0;
  Go("15");
  for (int y = 0; y < 183; ++y)
    for (int x = 0; x < 280; ++x) ASSERT_NE(Pixel(x, y), QColor(255, 0, 0));
  for (const QString& text : Labels()) EXPECT_FALSE(text.contains("NAN") || text.contains("INF"));
}

TEST_F(TResultsFormTest, ARunOutsideTheUsableRangeIsShownWithANoteSayingWhy) {
  // The study finds -31.5 to 35 for this engine, and the note agrees with it.
  GetResults("Goods 0-6-0 slide valve");
  const auto note = [] { return ResultsForm->LbUsable->text().toStdString(); };
  for (const char* inside : {"15", "35", "-31.5"}) {
    Go(inside);
    EXPECT_EQ(note(), "") << inside;
  }
  // Past a rod pin in the run itself, and a run that passes on its own but
  // lies beyond the angle where the search stopped; the figures stay.
  Go("60");
  EXPECT_EQ(note(), "Outside the usable range: the die runs past a rod pin.");
  EXPECT_FALSE(ResultsForm->LbAdmB->text().isEmpty());
  Go("95");
  EXPECT_EQ(note(), "Outside the usable range: beyond 35 deg. the die runs past a rod pin.");
  EXPECT_EQ(ResultsForm->LbUsable->toolTip().toStdString(), note());
  EXPECT_LT(ResultsForm->LbUsable->geometry().right(), ResultsForm->Oval->x());
  // A lap the valve never opens past: the ports never open.
  EngineInPlace().stlap = 3;
  Go("10");
  EXPECT_EQ(note(), "Outside the usable range: no admission or cut-off at either end.");
  ResultsForm->BtClear->click();
  EXPECT_EQ(note(), "");
}

TEST_F(TResultsFormTest, TheFirstGoSetsTheValvesAsChosenAndLaterRunsKeepThatSetting) {
  GetResults("Goods 0-6-0 slide valve");
  QComboBox* choice = ResultsForm->CbValveSetting;
  EXPECT_TRUE(choice->isVisibleTo(ResultsForm));
  EXPECT_EQ(choice->currentText(), "equal leads");
  choice->setCurrentIndex(choice->findText("equal cut-off"));
  EXPECT_TRUE(ResultsForm->MLeads->toPlainText().contains("at which the cut-offs"));
  Go("20");
  EXPECT_EQ(ResultsForm->LbCoB->text(), ResultsForm->LbCoF->text());
  EXPECT_NE(ResultsForm->LbLeadB->text(), ResultsForm->LbLeadF->text());
  EXPECT_FALSE(choice->isVisibleTo(ResultsForm));
  EXPECT_TRUE(ResultsForm->MXleads->toPlainText().startsWith(" Equal cut-offs at each end"));
  EXPECT_EQ(ResultsForm->LbEqlds->text(), "20");
  // The angle follows its longer caption.
  const QLabel* caption = nullptr;
  for (const QLabel* label : ResultsForm->findChildren<QLabel*>())
    if (label->text().startsWith("* Lifting arm angle")) caption = label;
  ASSERT_NE(caption, nullptr);
  EXPECT_EQ(caption->text(), "* Lifting arm angle  for equal cut-offs set at ");
  EXPECT_GT(ResultsForm->LbEqlds->x(), caption->geometry().right());
  const double centring = *TheSession().centring();
  Go("30");
  EXPECT_EQ(*TheSession().centring(), centring);
  EXPECT_NE(ResultsForm->LbCoB->text(), ResultsForm->LbCoF->text());

  // A new engine starts with the choice again; equal leads give today's run.
  GetResults("Goods 0-6-0 slide valve");
  EXPECT_TRUE(choice->isVisibleTo(ResultsForm));
  choice->setCurrentIndex(choice->findText("equal leads"));
  Go("20");
  EXPECT_EQ(ResultsForm->LbLeadB->text(), ResultsForm->LbLeadF->text());
  EXPECT_EQ(caption->text(), "* Lifting arm angle  for equal leads set at ");
  EXPECT_EQ(ResultsForm->LbEqlds->x(), 215);
}

TEST_F(TResultsFormTest, AtTwiceThePixelsTheValveCurveRunsThroughItsOwnPoints) {
  GetResults("Tank 0-6-2T piston valves");
  QImage dense(560, 366, QImage::Format_RGB32);
  dense.setDevicePixelRatio(2);
  dense.fill(Qt::white);
  ResultsForm->Oval->image() = dense;
  Go("20");
  // The curve's points on the picture's own pixels, and every red pixel
  // within the pen's half width (one device pixel) and a little of them: a
  // curve drawn through whole logical pixels strays by up to one more.
  const GearRun& run = *TheSession().latestRun();
  std::vector<QPointF> curve;
  for (int k = 0; k <= kSteps; ++k)
    curve.emplace_back(2 * ResultsForm->DiagramX(run.pistonTable[k] / run.strokeScale + 0.5),
                       2 * ResultsForm->DiagramY(run.valveTable[k] / ResultsForm->travelScale() + 0.5));
  const auto distance = [&](QPointF p) {
    double nearest = 1e9;
    for (std::size_t i = 1; i < curve.size(); ++i) {
      const QPointF a = curve[i - 1], ab = curve[i] - a;
      const double length2 = QPointF::dotProduct(ab, ab);
      const double t = length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0;
      const QPointF off = p - (a + t * ab);
      nearest = std::min(nearest, std::hypot(off.x(), off.y()));
    }
    return nearest;
  };
  const QImage& picture = ResultsForm->Oval->image();
  int red = 0;
  double farthest = 0;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      if (picture.pixelColor(x, y) == QColor(255, 0, 0)) {
        ++red;
        farthest = std::max(farthest, distance(QPointF(x + 0.5, y + 0.5)));
      }
  EXPECT_GT(red, 800);
  EXPECT_LE(farthest, 1.25);
}

TEST_F(TResultsFormTest, EachRunsCurveKeepsItsColourAndTheLegendNamesItsAngle) {
  GetResults("Goods 0-6-0 slide valve");
  const auto pixels = [&](QColor colour) {
    int count = 0;
    for (int y = 0; y < 183; ++y)
      for (int x = 0; x < 280; ++x) count += Pixel(x, y) == colour;
    return count;
  };
  Go("10");
  const QColor first = ResultsForm->CurveColour(0);
  EXPECT_EQ(first, QColor(255, 0, 0));  // the present run is red
  Go("25");
  Go("10");  // again at 10: its curve moves to the front, the other keeps its place
  ASSERT_EQ(ResultsForm->drawnRuns().size(), 2u);
  const QColor earlier = ResultsForm->CurveColour(0);
  EXPECT_NE(earlier, QColor(255, 0, 0));
  EXPECT_EQ(ResultsForm->CurveColour(1), QColor(255, 0, 0));
  EXPECT_GT(pixels(earlier), 100);
  EXPECT_GT(pixels(QColor(255, 0, 0)), 100);
  const std::vector<QLabel*> legend = ResultsForm->runLabels();
  ASSERT_EQ(legend.size(), 2u);
  EXPECT_TRUE(legend[0]->text().endsWith(" 25 deg.")) << legend[0]->text().toStdString();
  EXPECT_EQ(Controls::TextColour(legend[0]), earlier);
  EXPECT_TRUE(legend[1]->text().endsWith(" 10 deg.")) << legend[1]->text().toStdString();
  EXPECT_EQ(Controls::TextColour(legend[1]), QColor(255, 0, 0));
  EXPECT_EQ(ResultsForm->LbDieSlip->text(), BoxText::Format(TheSession().latestRun()->results.dieSlip));
  WindowSet::Model().SetLengthUnit(LengthUnit::mm);
  EXPECT_TRUE(ResultsForm->LbDieSlip->text().endsWith(" mm"));

  ResultsForm->BtClear->click();
  EXPECT_TRUE(ResultsForm->drawnRuns().empty());
  EXPECT_FALSE(ResultsForm->RunLegend->isVisibleTo(ResultsForm));
}
