// Printing without a printer: the page goes to the PDF file named in the save
// dialog, with the window's texts as text, its title set and no lossy picture;
// cancelling writes nothing; with one, the print dialog's set-up is used; no
// window's print writes over the data file, however it is named.
// Read back with poppler's command-line tools.
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <filesystem>

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
  EXPECT_THROW(WindowPrinter::Print(MainForm, "page", "ste_data.dat"), std::runtime_error);
  answer_ = QDir::current().absoluteFilePath("typed without suffix");
  WindowPrinter::Print(MainForm, "page", "ste_data.dat");
  EXPECT_TRUE(QFileInfo::exists("typed without suffix.pdf"));

  // With a printer the page goes where the print dialog was set up to send it.
  const WindowPrinter::Dialogs toFile{[] { return true; },
                                      [](QPrinter& printer, QWidget*) {
                                        printer.setOutputFileName("printed.pdf");
                                        return true;
                                      },
                                      nullptr};
  WindowPrinter::SetDialogs(&toFile);
  EXPECT_TRUE(WindowPrinter::Print(MainForm, "page", "ste_data.dat").endsWith("printed.pdf"));
  EXPECT_TRUE(QFileInfo::exists("printed.pdf"));
}

TEST_F(WindowPrinterTest, EveryWindowsPrintRefusesTheDataFileHoweverNamed) {
  Run(kGoods);
  ResultsForm->BtAnimaClick();
  std::filesystem::create_symlink("ste_data.dat", "link.pdf");
  const std::string before = ReadBytes("ste_data.dat");
  const QString data = QDir::current().absoluteFilePath("ste_data.dat");
  const auto refusedByEveryWindow = [this] {
    for (QPushButton* print : {MainForm->BtPrint, ResultsForm->BtPrint, AnimaForm->BtPrint}) {
      const std::size_t said = prompter_.shown.size();
      print->click();
      ASSERT_EQ(prompter_.shown.size(), said + 1) << print->window()->windowTitle().toStdString();
      EXPECT_NE(prompter_.shown.back().text.find("is the data file of the engines"), std::string::npos)
          << prompter_.shown.back().text;
    }
  };
  for (const QString& named : {data, QString("link.pdf"), QString("./ste_data.dat")}) {
    answer_ = named;
    refusedByEveryWindow();
  }
  // A printer's "print to file" onto the data file alike.
  const WindowPrinter::Dialogs toData{[] { return true; },
                                      [data](QPrinter& printer, QWidget*) {
                                        printer.setOutputFileName(data);
                                        return true;
                                      },
                                      nullptr};
  WindowPrinter::SetDialogs(&toData);
  refusedByEveryWindow();
  EXPECT_EQ(ReadBytes("ste_data.dat"), before);
  EXPECT_TRUE(std::filesystem::is_symlink("link.pdf"));
}

}  // namespace
