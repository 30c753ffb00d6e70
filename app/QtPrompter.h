// Modal message boxes for the whole program, and the one injectable prompter
// every window asks through (tests put a scripted one in its place).
#pragma once

#include "Prompter.h"

class QtPrompter : public Prompter {
 public:
  void Inform(const std::string& caption, const std::string& text) override;
  bool Confirm(const std::string& caption, const std::string& text) override;
  bool ConfirmRisk(const std::string& caption, const std::string& text) override;
  KeepChoice AskToKeep(const std::string& caption, const std::string& text) override;
};

// The prompter in force; a QtPrompter unless a test has set another.
Prompter& AppPrompter();
// Replaces the prompter in force (nullptr restores the message boxes).
void SetAppPrompter(Prompter* prompter);
