// The design assistant through the windows: opened from the main window's
// menu for the engine in the boxes, the free dimensions by their box labels
// with exact bounds, a short search off the GUI thread whose plots cover the
// whole usable range, "Put in boxes" filling the main window's boxes with
// what the table shows, a new search clearing the old result, bounds across
// zero refused (Start in view on a low window), a cancel that stops the
// search promptly, and another data folder letting go of the engine, its
// result and its search.
#include <QAction>
#include <QChartView>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTest>
#include <algorithm>

#include "BoxText.h"
#include "TAssistantForm.h"
#include "WindowTest.h"

using TAssistantFormTest = WindowTest;

namespace {

int Points(QChartView* view) {
  int points = 0;
  for (QAbstractSeries* series : view->chart()->series())
    points += static_cast<QLineSeries*>(series)->count();
  return points;
}

int Index(const char* key) {
  for (std::size_t i = 0; i < kDimensions; ++i)
    if (std::string(DesignDimensions()[i].name) == key) return static_cast<int>(i);
  return -1;
}

}  // namespace

TEST_F(TAssistantFormTest, SearchesTheWholeRangeAndPutsWhatTheTableShowsInTheBoxes) {
  Pick("Goods 0-6-0 slide valve");
  MainForm->findChild<QAction*>("DesignAssistant1")->trigger();
  ASSERT_TRUE(AssistantForm->isVisible());
  EXPECT_EQ(AssistantForm->property("helpTopic").toString(), "assistant");
  EXPECT_EQ(AssistantForm->FreeBox(Index("larad"))->text(), "Lifting arm radius");
  EXPECT_TRUE(AssistantForm->FreeBox(Index("larad"))->isChecked());
  EXPECT_FALSE(AssistantForm->FreeBox(Index("conrod"))->isChecked());
  // The bounds read back to the very bounds the command line takes.
  Engine goods;
  goods.ctoweighv = 19;
  goods.linkpins = 13;
  const FreeDimension ctoweighv = DefaultBounds(goods, "ctoweighv");
  EXPECT_EQ(BoxText::Number(AssistantForm->LowerBox(Index("ctoweighv"))), ctoweighv.lower);

  AssistantForm->EdMaxEvals->setText("300");
  QTest::mouseClick(AssistantForm->BtStart, Qt::LeftButton);
  EXPECT_TRUE(AssistantForm->searching());
  EXPECT_TRUE(AssistantForm->BtCancel->isEnabled());
  QTRY_VERIFY_WITH_TIMEOUT(!AssistantForm->searching(), 30000);
  const DesignResult* result = AssistantForm->result();
  ASSERT_NE(result, nullptr);
  ASSERT_EQ(result->status, DesignStatus::improved) << AssistantForm->LbStatus->text().toStdString();
  // Before and after, at every half degree of the usable range.
  EXPECT_EQ(Points(AssistantForm->inequalityView), 2 * static_cast<int>(result->notchesDeg.size()));
  EXPECT_GT(AssistantForm->summaryTable->rowCount(), 5);
  // Each limit that binds is named.
  for (const LimitState& limit : result->limits)
    EXPECT_EQ(AssistantForm->LbLimits->text().contains(QString::fromStdString(limit.text)), limit.binds)
        << limit.key;

  ASSERT_TRUE(AssistantForm->BtPutInBoxes->isEnabled());
  QTest::mouseClick(AssistantForm->BtPutInBoxes, Qt::LeftButton);
  EXPECT_EQ(MainForm->EdName->text(), QString::fromUtf8("Goods 0-6-0 slide\u2026 equalised"));
  for (int row = 0; row < AssistantForm->dimensionTable->rowCount(); ++row) {
    if (AssistantForm->dimensionTable->item(row, 0)->text() == "Lifting arm radius") {
      EXPECT_EQ(Box("EdLarad")->text(), AssistantForm->dimensionTable->item(row, 2)->text());
    }
  }
  EXPECT_EQ(BoxText::Number(Box("EdLarad")), result->proposal.larad);
  EXPECT_EQ(Box("EdConrod")->text(), "78");
  // Nothing is stored until the user saves.
  EXPECT_EQ(MainForm->CB_Engines->findText(QString::fromUtf8("Goods 0-6-0 slide\u2026 equalised")), -1);

  // A new search clears the result shown.
  QTest::mouseClick(AssistantForm->BtStart, Qt::LeftButton);
  EXPECT_EQ(AssistantForm->result(), nullptr);
  EXPECT_EQ(Points(AssistantForm->inequalityView), 0);
  EXPECT_FALSE(AssistantForm->BtPutInBoxes->isEnabled());
  QTRY_VERIFY_WITH_TIMEOUT(!AssistantForm->searching(), 30000);
}

