// Every text of every window readable in the fonts this machine has: each
// label, button and memo line fits its box, and no label runs under the next
// control, also with a length unit after the lengths. The suite runs once
// more at 2x.
#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTextBlock>
#include <QTextLayout>

#include "../anim/AnimaFixture.h"
#include "TDimensionsForm.h"
#include "TRockerForm.h"
#include "TSplashForm.h"
#include "TStdAboutForm.h"

namespace {

using Problems = std::vector<std::string>;

std::string Named(const QWidget* widget, const QString& text) {
  return widget->window()->objectName().toStdString() + ": \"" + text.toStdString() + "\"";
}

// A label's text within its box, and its box clear of the controls beside it
// and clear of the bevels it is not inside.
void CheckLabel(const QLabel* label, Problems& problems) {
  if (label->text().isEmpty() || !label->pixmap().isNull()) return;
  const QFontMetrics metrics = label->fontMetrics();
  const QRect box = label->contentsRect();
  for (const QString& line : label->text().split('\n'))
    if (metrics.horizontalAdvance(line) > box.width()) problems.push_back("too wide: " + Named(label, line));
  if (metrics.height() * static_cast<int>(label->text().count('\n') + 1) > box.height())
    problems.push_back("too high: " + Named(label, label->text()));
  for (const QObject* object : label->parent()->children()) {
    const auto* other = qobject_cast<const QWidget*>(object);
    if (other == nullptr || other == label || !other->isVisibleTo(label->window())) continue;
    // Bevels and panels hold labels whole; other controls keep clear of
    // them (or cover them whole, on purpose).
    const QRect overlap = label->geometry() & other->geometry();
    if (!overlap.isEmpty() && !other->geometry().contains(label->geometry()))
      problems.push_back("runs under " + other->objectName().toStdString() + ": " +
                         Named(label, label->text()));
  }
}

void CheckButton(const QAbstractButton* button, Problems& problems) {
  const QStyle* style = button->style();
  int room = button->width() - button->fontMetrics().horizontalAdvance(button->text());
  if (qobject_cast<const QPushButton*>(button) != nullptr)
    room -= 2 * style->pixelMetric(QStyle::PM_ButtonMargin) / 2;
  else
    room -=
        style->pixelMetric(QStyle::PM_IndicatorWidth) + style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
  if (room < 0) problems.push_back("too wide: " + Named(button, button->text()));
  if (button->fontMetrics().height() > button->height())
    problems.push_back("too high: " + Named(button, button->text()));
}

// Every line of a memo within its width, and every line with text within
// its height (a blank last line may be cut).
void CheckMemo(const QPlainTextEdit* memo, Problems& problems) {
  const QFontMetrics metrics = memo->fontMetrics();
  const int margin = static_cast<int>(memo->document()->documentMargin());
  const QRect room = memo->viewport()->rect().adjusted(margin, margin, -margin, -margin);
  int lines = 0;
  for (QTextBlock block = memo->document()->begin(); block.isValid(); block = block.next()) {
    const bool wrapped = block.layout() != nullptr && block.layout()->lineCount() > 1;
    if (wrapped || metrics.horizontalAdvance(block.text()) > room.width())
      problems.push_back("too wide: " + Named(memo, block.text()));
    if (!block.text().trimmed().isEmpty()) lines = block.blockNumber() + 1;
  }
  if (lines * metrics.lineSpacing() > room.height())
    problems.push_back("too high: " + Named(memo, memo->toPlainText()));
}

Problems CheckWindow(QWidget* window) {
  Problems problems;
  for (const QWidget* widget : window->findChildren<QWidget*>()) {
    if (!widget->isVisibleTo(window)) continue;
    if (const auto* label = qobject_cast<const QLabel*>(widget)) CheckLabel(label, problems);
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) CheckButton(button, problems);
    if (const auto* memo = qobject_cast<const QPlainTextEdit*>(widget)) CheckMemo(memo, problems);
  }
  return problems;
}

}  // namespace

class TextFitTest : public AnimaFixture {};

TEST_F(TextFitTest, EveryTextOfEveryWindowFitsItsBox) {
  // An engine with a rocker, run, so that every label holds a value and the
  // animation shows its note; the first-run note is checked first.
  Pick(kExpress);
  MainForm->BtResults->click();
  EXPECT_EQ(CheckWindow(ResultsForm), Problems{});
  Run(kExpress);
  ResultsForm->BtAnimaClick();
  TSplashForm splash;
  for (QWidget* window : std::initializer_list<QWidget*>{&splash, MainForm, ResultsForm, AnimaForm,
                                                         DimensionsForm, RockerForm, StdAboutForm})
    EXPECT_EQ(CheckWindow(window), Problems{}) << window->objectName().toStdString();
  // Lengths followed by the longest unit symbol still fit.
  WindowSet::Model().SetLengthUnit(LengthUnit::mm);
  for (QWidget* window : {static_cast<QWidget*>(MainForm), static_cast<QWidget*>(ResultsForm)})
    EXPECT_EQ(CheckWindow(window), Problems{}) << window->objectName().toStdString() << " in mm";
}
