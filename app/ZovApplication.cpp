// Exceptions never reach Qt: notify() is the one place they stop.
#include "ZovApplication.h"

#include <QIcon>
#include <exception>

#include "QtPrompter.h"

ZovApplication::ZovApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // No display name: Qt would append it to every window's caption.
  setApplicationName("Vardenlyke Zovuderiz");
  QIcon icon(":/pictures/icon64.png");
  icon.addFile(":/pictures/icon128.png");
  setWindowIcon(icon);
}

void ZovApplication::ShowError(const std::string& text) {
  try {
    AppPrompter().Inform("Vardenlyke Zovuderiz", text);
  } catch (...) {
    // A failing error display must not take the program down with it.
  }
}

bool ZovApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ShowError(error.what());
  } catch (...) {
    ShowError("An unexpected error occurred.");
  }
  return false;
}
