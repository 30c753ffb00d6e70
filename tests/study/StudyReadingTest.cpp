// The study as a designer reads it: set as the RESULTS window sets its valves,
// ten rows of the table in view at the window's own size (run at 1x and 2x),
// legends in the colours of the lines they name, the PDF's plots in one font
// size and its columns apart, and indicator values outside what the command
// line takes refused aloud.
#include <QHeaderView>
#include <QLegendMarker>
#include <QLineSeries>
#include <QProcess>
#include <QRegularExpression>
#include <QScatterSeries>
#include <QTest>
#include <QValueAxis>
#include <set>

#include "BoxText.h"
#include "TResultsForm.h"
#include "TStudyForm.h"
#include "WindowTest.h"

namespace {

class StudyReadingTest : public WindowTest {
 protected:
  void OpenStudy() {
    MainForm->findChild<QAction*>("QuadrantStudy1")->trigger();
    QCoreApplication::processEvents();
    ASSERT_TRUE(
        QTest::qWaitFor([] { return !StudyForm->studying() && !StudyForm->study().rows.empty(); }, 20000));
  }
  // The offscreen screen is small; a chart with no room for its legend hides it.
  static void AtLaidOutSize() {
    StudyForm->resize(1160, 900);
    QCoreApplication::processEvents();
  }
  static QString Tool(const QString& program, const QStringList& arguments) {
    QProcess tool;
    tool.start(program, arguments);
    if (!tool.waitForFinished(20000) || tool.exitCode() != 0) return "failed: " + program;
    return QString::fromUtf8(tool.readAllStandardOutput());
  }
  static QColor SeriesColour(QAbstractSeries* series) {
    if (auto* line = qobject_cast<QLineSeries*>(series)) return line->pen().color();
    return qobject_cast<QScatterSeries*>(series)->color();
  }
};

}  // namespace

TEST_F(StudyReadingTest, OpensSetAsTheResultsWindowIsWithTenRowsInView) {
  Pick("Goods 0-6-0 slide valve");
  MainForm->BtResults->click();
  ResultsForm->CbValveSetting->setCurrentIndex(1);
  ResultsForm->EdLa_ang->setText("25");
  ResultsForm->BtGo->click();
  OpenStudy();
  EXPECT_EQ(StudyForm->study().options.valveSetting, ValveSetting::equalCutOff);
  EXPECT_EQ(StudyForm->study().settingDeg, 25);
  EXPECT_EQ(StudyForm->CbValveSetting->currentIndex(), 1);
  EXPECT_EQ(StudyForm->LbSettingSource->text(), "Valves set as on RESULTS");
  StudyForm->CbValveSetting->setCurrentIndex(0);
  ASSERT_TRUE(QTest::qWaitFor([] { return !StudyForm->studying(); }, 20000));
  EXPECT_EQ(StudyForm->LbSettingSource->text(), "Valves: RESULTS sets equal cut-offs at 25 deg.");

  const int rowHeight = StudyForm->Table->verticalHeader()->defaultSectionSize();
  EXPECT_GE(StudyForm->Table->viewport()->height(), 10 * rowHeight)
      << "window " << StudyForm->height() << ", scale " << StudyForm->devicePixelRatio();
}

TEST_F(StudyReadingTest, LegendsAreTheLinesColoursAndLengthsStartAtZero) {
  Pick("Goods 0-6-0 slide valve");
  MainForm->BtResults->click();
  OpenStudy();
  StudyForm->CompareWithStored("Express 4-4-0 rocker B");
  ASSERT_TRUE(QTest::qWaitFor([] { return !StudyForm->studying() && StudyForm->compared(); }, 20000));
  AtLaidOutSize();
  for (int plot = 0; plot < StudyCharts::kPlots; ++plot) {
    QChart* chart = StudyForm->Charts->view(plot)->chart();
    std::set<QRgb> drawn;
    for (QAbstractSeries* series : chart->series())
      if (auto* xy = qobject_cast<QXYSeries*>(series); xy->count() > 0 || xy->name() == "Reverser")
        drawn.insert(SeriesColour(series).rgb());
    if (plot == StudyCharts::indicatorPlot) continue;  // its lines follow the reverser
    for (QLegendMarker* marker : chart->legend()->markers()) {
      if (marker->isVisible()) {
        EXPECT_TRUE(drawn.count(SeriesColour(marker->series()).rgb()))
            << plot << " " << marker->label().toStdString();
      }
    }
  }
  const QStringList lengths = StudyForm->Charts->LegendNames(StudyCharts::portPlot);
  EXPECT_TRUE(lengths.contains("Die slip")) << lengths.join(", ").toStdString();
  const auto* axis = qobject_cast<QValueAxis*>(
      StudyForm->Charts->view(StudyCharts::portPlot)->chart()->axes(Qt::Vertical)[0]);
  EXPECT_EQ(axis->min(), 0);
  EXPECT_TRUE(StudyForm->LbSummary->text().contains("largest die slip "));
}

