// Start-up: the splash, the window set created in order (the store opened and
// the names listed while the splash is up), a 3-second pause, then the loop.
// The splash is on screen and painted before the work begins, and the pause
// lets it repaint (a window manager may ask for that) but takes no input.
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "TMainForm.h"
#include "TSplashForm.h"
#include "WindowSet.h"
#include "ZovApplication.h"

namespace {

bool DisplayAvailable() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform != nullptr && *platform != '\0') return true;
  const char* display = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (display != nullptr && *display != '\0') || (wayland != nullptr && *wayland != '\0');
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
  if (!DisplayAvailable()) {
    std::fputs("zovuderiz: no graphical display is available (set DISPLAY, or start it under Xvfb).\n",
               stderr);
    return 1;
  }
  ZovApplication app(argc, argv);
  try {
    Run(app);
  } catch (const std::exception& error) {
    ZovApplication::ShowError(error.what());
  }
  return 0;
}
