// The gear review through the windows: opened from the main window's menu for
// the engine in the boxes, the checks shown while the rest is still worked
// out, a poor verdict in red, and "Try it" filling the main window's boxes
// with the fix's engine under a name no stored engine holds, nothing saved;
// the PDF is written. The tables read as a designer's: check titles, never
// keys, units said, and no printed line breaks a number or a word.
#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QBuffer>
#include <QPdfWriter>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include "BoxText.h"
#include "EngineSchema.h"
#include "TReviewForm.h"
#include "WindowPrinter.h"
#include "WindowTest.h"

using TReviewFormTest = WindowTest;

namespace {

// The first line of the document that ends inside a word, or an empty text.
QString WordBrokenAt(QTextDocument& document) {
  document.pageCount();  // lays the whole document out
  for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
    const QString text = b.text();
    const QTextLayout* layout = b.layout();
    for (int i = 0; i + 1 < layout->lineCount(); ++i) {
      const QTextLine line = layout->lineAt(i);
      const QChar last = text.at(line.textStart() + line.textLength() - 1);
      if (last != ' ' && last != QChar::LineSeparator) return text.mid(line.textStart(), line.textLength());
    }
  }
  return {};
}

// Every column but the last (how the range's ends move) is a check's.
void ExpectTitlesNotKeys(const QTableWidget* table) {
  const int checks = table->columnCount() - 1;
  EXPECT_TRUE(table->horizontalHeaderItem(checks)->text().startsWith("Range ends"));
  for (int c = 0; c < checks; ++c) {
    const QTableWidgetItem* header = table->horizontalHeaderItem(c);
    const auto check = std::find_if(ReviewChecks().begin(), ReviewChecks().end(),
                                    [header](const CheckSpec& s) { return header->toolTip() == s.title; });
    ASSERT_NE(check, ReviewChecks().end()) << header->text().toStdString();
    EXPECT_FALSE(header->text().contains(check->key));
    EXPECT_TRUE(header->text().endsWith(QString("\n") + check->unit)) << header->text().toStdString();
  }
  for (int r = 0; r < table->rowCount(); ++r)
    EXPECT_TRUE(table->verticalHeaderItem(r)->text().contains(", per 1 "));
}

}  // namespace

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
  ExpectTitlesNotKeys(ReviewForm->sensitivityTable);
  const auto& fixes = ReviewForm->fixes();
  ASSERT_EQ(ReviewForm->fixTable->rowCount(), static_cast<int>(fixes.size()));
  for (int r = 0; r < ReviewForm->fixTable->rowCount(); ++r)
    for (int c = 0; c < ReviewForm->fixTable->columnCount(); ++c)
      for (const CheckSpec& check : ReviewChecks())
        EXPECT_FALSE(ReviewForm->fixTable->item(r, c)->text().contains(check.key))
            << ReviewForm->fixTable->item(r, c)->text().toStdString();
  {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageOrientation(QPageLayout::Landscape);
    QTextDocument document;
    ReviewForm->FillDocument(document, writer);
    EXPECT_EQ(WordBrokenAt(document), "");
    EXPECT_LE(document.documentLayout()->documentSize().width(), document.pageSize().width());
  }
  const auto good =
      std::find_if(fixes.begin(), fixes.end(), [](const ReviewFix& f) { return f.reachesGood(); });
  ASSERT_NE(good, fixes.end());
  ReviewForm->fixTable->selectRow(static_cast<int>(good - fixes.begin()));
  ASSERT_TRUE(ReviewForm->BtTryIt->isEnabled());
  QTest::mouseClick(ReviewForm->BtTryIt, Qt::LeftButton);
  const QString name = MainForm->EdName->text();
  const QString caption = QString(EngineDimensions()[good->dimension].caption).simplified();
  EXPECT_TRUE(name.startsWith("Goods") || name.startsWith(caption.left(20))) << name.toStdString();
  EXPECT_TRUE(name.contains(caption.left(10))) << name.toStdString();
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

// A worn Goods with half an inch of lost motion at the valve: the verdict comes
// with the checks, before the sensitivities, and is to re-bush, naming the
// total; it is printed with the review. A play file that is not there is said.
TEST_F(TReviewFormTest, PlayGivenIsJudgedReBushAndABadFileSaid) {
  Pick("Goods 0-6-0 slide valve");
  ReviewForm->EdPlay->setText("0.5");
  MainForm->findChild<QAction*>("ReviewGear1")->trigger();
  QTRY_VERIFY_WITH_TIMEOUT(ReviewForm->playVerdict() != nullptr, 60000);
  const PlayVerdict& v = *ReviewForm->playVerdict();
  ASSERT_TRUE(v.problem.empty()) << v.problem;
  EXPECT_EQ(v.verdict, PlayVerdictKind::rebush);
  EXPECT_TRUE(ReviewForm->LbPlay->text().startsWith("<b>Re-bush:</b>"));
  ASSERT_EQ(ReviewForm->playTable->rowCount(), 1);
  EXPECT_TRUE(ReviewForm->playTable->item(0, 0)->text().contains("total"));
  EXPECT_FALSE(ReviewForm->playTable->item(0, 3)->text().isEmpty());
  ReviewForm->BtCancel->click();
  QTRY_VERIFY_WITH_TIMEOUT(!ReviewForm->working(), 60000);
  {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    QTextDocument document;
    ReviewForm->FillDocument(document, writer);
    EXPECT_TRUE(document.toPlainText().contains("Accept or re-bush"));
    EXPECT_TRUE(document.toPlainText().contains("Re-bush"));
  }
  ReviewForm->EdPlay->setText("no such play.csv");
  ASSERT_TRUE(ReviewForm->BtJudgePlay->isEnabled());
  ReviewForm->BtJudgePlay->click();
  ASSERT_FALSE(prompter_.shown.empty());
  EXPECT_NE(prompter_.shown.back().text.find("The play file \"no such play.csv\""), std::string::npos)
      << prompter_.shown.back().text;
  EXPECT_EQ(ReviewForm->playVerdict(), nullptr);
}
