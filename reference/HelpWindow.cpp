// Pages come from the program's resources, so the help needs no files beside
// the program and no external viewer; links between pages stay inside. The
// search reads each page's text in the order of the page names.
#include "HelpWindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <stdexcept>

#include "Reaction.h"
#include "WindowPlacement.h"

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("HelpWindow");
  setWindowTitle("Vardenlyke Zovuderiz Help");
  BtBack = new QPushButton("Back", this);
  BtForward = new QPushButton("Forward", this);
  BtHome = new QPushButton("Contents", this);
  EdFind = new QLineEdit(this);
  EdFind->setPlaceholderText("Find in the book (Enter: next)");
  EdFind->setClearButtonEnabled(true);
  browser_ = new QTextBrowser(this);
  browser_->setOpenExternalLinks(false);
  browser_->setSearchPaths({":/help"});
  auto* bar = new QHBoxLayout;
  for (QWidget* control :
       {static_cast<QWidget*>(BtBack), static_cast<QWidget*>(BtForward), static_cast<QWidget*>(BtHome)})
    bar->addWidget(control);
  bar->addSpacing(12);
  bar->addWidget(EdFind, 1);
  auto* column = new QVBoxLayout(this);
  column->addLayout(bar);
  column->addWidget(browser_, 1);
  BtBack->setEnabled(false);
  BtForward->setEnabled(false);
  connect(BtBack, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(BtForward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
  connect(BtHome, &QPushButton::clicked, this, Reaction([this](bool) { OpenPage("main"); }));
  connect(browser_, &QTextBrowser::backwardAvailable, BtBack, &QPushButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, BtForward, &QPushButton::setEnabled);
  connect(EdFind, &QLineEdit::returnPressed, this, [this] { FindInBook(EdFind->text()); });
  // As large as laid out where the screen has room, smaller where it has not.
  const QRect area = WindowPlacement::AvailableAt(QPoint());
  const QSize outer = QSize(660, 600).boundedTo(area.size());
  WindowPlacement::PlaceOuter(this, area.topLeft() + QPoint((area.width() - outer.width()) / 2, 0), outer);
}

HelpWindow* HelpWindow::Instance() {
  static HelpWindow* window = new HelpWindow;
  return window;
}

QStringList HelpWindow::Pages() {
  QStringList pages = QDir(":/help").entryList({"*.html"}, QDir::Files, QDir::Name);
  for (QString& page : pages) page.chop(5);
  return pages;
}

void HelpWindow::OpenPage(const QString& page) {
  const QString file = ":/help/" + page + ".html";
  if (!QFile::exists(file))
    throw std::runtime_error("The help topic \"" + page.toStdString() + "\" is missing.");
  browser_->setSource(QUrl("qrc" + file));
}

void HelpWindow::ShowTopic(const QString& topic) {
  HelpWindow* window = Instance();
  window->OpenPage(topic);
  window->show();
  window->raise();
  window->activateWindow();
}

bool HelpWindow::FindInBook(const QString& text) {
  if (text.trimmed().isEmpty()) return false;
  if (browser_->find(text)) return true;
  const QStringList pages = Pages();
  const QString current = QFileInfo(browser_->source().path()).completeBaseName();
  const qsizetype at = std::max<qsizetype>(0, pages.indexOf(current));
  for (qsizetype step = 1; step <= pages.size(); ++step) {
    const QString page = pages[(at + step) % pages.size()];
    QFile file(":/help/" + page + ".html");
    if (!file.open(QIODevice::ReadOnly)) continue;
    QTextDocument document;
    document.setHtml(QString::fromUtf8(file.readAll()));
    if (document.find(text).isNull()) continue;
    OpenPage(page);
    return browser_->find(text);
  }
  return false;
}
