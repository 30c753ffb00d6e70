// The help book: a window of our own that shows the help pages built into the
// program, opened at a named topic, with back, forward and home buttons and a
// search over every page of the book.
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QTextBrowser>
#include <QWidget>

class HelpWindow : public QWidget {
 public:
  explicit HelpWindow(QWidget* parent = nullptr);
  // Shows the one help window at the topic (a page name such as "main").
  static void ShowTopic(const QString& topic);
  static HelpWindow* Instance();
  // Finds the next place of the text, on this page and then on the pages
  // after it, round the whole book; false when the book does not hold it.
  bool FindInBook(const QString& text);

  QTextBrowser* browser() const { return browser_; }
  QPushButton* BtBack;
  QPushButton* BtForward;
  QPushButton* BtHome;
  QLineEdit* EdFind;

 private:
  static QStringList Pages();
  void OpenPage(const QString& page);

  QTextBrowser* browser_;
};
