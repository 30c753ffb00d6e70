// The gear review through the windows: opened from the main window's menu for
// the engine in the boxes, the checks shown while the rest is still worked
// out, a poor verdict in red, and "Try it" filling the main window's boxes
// with the fix's engine under a name no stored engine holds, nothing saved;
// the PDF is written.
#include <QAction>
#include <QTest>

#include "BoxText.h"
#include "EngineSchema.h"
#include "TReviewForm.h"
#include "WindowPrinter.h"
#include "WindowTest.h"

using TReviewFormTest = WindowTest;

TEST_F(TReviewFormTest, ChecksComeFirstAndTryItPutsAFixInTheBoxes) {
  Pick("Goods 0-6-0 slide valve");
  MainForm->findChild<QAction*>("ReviewGear1")->trigger();
  ASSERT_TRUE(ReviewForm->isVisible());
  EXPECT_EQ(ReviewForm->property("helpTopic").toString(), "review");
  QTRY_COMPARE_WITH_TIMEOUT(ReviewForm->checkTable->rowCount(), static_cast<int>(kChecks), 30000);
  EXPECT_TRUE(ReviewForm->working());
  EXPECT_EQ(ReviewForm->checkTable->item(cutOffInequality, 5)->text(), "poor");
  EXPECT_GT(ReviewForm->checkTable->item(cutOffInequality, 5)->background().color().red(),
            ReviewForm->checkTable->item(cutOffInequality, 5)->background().color().green());
  QTRY_VERIFY_WITH_TIMEOUT(!ReviewForm->working(), 240000);
  ASSERT_EQ(ReviewForm->sensitivityTable->rowCount(), static_cast<int>(kDimensions));
  const auto& fixes = ReviewForm->fixes();
  ASSERT_EQ(ReviewForm->fixTable->rowCount(), static_cast<int>(fixes.size()));
  const auto good =
      std::find_if(fixes.begin(), fixes.end(), [](const ReviewFix& f) { return f.reachesGood(); });
  ASSERT_NE(good, fixes.end());
  ReviewForm->fixTable->selectRow(static_cast<int>(good - fixes.begin()));
  ASSERT_TRUE(ReviewForm->BtTryIt->isEnabled());
  QTest::mouseClick(ReviewForm->BtTryIt, Qt::LeftButton);
  const QString name = MainForm->EdName->text();
  EXPECT_TRUE(name.startsWith("Goods")) << name.toStdString();
  EXPECT_EQ(MainForm->CB_Engines->findText(name), -1);
  const std::string key = EngineDimensions()[good->dimension].key;
  const QString box =
      "Ed" + QString::fromStdString(key).left(1).toUpper() + QString::fromStdString(key).mid(1);
  EXPECT_EQ(BoxText::Number(Box(box.toUtf8().constData())), good->to);

  ReviewForm->ExportPdf("review.pdf");
  EXPECT_EQ(ReadBytes("review.pdf").substr(0, 5), "%PDF-");
  // PRINT... with no printer asks for a PDF file as every window does, and refuses the data file.
  const std::string data = ReadBytes("ste_data.dat");
  const WindowPrinter::Dialogs noPrinter{[] { return false; }, nullptr,
                                         [](QWidget*, const QString&) { return QString("ste_data.dat"); }};
  WindowPrinter::SetDialogs(&noPrinter);
  ReviewForm->BtPrint->click();
  WindowPrinter::SetDialogs(nullptr);
  EXPECT_NE(prompter_.shown.back().text.find("is the data file"), std::string::npos);
  EXPECT_EQ(ReadBytes("ste_data.dat"), data);
}