TEST_F(StudyReadingTest, ThePdfHoldsTheLegendsWholeAndKeepsEveryColumnApart) {
  Pick("Goods 0-6-0 slide valve");
  MainForm->BtResults->click();
  OpenStudy();
  AtLaidOutSize();
  StudyForm->ExportPdf("study.pdf");
  // The PDF's text sets "ff" as one ligature.
  const QString first =
      Tool("pdftotext", {"-layout", "-f", "1", "-l", "1", "study.pdf", "-"}).replace(QChar(0xFB00), "ff");
  for (int plot = 0; plot < StudyCharts::kPlots; ++plot)
    for (const QString& name : StudyForm->Charts->LegendNames(plot))
      EXPECT_TRUE(first.contains(name)) << name.toStdString() << "\n" << first.toStdString();
  EXPECT_TRUE(first.contains("QUADRANT STUDY: Goods 0-6-0 slide valve, equal leads set at 35 deg."));
  // The plots' axis titles print in one size, whatever each plot's legend.
  const QString words = Tool("pdftotext", {"-bbox", "-f", "1", "-l", "1", "study.pdf", "-"});
  const QRegularExpression title(
      "yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"([0-9.]+)\">(Mean|Lifting-arm)<");
  std::set<QString> heights;
  for (auto it = title.globalMatch(words); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    heights.insert(QString::number(m.captured(2).toDouble() - m.captured(1).toDouble(), 'f', 1));
  }
  EXPECT_EQ(heights.size(), 1u) << words.toStdString();
  // Every row of a table page has a figure per column, blanks between them.
  const int columns = StudyTableModel::Columns() - 1;
  const QString table = Tool("pdftotext", {"-layout", "-f", "2", "-l", "2", "study.pdf", "-"});
  int rows = 0;
  for (const QString& line : table.split('\n')) {
    const QStringList fields = line.split(' ', Qt::SkipEmptyParts);
    if (fields.isEmpty() || !QRegularExpression("^-?\\d+(\\.\\d+)?$").match(fields[0]).hasMatch()) continue;
    ++rows;
    EXPECT_EQ(fields.size(), columns) << line.toStdString();
  }
  EXPECT_EQ(rows, StudyPrinter::kRowsPerPage);
}

TEST_F(StudyReadingTest, IndicatorValuesOutsideTheCommandLinesAreRefusedNotClamped) {
  IndicatorParamsBox* box = StudyForm->Indicator;
  const IndicatorParams before = box->params();
  for (const auto& [edit, typed] : {std::pair{box->EdClearance, "1e308"},
                                    {box->EdRod, "0.9999999999999999"},
                                    {box->EdExhaust, "0.1234"},
                                    {box->EdRod, "abc"}}) {
    edit->setText(typed);
    emit edit->editingFinished();
    EXPECT_TRUE(box->LbRefusal->text().startsWith(QString("\"%1\" was not taken").arg(typed)));
  }
  EXPECT_EQ(box->params().clearancePct, before.clearancePct);
  EXPECT_EQ(box->params().rodRatio, before.rodRatio);
  EXPECT_EQ(box->EdClearance->text(), BoxText::FormatFaithful(before.clearancePct));
  box->EdRod->setText("0.125");
  emit box->EdRod->editingFinished();
  EXPECT_EQ(box->params().rodRatio, 0.125);
  EXPECT_TRUE(box->LbRefusal->text().isEmpty());
  box->EdRod->setText(BoxText::FormatFaithful(before.rodRatio));  // the remembered value as it was
  emit box->EdRod->editingFinished();
}
