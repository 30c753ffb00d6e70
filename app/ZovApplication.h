// The application object: every exception that leaves an event handler is
// caught here and its text shown; the action is abandoned, the loop goes on.
#pragma once

#include <QApplication>

class ZovApplication : public QApplication {
 public:
  ZovApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
  // Shows an error's text with the application's title as the caption.
  static void ShowError(const std::string& text);
};
