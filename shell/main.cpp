// Start-up: the working folder (the data folder when started from the desktop
// entry), the splash, the window set created in order (the store opened and
// the names listed while the splash is up), a 3-second pause, then the loop.
// The splash is on screen and painted before the work begins, and the pause
// lets it repaint (a window manager may ask for that) but takes no input.
#include <xcb/xcb.h>

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "DataFolder.h"
#include "TMainForm.h"
#include "TSplashForm.h"
#include "WindowSet.h"
#include "ZovApplication.h"

namespace {

bool Set(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0';
}

using XConnection = std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t*)>;

// Asked before the application object exists: Qt aborts, in several lines,
// when the X display it is given cannot be reached. The connection is tried as
// Qt's own will be (DISPLAY, authority) and held until Qt has made its own: an
// X server may refuse a connection made just after another one closed.
bool DisplayAvailable(XConnection& held) {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  const bool x11 = platform == nullptr || *platform == '\0' || std::strcmp(platform, "xcb") == 0;
  if (!x11) return true;  // another platform (offscreen, wayland) was chosen
  if (Set("DISPLAY")) {
    held.reset(xcb_connect(nullptr, nullptr));
    if (xcb_connection_has_error(held.get()) == 0) return true;
  }
  return platform == nullptr && Set("WAYLAND_DISPLAY");
}

// Started from the desktop entry, the program works in its own data folder,
// made on first use with the installed sample engines; when that fails the
// user is told and it works in the folder it was started in.
void EnterDesktopDataFolder() {
  const std::filesystem::path folder =
      DataFolder::DesktopFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
  try {
    if (folder.empty())
      throw std::runtime_error("Neither XDG_DATA_HOME nor HOME names a folder for the data.");
    const QString examples = QDir(ZovApplication::applicationDirPath()).filePath(ZOV_EXAMPLES_FROM_BIN);
    DataFolder::Prepare(folder, examples.toStdString());
    std::filesystem::current_path(folder);
  } catch (const std::exception& error) {
    ZovApplication::ShowError(std::string(error.what()) + "\nThe program works in \"" +
                              QDir::currentPath().toStdString() + "\" instead.");
  }
}

// Waits until the window system shows the window (a window manager maps it
// in its own time), then paints it at once.
void ShowPainted(QWidget* window) {
  window->show();
  QElapsedTimer waited;
  waited.start();
  while (!(window->windowHandle() != nullptr && window->windowHandle()->isExposed()) &&
         waited.elapsed() < 2000) {
    ZovApplication::processEvents();
    QThread::msleep(5);
  }
  window->repaint();
  ZovApplication::processEvents();
}

void PauseWithoutInput(int milliseconds) {
  QEventLoop pause;
  QTimer::singleShot(milliseconds, &pause, &QEventLoop::quit);
  pause.exec(QEventLoop::ExcludeUserInputEvents);
}

int Run(ZovApplication& app) {
  SplashForm = new TSplashForm;
  ShowPainted(SplashForm);
  WindowSet::Create();
  PauseWithoutInput(3000);
  delete SplashForm;
  SplashForm = nullptr;
  MainForm->show();
  const int status = app.exec();
  WindowSet::Destroy();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  XConnection probe(nullptr, xcb_disconnect);
  if (!DisplayAvailable(probe)) {
    std::fputs("zovuderiz: no graphical display is available (set DISPLAY, or start it under Xvfb).\n",
               stderr);
    return 1;
  }
  ZovApplication app(argc, argv);
  probe.reset();
  // The desktop entry's name (the AppStream component id), so the desktop
  // matches the two.
  ZovApplication::setDesktopFileName("org.vardenlyke.Zovuderiz");
  if (DataFolder::StartedFromDesktop(argc, argv)) EnterDesktopDataFolder();
  try {
    Run(app);
  } catch (const std::exception& error) {
    ZovApplication::ShowError(error.what());
  }
  return 0;
}
