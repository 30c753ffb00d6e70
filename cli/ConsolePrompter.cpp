// A refused question is remembered like a notice: it explains a later failure
// (for instance a data file that could not be opened for writing) just as well.
#include "ConsolePrompter.h"

void ConsolePrompter::Inform(const std::string&, const std::string& text) {
  lastNotice_ = text;
}

bool ConsolePrompter::Confirm(const std::string& caption, const std::string& text) {
  lastNotice_ = caption + ": " + text;
  return false;
}
