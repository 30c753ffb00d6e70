// Start-up: the splash, the window set created in order (the store opened and
// the names listed while the splash is up), a 3-second pause, then the loop.
#include <QThread>
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

int Run(ZovApplication& app) {
  SplashForm = new TSplashForm;
  SplashForm->show();
  ZovApplication::processEvents();
  WindowSet::Create();
  QThread::msleep(3000);  // the splash stays up, unrepainted, as designed
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
