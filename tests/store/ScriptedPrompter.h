// A prompter that records every box it is shown and answers questions from a
// script (the default button when the script runs dry: OK, or Cancel where
// Cancel is the default), so the store is tested without a GUI.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "Prompter.h"

class ScriptedPrompter : public Prompter {
 public:
  struct Box {
    std::string caption;
    std::string text;
    bool operator==(const Box&) const = default;
  };
  void Inform(const std::string& caption, const std::string& text) override {
    shown.push_back({caption, text});
  }
  bool Confirm(const std::string& caption, const std::string& text) override {
    shown.push_back({caption, text});
    if (answers.empty()) return true;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  bool ConfirmRisk(const std::string& caption, const std::string& text) override {
    shown.push_back({caption, text});
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  KeepChoice AskToKeep(const std::string& caption, const std::string& text) override {
    shown.push_back({caption, text});
    if (choices.empty()) return KeepChoice::cancel;
    const KeepChoice choice = choices.front();
    choices.pop_front();
    return choice;
  }
  std::vector<Box> shown;
  std::deque<bool> answers;
  std::deque<KeepChoice> choices;
};
