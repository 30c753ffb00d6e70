// Pages come from the program's resources, so the help needs no files beside
// the program and no external viewer; links between pages stay inside.
#include "HelpWindow.h"

#include <QFile>
#include <QUrl>
#include <stdexcept>

HelpWindow::HelpWindow(QWidget* parent) : QTextBrowser(parent) {
  setWindowFlag(Qt::Window);
  setObjectName("HelpWindow");
  setWindowTitle("Vardenlyke Zovuderiz Help");
  setOpenExternalLinks(false);
  setSearchPaths({":/help"});
  resize(640, 560);
}

HelpWindow* HelpWindow::Instance() {
  static HelpWindow* window = new HelpWindow;
  return window;
}

void HelpWindow::ShowTopic(const QString& topic) {
  const QString page = ":/help/" + topic + ".html";
  if (!QFile::exists(page))
    throw std::runtime_error("The help topic \"" + topic.toStdString() + "\" is missing.");
  HelpWindow* window = Instance();
  window->setSource(QUrl("qrc" + page));
  window->show();
  window->raise();
  window->activateWindow();
}
