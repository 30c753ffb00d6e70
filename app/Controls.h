// Building the windows' controls at their laid-out pixel places, in the
// program's font and colours (a close sans-serif stands in for MS Sans Serif).
#pragma once

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>

class Controls {
 public:
  static QFont Font(bool bold = false, bool italic = false);
  // The same height, narrower: for long notes laid out in tight boxes.
  static QFont NarrowFont(bool bold = false);
  static QColor ScrollBarColour() { return QColor(212, 208, 200); }
  static QColor ButtonFaceColour() { return QColor(212, 208, 200); }
  static QColor Maroon() { return QColor(128, 0, 0); }

  static QLabel* Label(QWidget* parent, const QString& caption, int left, int top, bool bold = false,
                       QColor colour = Qt::black);
  static QPushButton* Button(QWidget* parent, const QString& caption, int left, int top, int width,
                             int height);
  static QLineEdit* Edit(QWidget* parent, int left, int top, int width, int height, bool scrollBarColour);
  static QFrame* Bevel(QWidget* parent, int left, int top, int width, int height);
  static QPlainTextEdit* Memo(QWidget* parent, int left, int top, int width, int height,
                              const QStringList& lines);
  static void SetTextColour(QWidget* box, QColor colour);
  static QColor TextColour(const QWidget* box);
  static void SetBackground(QWidget* widget, QColor colour);
};
