// The modal questions and notices through which the store and the windows talk
// to the user; the program answers them with message boxes, tests with a script.
#pragma once

#include <string>

class Prompter {
 public:
  virtual ~Prompter() = default;
  // A box with an OK button; caption and text are UTF-8, shown exactly as given.
  virtual void Inform(const std::string& caption, const std::string& text) = 0;
  // A box with OK and Cancel; true only when the user chose OK.
  virtual bool Confirm(const std::string& caption, const std::string& text) = 0;
  // A box with OK and Cancel where Cancel is the default button, for a step
  // that cannot be taken back (replacing a stored engine): Enter keeps things.
  virtual bool ConfirmRisk(const std::string& caption, const std::string& text) {
    return Confirm(caption, text);
  }
  // Save, Discard or Cancel for changes about to be dropped; Cancel is the default.
  enum class KeepChoice { save, discard, cancel };
  virtual KeepChoice AskToKeep(const std::string& caption, const std::string& text) {
    return Confirm(caption, text) ? KeepChoice::save : KeepChoice::cancel;
  }
};
