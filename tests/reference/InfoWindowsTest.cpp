// The windows that only inform: the rocker types closed by Enter or Escape
// and without title-bar buttons, the about texts read once at creation, and
// the help book opened at its main topic.
#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <functional>

#include "HelpWindow.h"
#include "TRockerForm.h"
#include "TStdAboutForm.h"
#include "WindowTest.h"

class InfoWindowsTest : public WindowTest {
 protected:
  bool WithSampleEngines() const override { return false; }
};

namespace {

constexpr int kIgnoredKey = 99;

// Opens a dialog modally by open() and presses key in it once it is up; a
// dialog that ignores the key is ended with kIgnoredKey, so nothing hangs.
int PressInModal(QDialog* dialog, Qt::Key key, const std::function<void()>& open) {
  int result = -1;
  QObject::connect(
      dialog, &QDialog::finished, dialog, [&result](int code) { result = code; }, Qt::SingleShotConnection);
  QTimer::singleShot(0, dialog, [dialog, key] {
    QWidget* modal = QApplication::activeModalWidget();
    QTest::keyClick(modal ? modal : dialog, key);
  });
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, dialog, [dialog] { dialog->done(kIgnoredKey); });
  guard.start(3000);
  open();
  return result;
}

}  // namespace

TEST_F(InfoWindowsTest, RockerTypesCloseOnEnterAndEscapeAsOkDoes) {
  QSignalSpy okClicks(RockerForm->OKBtn, &QPushButton::clicked);
  EXPECT_EQ(PressInModal(RockerForm, Qt::Key_Return, [] { MainForm->BtViewrock->click(); }),
            QDialog::Rejected);
  EXPECT_EQ(okClicks.count(), 1);
  EXPECT_FALSE(RockerForm->isVisible());
  EXPECT_EQ(PressInModal(RockerForm, Qt::Key_Escape, [] { MainForm->BtViewrock->click(); }),
            QDialog::Rejected);
  EXPECT_FALSE(RockerForm->isVisible());
  EXPECT_EQ(PressInModal(RockerForm, Qt::Key_Enter, [] { RockerForm->exec(); }), QDialog::Rejected);
}

TEST_F(InfoWindowsTest, RockerTypesHaveNoTitleBarButtonsAndStayOnTop) {
  const Qt::WindowFlags flags = RockerForm->windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
  for (Qt::WindowType button :
       {Qt::WindowCloseButtonHint, Qt::WindowMinimizeButtonHint, Qt::WindowMaximizeButtonHint,
        Qt::WindowSystemMenuHint, Qt::WindowContextHelpButtonHint})
    EXPECT_FALSE(flags.testFlag(button)) << std::hex << button;
  EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_EQ(RockerForm->windowTitle(), "ROCKER  TYPES");
}

TEST_F(InfoWindowsTest, AboutTextsAreReadOnceAtCreation) {
  EXPECT_EQ(StdAboutForm->ProductName->text(), "Vardenlyke Zovuderiz");
  EXPECT_EQ(StdAboutForm->Version->text(), "1.3.0.0");
  const QString maker = StdAboutForm->Label1->text();
  EXPECT_TRUE(maker.startsWith(QString(10, ' '))) << maker.toStdString();
  ASSERT_GT(maker.size(), 10);
  EXPECT_NE(maker[10], ' ');

  // Showing the window twice neither reads nor rewrites the texts: a text
  // changed in between stays as it was left.
  const auto open = [] { MainForm->findChild<QAction*>("AboutVardenlyke1")->trigger(); };
  EXPECT_EQ(PressInModal(StdAboutForm, Qt::Key_Return, open), QDialog::Accepted);
  StdAboutForm->Version->setText("left alone");
  EXPECT_EQ(PressInModal(StdAboutForm, Qt::Key_Return, open), QDialog::Accepted);
  EXPECT_EQ(StdAboutForm->Version->text(), "left alone");
  EXPECT_EQ(StdAboutForm->ProductName->text(), "Vardenlyke Zovuderiz");
  EXPECT_EQ(StdAboutForm->Label1->text(), maker);
}

TEST_F(InfoWindowsTest, HelpMenuOpensTheBookAtItsMainTopic) {
  const auto page = std::filesystem::path(ZOV_EXAMPLES).parent_path() / "resources" / "help" / "main.html";
  if (!std::filesystem::exists(page)) GTEST_SKIP() << "the help book has no main page yet";
  ASSERT_TRUE(QFile::exists(":/help/main.html")) << "the help pages are not built into the program";
  MainForm->findChild<QAction*>("VardenlykeHelp1")->trigger();
  HelpWindow* help = HelpWindow::Instance();
  const auto shown = [help] { return help->browser()->source().fileName(); };
  EXPECT_TRUE(help->isVisible());
  EXPECT_EQ(shown(), "main.html");
  EXPECT_FALSE(help->browser()->toPlainText().trimmed().isEmpty());
  EXPECT_TRUE(prompter_.shown.empty());

  // A topic that is not in the book leaves the page as it was.
  EXPECT_THROW(HelpWindow::ShowTopic("no-such-topic"), std::runtime_error);
  EXPECT_EQ(shown(), "main.html");

  // F1 opens the page of the window in focus; back, forward and contents
  // walk the pages seen.
  QTest::keyClick(RockerForm, Qt::Key_F1);
  EXPECT_EQ(shown(), "rockers.html");
  help->BtBack->click();
  EXPECT_EQ(shown(), "main.html");
  help->BtForward->click();
  EXPECT_EQ(shown(), "rockers.html");
  help->BtHome->click();
  EXPECT_EQ(shown(), "main.html");

  // The search goes on from page to page through the whole book.
  EXPECT_TRUE(help->FindInBook("Circ.disp."));
  EXPECT_NE(shown(), "main.html");
  EXPECT_TRUE(help->browser()->textCursor().hasSelection());
  EXPECT_FALSE(help->FindInBook("no such words anywhere"));
  help->hide();
}

// Every page's navigation bar reaches every page of the book, so none is left
// to be found only by a search.
TEST(HelpBookTest, EveryNavigationBarReachesEveryPage) {
  const QStringList pages = QDir(":/help").entryList({"*.html"});
  ASSERT_GT(pages.size(), 10);
  const QRegularExpression bar("<p class=\"nav\">(.*?)</p>");
  for (const QString& page : pages) {
    QFile file(":/help/" + page);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    const QRegularExpressionMatch nav = bar.match(html);
    ASSERT_TRUE(nav.hasMatch()) << page.toStdString();
    for (const QString& other : pages) {
      if (other == page) continue;
      EXPECT_TRUE(nav.captured(1).contains("href=\"" + other + "\""))
          << page.toStdString() << " to " << other.toStdString();
    }
  }
}
