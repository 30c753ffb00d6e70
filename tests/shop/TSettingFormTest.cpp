// The valve setting through the windows: opened from the main window's menu
// for the engine in the boxes with the recommended readings in its table; the
// readings of a gear mis-set on purpose (worked out by the program with those
// deviations, rounded as a fitter reads them) fitted and a correction shown;
// the record sheet written; the readings never saved over the data file, a
// bad readings file named by its line with nothing read, and a fit cancelled.
#include <QAction>
#include <QTest>
#include <cmath>
#include <fstream>

#include "NumberFormat.h"
#include "RunningDiagnosis.h"
#include "TSettingForm.h"
#include "WindowTest.h"

namespace {

class TSettingFormTest : public WindowTest {
 protected:
  void OpenGoods() {
    Pick("Goods 0-6-0 slide valve");
    MainForm->findChild<QAction*>("ValveSetting1")->trigger();
    ASSERT_TRUE(SettingForm->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(SettingForm->prepared() != nullptr, 60000);
    ASSERT_TRUE(SettingForm->prepared()->ok()) << SettingForm->prepared()->problem;
  }
  // The recommended readings of the gear with these deviations, rounded to their precision.
  std::vector<Reading> ReadingsOf(const DeviationVector& d) const {
    const ShopSetting& p = *SettingForm->prepared();
    std::vector<Reading> rows = p.recommended;
    const Prediction figures = Predict(*p.design, d, rows);
    for (std::size_t i = 0; i < rows.size(); ++i)
      rows[i].value = std::round(figures.figures[i] / rows[i].plusMinus) * rows[i].plusMinus;
    return rows;
  }
};

TEST_F(TSettingFormTest, MisSetGearIsFittedAndItsCorrectionShownAndPrinted) {
  OpenGoods();
  EXPECT_EQ(SettingForm->property("helpTopic").toString(), "setting");
  const auto& recommended = SettingForm->prepared()->recommended;
  ASSERT_EQ(SettingForm->readingTable->rowCount(), static_cast<int>(recommended.size()));
  EXPECT_EQ(SettingForm->readingTable->item(0, TSettingForm::angleColumn)->text(),
            QString::fromStdString(FormatFaithful(recommended[0].angleDeg)));
  EXPECT_TRUE(SettingForm->readingTable->item(0, TSettingForm::valueColumn)->text().isEmpty());
  EXPECT_TRUE(SettingForm->ReadTable().problem.isEmpty());

  // The upper rod 1/16 in long and the valve 1/32 in towards the front.
  DeviationVector truth{};
  truth[rod1Index] = 1.0 / 16;
  truth[spindleIndex] = 1.0 / 32;
  SettingForm->SetReadings(ReadingsOf(truth));
  const TSettingForm::TableRead read = SettingForm->ReadTable();
  ASSERT_TRUE(read.problem.isEmpty()) << read.problem.toStdString();
  EXPECT_EQ(read.readings.size(), recommended.size());
  QTest::mouseClick(SettingForm->BtFit, Qt::LeftButton);
  QTRY_VERIFY_WITH_TIMEOUT(SettingForm->setting() != nullptr && !SettingForm->working(), 120000);
  const ShopSetting& s = *SettingForm->setting();
  ASSERT_TRUE(s.ok()) << s.problem;
  // Every reading fits the fitted gear, and the spindle against both rods is said.
  for (const FittedReading& f : s.fit.readings) EXPECT_LE(std::fabs(f.residual), f.reading.plusMinus);
  ASSERT_FALSE(s.inseparable.empty());
  EXPECT_TRUE(SettingForm->notes->toPlainText().contains("on its spindle"));
  EXPECT_FALSE(SettingForm->readingTable->item(0, TSettingForm::fittedColumn)->text().isEmpty());
  // The first correction shown is the first offered, and made on the true gear it
  // brings every recommended reading back within its precision of the design.
  const CorrectionOption& first = s.corrections.options.front();
  ASSERT_FALSE(first.operations.empty());
  EXPECT_TRUE(SettingForm->correctionTable->item(0, 1)->text().startsWith(
      QString::fromStdString(OperationWords(*s.design, first.operations[0]))));
  EXPECT_EQ(SettingForm->chosenOption(), 0);
  DeviationVector after = truth;
  for (const Operation& op : first.operations)
    for (int j = 0; j < kDeviationCount; ++j) after[j] += op.amount * AdjustmentDirection(op.adjust)[j];
  const Prediction made = Predict(*s.design, after, recommended),
                   want = Predict(*s.design, DeviationVector{}, recommended);
  for (std::size_t i = 0; i < recommended.size(); ++i)
    EXPECT_LE(std::fabs(made.figures[i] - want.figures[i]), recommended[i].plusMinus) << i;
  EXPECT_FALSE(SettingForm->diagram->empty());

  SettingForm->EdSide->setText("left");
  const QString sheet = SettingForm->SheetHtml();
  EXPECT_TRUE(sheet.contains("Goods 0-6-0 slide valve"));
  EXPECT_TRUE(sheet.contains(SettingForm->readingTable->item(1, TSettingForm::valueColumn)->text()));
  EXPECT_TRUE(sheet.contains("Read again"));
  SettingForm->ExportPdf("sheet.pdf");
  EXPECT_EQ(ReadBytes("sheet.pdf").substr(0, 5), "%PDF-");
  // A reading changed by hand leaves no fit shown that is not of the table.
  SettingForm->readingTable->item(0, TSettingForm::valueColumn)->setText("1/8");
  EXPECT_EQ(SettingForm->setting(), nullptr);
  EXPECT_EQ(SettingForm->correctionTable->rowCount(), 0);
}

TEST_F(TSettingFormTest, NoReadingsOverTheDataFileNoBadFileReadAndCancelStopsTheFit) {
  OpenGoods();
  const std::string data = ReadBytes("ste_data.dat");
  SettingForm->SaveReadings("ste_data.dat");
  ASSERT_FALSE(prompter_.shown.empty());
  EXPECT_NE(prompter_.shown.back().text.find("is the data file"), std::string::npos);
  EXPECT_EQ(ReadBytes("ste_data.dat"), data);

  std::ofstream("bad.csv") << "angleDeg,end,event,value,unit,plusMinus\n35,front,lead,0.1,,\n"
                              "35,middle,lead,0.1,,\n";
  const int rows = SettingForm->readingTable->rowCount();
  SettingForm->OpenReadings("bad.csv");
  EXPECT_NE(prompter_.shown.back().text.find("line 3"), std::string::npos) << prompter_.shown.back().text;
  EXPECT_EQ(SettingForm->readingTable->rowCount(), rows);
  SettingForm->SaveReadings("good.csv");
  SettingForm->OpenReadings("good.csv");
  EXPECT_EQ(SettingForm->readingTable->rowCount(), rows);

  // Cancel stops the fit at the end of its first stage: nothing is shown as fitted.
  SettingForm->readingTable->item(0, TSettingForm::valueColumn)->setText("3/32");
  SettingForm->BtFit->click();
  ASSERT_TRUE(SettingForm->working());
  SettingForm->BtCancel->click();
  QTRY_VERIFY_WITH_TIMEOUT(!SettingForm->working(), 60000);
  EXPECT_EQ(SettingForm->setting(), nullptr);
  EXPECT_TRUE(SettingForm->LbStatus->text().startsWith("Cancelled"))
      << SettingForm->LbStatus->text().toStdString();
}

// On the page "From the running engine", cards worked out by the program for
// a valve 1/16 in off on its spindle give that cause first; the evidence
// saved and opened again is the same.
TEST_F(TSettingFormTest, CardsOfAValveOffOnItsSpindleNameItFirst) {
  OpenGoods();
  RunningPage* page = SettingForm->runningPage;
  ASSERT_GT(page->evidenceTable->rowCount(), 0);  // blank card rows to fill in
  EXPECT_TRUE(page->ReadTable().rows.empty());
  const SettingDesign& design = *SettingForm->prepared()->design;
  std::vector<Evidence> cards;
  for (const double angle : {design.usable.loDeg / 2, design.usable.hiDeg / 2})
    for (const ReadingEnd end : {ReadingEnd::front, ReadingEnd::back})
      for (const EvidenceEvent event :
           {EvidenceEvent::cutOff, EvidenceEvent::release, EvidenceEvent::compression})
        cards.push_back({angle, end, event, 0, 0.5});
  DeviationVector spindle{};
  spindle[spindleIndex] = 1.0 / 16;
  const auto figures = *EvidenceFigures(design, spindle, 0, cards);
  for (std::size_t i = 0; i < cards.size(); ++i) cards[i].value = std::round(figures[i] * 2) / 2;
  page->SetEvidence(cards);
  page->SaveEvidence("cards.csv");
  page->OpenEvidence("cards.csv");
  ASSERT_EQ(page->ReadTable().rows.size(), cards.size());
  SettingForm->pages->setCurrentWidget(page);
  QTest::mouseClick(page->BtDiagnose, Qt::LeftButton);
  QTRY_VERIFY_WITH_TIMEOUT(page->diagnosis() != nullptr && !page->working(), 60000);
  EXPECT_EQ(page->diagnosis()->causes.front().cause, Cause::spindle);
  EXPECT_TRUE(page->causeTable->item(0, 0)->text().startsWith("Valve off on its spindle, about 1/16"))
      << page->causeTable->item(0, 0)->text().toStdString();
  EXPECT_FALSE(page->findings->toPlainText().isEmpty());
}

}  // namespace
