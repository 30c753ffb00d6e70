// The store's questions and notices for a program without windows: nothing is
// asked (every question is answered No) and each notice is kept so that the
// program can fold it into its own one-line report.
#pragma once

#include <string>

#include "Prompter.h"

class ConsolePrompter : public Prompter {
 public:
  void Inform(const std::string& caption, const std::string& text) override;
  bool Confirm(const std::string& caption, const std::string& text) override;

  // The text of the latest notice, empty when there was none.
  const std::string& LastNotice() const { return lastNotice_; }

 private:
  std::string lastNotice_;
};
