// Message boxes parented to the active window so they stay modal over it.
#include "QtPrompter.h"

#include <QApplication>
#include <QMessageBox>

namespace {

QMessageBox::StandardButton Ask(const std::string& caption, const std::string& text,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton byDefault = QMessageBox::Ok) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption), QString::fromStdString(text), buttons,
                  QApplication::activeWindow());
  box.setDefaultButton(byDefault);
  box.setEscapeButton(buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel : byDefault);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

Prompter* installed = nullptr;

}  // namespace

void QtPrompter::Inform(const std::string& caption, const std::string& text) {
  Ask(caption, text, QMessageBox::Ok);
}

bool QtPrompter::Confirm(const std::string& caption, const std::string& text) {
  return Ask(caption, text, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

bool QtPrompter::ConfirmRisk(const std::string& caption, const std::string& text) {
  return Ask(caption, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel) == QMessageBox::Ok;
}

Prompter::KeepChoice QtPrompter::AskToKeep(const std::string& caption, const std::string& text) {
  switch (Ask(caption, text, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
              QMessageBox::Cancel)) {
    case QMessageBox::Save:
      return KeepChoice::save;
    case QMessageBox::Discard:
      return KeepChoice::discard;
    default:
      return KeepChoice::cancel;
  }
}

Prompter& AppPrompter() {
  static QtPrompter boxes;
  return installed != nullptr ? *installed : boxes;
}

void SetAppPrompter(Prompter* prompter) {
  installed = prompter;
}
