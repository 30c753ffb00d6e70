// The help book: a window of our own that shows the help pages built into the
// program, opened at a named topic.
#pragma once

#include <QString>
#include <QTextBrowser>

class HelpWindow : public QTextBrowser {
 public:
  explicit HelpWindow(QWidget* parent = nullptr);
  // Shows the one help window at the topic (a page name such as "main").
  static void ShowTopic(const QString& topic);
  static HelpWindow* Instance();
};
