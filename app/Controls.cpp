// Controls are placed absolutely; labels size themselves to their captions.
#include "Controls.h"

QFont Controls::Font(bool bold, bool italic) {
  QFont font;
  font.setFamilies({"MS Sans Serif", "Liberation Sans", "Arial", "DejaVu Sans"});
  font.setPixelSize(11);
  font.setBold(bold);
  font.setItalic(italic);
  return font;
}

QFont Controls::NarrowFont(bool bold) {
  QFont font = Font(bold);
  font.setFamilies(
      {"Liberation Sans Narrow", "Nimbus Sans Narrow", "DejaVu Sans Condensed", "Liberation Sans"});
  return font;
}

void Controls::SetTextColour(QWidget* box, QColor colour) {
  QPalette palette = box->palette();
  palette.setColor(QPalette::Text, colour);
  palette.setColor(QPalette::WindowText, colour);
  box->setPalette(palette);
}

QColor Controls::TextColour(const QWidget* box) {
  return box->palette().color(QPalette::Text);
}

void Controls::SetBackground(QWidget* widget, QColor colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Base, colour);
  palette.setColor(QPalette::Window, colour);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

QLabel* Controls::Label(QWidget* parent, const QString& caption, int left, int top, bool bold,
                        QColor colour) {
  auto* label = new QLabel(caption, parent);
  label->setFont(Font(bold));
  label->move(left, top);
  SetTextColour(label, colour);
  label->adjustSize();
  return label;
}

QPushButton* Controls::Button(QWidget* parent, const QString& caption, int left, int top, int width,
                              int height) {
  auto* button = new QPushButton(caption, parent);
  button->setFont(Font());
  button->setGeometry(left, top, width, height);
  button->setAutoDefault(false);
  return button;
}

QLineEdit* Controls::Edit(QWidget* parent, int left, int top, int width, int height, bool scrollBarColour) {
  auto* edit = new QLineEdit(parent);
  edit->setFont(Font());
  edit->setGeometry(left, top, width, height);
  if (scrollBarColour) SetBackground(edit, ScrollBarColour());
  return edit;
}

QFrame* Controls::Bevel(QWidget* parent, int left, int top, int width, int height) {
  auto* bevel = new QFrame(parent);
  bevel->setFrameShape(QFrame::Box);
  bevel->setFrameShadow(QFrame::Sunken);
  bevel->setGeometry(left, top, width, height);
  bevel->setAttribute(Qt::WA_TransparentForMouseEvents);
  return bevel;
}

QPlainTextEdit* Controls::Memo(QWidget* parent, int left, int top, int width, int height,
                               const QStringList& lines) {
  auto* memo = new QPlainTextEdit(parent);
  // Notes fill their boxes nearly to the edge in the laid-out face; the
  // narrow one leaves room for the widths that hinting gives at any scale.
  memo->setFont(NarrowFont());
  memo->setGeometry(left, top, width, height);
  memo->setPlainText(lines.join('\n'));
  // Lines wrap at the memo's edge and no scroll bars take its little room.
  memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memo->document()->setDocumentMargin(1);
  SetBackground(memo, ScrollBarColour());
  return memo;
}
