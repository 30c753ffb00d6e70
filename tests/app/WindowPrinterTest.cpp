// Printing without a printer: the page goes to the PDF file named in the save
// dialog, with the window's texts as text, its title set and no lossy picture;
// cancelling writes nothing; with one, the print dialog's set-up is used.
// Read back with poppler's command-line tools.
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

#include "../anim/AnimaFixture.h"
#include "WindowPrinter.h"

namespace {

QString Tool(const QString& program, const QStringList& arguments) {
  QProcess tool;
  tool.start(program, arguments);
  if (!tool.waitForFinished(20000) || tool.exitCode() != 0) return "failed: " + program;
  return QString::fromUtf8(tool.readAllStandardOutput());
}

class WindowPrinterTest : public AnimaFixture {
 protected:
  void SetUp() override {
    AnimaFixture::SetUp();
    WindowPrinter::SetDialogs(&dialogs_);
  }
  void TearDown() override {
    WindowPrinter::SetDialogs(nullptr);
    AnimaFixture::TearDown();
  }
  QStringList suggested_;
  QString answer_ = "suggested";
  const WindowPrinter::Dialogs dialogs_{[] { return false; }, [](QPrinter&, QWidget*) { return false; },
                                        [this](QWidget*, const QString& suggested) {
                                          suggested_.append(suggested);
                                          return answer_ == "suggested" ? suggested : answer_;
                                        }};
};

TEST_F(WindowPrinterTest, PdfHoldsTheWindowsTextsAndTitle) {
  Run(kGoods);
  ResultsForm->BtPrint->click();
  ASSERT_EQ(suggested_.size(), 1);
  EXPECT_EQ(suggested_[0], QDir::current().absoluteFilePath("Vardenlyke results.pdf"));
  const QString text = Tool("pdftotext", {"-layout", suggested_[0], "-"});
  for (const QLabel* label : {ResultsForm->LbAdmB, ResultsForm->LbLeadF, ResultsForm->LbLinkmax})
    EXPECT_TRUE(text.contains(label->text())) << label->text().toStdString() << "\n" << text.toStdString();
  EXPECT_TRUE(text.contains("PRINT FORM")) << text.toStdString();
  EXPECT_TRUE(text.contains(kGoods)) << text.toStdString();
  EXPECT_TRUE(Tool("pdfinfo", {suggested_[0]}).contains(QRegularExpression("Title: +Vardenlyke results\n")));
  // The valve diagram is kept as it is drawn, not as a JPEG.
  const QString images = Tool("pdfimages", {"-list", suggested_[0]});
  EXPECT_FALSE(images.startsWith("failed")) << images.toStdString();
  EXPECT_FALSE(images.contains(" jpeg ")) << images.toStdString();

  MainForm->BtPrint->click();
  ResultsForm->BtPrint->click();
  ASSERT_EQ(suggested_.size(), 3);
  EXPECT_TRUE(Tool("pdftotext", {suggested_[1], "-"}).contains("SELECT ENGINE"));
  EXPECT_TRUE(suggested_[2].endsWith("Vardenlyke results (2).pdf")) << suggested_[2].toStdString();
}

TEST_F(WindowPrinterTest, CancelFailureSuffixAndPrintDialog) {
  answer_ = "";
  MainForm->BtPrint->click();
  EXPECT_FALSE(QFileInfo::exists("Vardenlyke data entry.pdf"));
  answer_ = QDir::current().absoluteFilePath("no such folder/page");
  EXPECT_THROW(WindowPrinter::Print(MainForm, "page"), std::runtime_error);
  answer_ = QDir::current().absoluteFilePath("typed without suffix");
  WindowPrinter::Print(MainForm, "page");
  EXPECT_TRUE(QFileInfo::exists("typed without suffix.pdf"));

  // With a printer the page goes where the print dialog was set up to send it.
  const WindowPrinter::Dialogs toFile{[] { return true; },
                                      [](QPrinter& printer, QWidget*) {
                                        printer.setOutputFileName("printed.pdf");
                                        return true;
                                      },
                                      nullptr};
  WindowPrinter::SetDialogs(&toFile);
  EXPECT_TRUE(WindowPrinter::Print(MainForm, "page").endsWith("printed.pdf"));
  EXPECT_TRUE(QFileInfo::exists("printed.pdf"));
}

}  // namespace
