// Start-up: the splash, the window set created in order (the store opened and
// the names listed while the splash is up), a 3-second pause, then the loop.
#include <xcb/xcb.h>

#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

#include "TMainForm.h"
#include "TSplashForm.h"
#include "WindowSet.h"
#include "ZovApplication.h"

namespace {

bool Set(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0';
}

// Asked before the application object exists: Qt aborts, in several lines,
// when the X display it is given cannot be reached. The connection is tried
// as Qt's own would be (DISPLAY, authority) and closed again.
bool DisplayAvailable() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  const bool x11 = platform == nullptr || *platform == '\0' || std::strcmp(platform, "xcb") == 0;
  if (!x11) return true;  // another platform (offscreen, wayland) was chosen
  if (Set("DISPLAY")) {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool reached = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (reached) return true;
  }
  return platform == nullptr && Set("WAYLAND_DISPLAY");
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