TEST_F(TAssistantFormTest, BothPlotsTheTradeOffAndAPickedPointBecomesTheDesignShown) {
  Pick("Goods 0-6-0 slide valve");
  MainForm->findChild<QAction*>("DesignAssistant1")->trigger();
  AssistantForm->CbObjective->setCurrentIndex(AssistantForm->CbObjective->findText("Both (trade-off)"));
  AssistantForm->EdMaxEvals->setText("300");
  QTest::mouseClick(AssistantForm->BtStart, Qt::LeftButton);
  EXPECT_TRUE(AssistantForm->searching());
  QTRY_VERIFY_WITH_TIMEOUT(!AssistantForm->searching(), 120000);
  const TradeOffFront* front = AssistantForm->front();
  ASSERT_NE(front, nullptr);
  const int designs = static_cast<int>(front->designs.size());
  ASSERT_GE(designs, 2) << AssistantForm->LbStatus->text().toStdString();
  // The start and each design a point; the labels name each design once, as the list numbers
  // them (close points share one label).
  QChart* chart = AssistantForm->frontView->chart();
  ASSERT_EQ(chart->series().size(), designs + 1);
  QStringList named;
  for (QAbstractSeries* series : chart->series().mid(1))
    if (auto* points = static_cast<QScatterSeries*>(series); points->pointLabelsVisible())
      named << points->pointLabelsFormat().split(", ");
  QStringList numbers;
  for (int i = 1; i <= designs; ++i) numbers << QString::number(i);
  std::sort(named.begin(), named.end(),
            [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
  EXPECT_EQ(named, numbers);
  EXPECT_EQ(AssistantForm->frontTable->rowCount(), designs);
  EXPECT_EQ(AssistantForm->result(), &front->designs[0].result);
  // With the trade-off shown the window still fits a 2560x1440 screen at 2x: 720 logical pixels.
  EXPECT_LE(AssistantForm->minimumSizeHint().height(), 720);

  // A click on the last design's point shows it: its dimensions, and "Put in boxes" takes it.
  auto* last = static_cast<QScatterSeries*>(chart->series().back());
  const QPoint at = AssistantForm->frontView->mapFromScene(chart->mapToPosition(last->at(0), last));
  QTest::mouseClick(AssistantForm->frontView->viewport(), Qt::LeftButton, {}, at);
  QTRY_COMPARE(AssistantForm->shownDesign(), designs - 1);
  const DesignResult& shown = front->designs.back().result;
  EXPECT_EQ(AssistantForm->result(), &shown);
  EXPECT_EQ(AssistantForm->frontTable->currentRow(), designs - 1);
  QTest::mouseClick(AssistantForm->BtPutInBoxes, Qt::LeftButton);
  EXPECT_EQ(BoxText::Number(Box("EdLarad")), shown.proposal.larad);
  // Picking a row of the list does the same.
  AssistantForm->frontTable->selectRow(0);
  EXPECT_EQ(AssistantForm->result(), &front->designs[0].result);
}

TEST_F(TAssistantFormTest, BoundsAcrossZeroAreRefused) {
  Pick("Goods 0-6-0 slide valve");
  MainForm->findChild<QAction*>("DesignAssistant1")->trigger();
  // On a low screen the inputs scroll, Start stays in view below them.
  AssistantForm->resize(AssistantForm->width(), 420);
  QCoreApplication::processEvents();
  const QRect start(AssistantForm->BtStart->mapTo(AssistantForm, QPoint()), AssistantForm->BtStart->size());
  EXPECT_TRUE(AssistantForm->rect().contains(start));
  EXPECT_EQ(AssistantForm->BtStart->visibleRegion().boundingRect().size(), AssistantForm->BtStart->size());
  AssistantForm->FreeBox(Index("stlap"))->setChecked(true);
  AssistantForm->LowerBox(Index("stlap"))->setText(BoxText::Format(-0.5));
  QTest::mouseClick(AssistantForm->BtStart, Qt::LeftButton);
  EXPECT_FALSE(AssistantForm->searching());
  EXPECT_TRUE(AssistantForm->LbStatus->text().contains("above zero"))
      << AssistantForm->LbStatus->text().toStdString();
  // A die margin of half the arc leaves the die nowhere to run.
  AssistantForm->LowerBox(Index("stlap"))->setText(BoxText::Format(0.5));
  AssistantForm->EdDieMargin->setText(BoxText::Format(50));
  QTest::mouseClick(AssistantForm->BtStart, Qt::LeftButton);
  EXPECT_FALSE(AssistantForm->searching());
  EXPECT_TRUE(AssistantForm->LbStatus->text().contains("die margin"))
      << AssistantForm->LbStatus->text().toStdString();
}

TEST_F(TAssistantFormTest, CancelStopsTheSearchPromptly) {
  Pick("Express 4-4-0 rocker B");
  MainForm->findChild<QAction*>("DesignAssistant1")->trigger();
  AssistantForm->EdMaxEvals->setText("1000000");
  QTest::mouseClick(AssistantForm->BtStart, Qt::LeftButton);
  QTest::qWait(300);
  QTest::mouseClick(AssistantForm->BtCancel, Qt::LeftButton);
  QTRY_VERIFY_WITH_TIMEOUT(!AssistantForm->searching(), 60000);  // only a hang fails here
  EXPECT_EQ(AssistantForm->result()->status, DesignStatus::cancelled);
  EXPECT_LT(AssistantForm->result()->evaluations, 1000000);
  EXPECT_TRUE(AssistantForm->BtStart->isEnabled());
  // The trade-off stops as promptly, in its first search, and says what it kept.
  AssistantForm->CbObjective->setCurrentIndex(2);
  QTest::mouseClick(AssistantForm->BtStart, Qt::LeftButton);
  QTest::qWait(300);
  QTest::mouseClick(AssistantForm->BtCancel, Qt::LeftButton);
  QTRY_VERIFY_WITH_TIMEOUT(!AssistantForm->searching(), 60000);
  ASSERT_NE(AssistantForm->front(), nullptr);
  EXPECT_EQ(AssistantForm->front()->status, DesignStatus::cancelled);
  EXPECT_EQ(AssistantForm->front()->searches, 1);
  EXPECT_TRUE(AssistantForm->LbStatus->text().contains("Cancelled"))
      << AssistantForm->LbStatus->text().toStdString();
}

TEST_F(TAssistantFormTest, AnotherDataFolderDropsTheEngineAndTheSearch) {
  Pick("Express 4-4-0 rocker B");
  MainForm->findChild<QAction*>("DesignAssistant1")->trigger();
  AssistantForm->EdMaxEvals->setText("1000000");
  QTest::mouseClick(AssistantForm->BtStart, Qt::LeftButton);
  ASSERT_TRUE(AssistantForm->searching());
  WindowSet::OpenStore("ste_data.dat");
  EXPECT_FALSE(AssistantForm->searching());
  EXPECT_FALSE(AssistantForm->BtStart->isEnabled());
  EXPECT_FALSE(AssistantForm->BtPutInBoxes->isEnabled());
  EXPECT_EQ(AssistantForm->windowTitle(), "DESIGN ASSISTANT");
  EXPECT_TRUE(AssistantForm->LbStatus->text().startsWith("No engine"));
  // The dropped search delivers nothing.
  QTest::qWait(300);
  EXPECT_EQ(AssistantForm->result(), nullptr);
  Pick("Goods 0-6-0 slide valve");
  MainForm->findChild<QAction*>("DesignAssistant1")->trigger();
  EXPECT_TRUE(AssistantForm->BtStart->isEnabled());
  // The suggested name keeps " equalised" whole, marks a cut name and is free in the file.
  Engine named;
  named.name = "Express 4-4-0 rocker B";
  EXPECT_EQ(TAssistantForm::ProposalName(named), QString::fromUtf8("Express 4-4-0 rock\u2026 equalised"));
  named.name = "Goods";
  const auto taken = [](const std::string& name) { return name == "Goods equalised"; };
  EXPECT_EQ(TAssistantForm::ProposalName(named, taken), "Goods equalised 2");
}
