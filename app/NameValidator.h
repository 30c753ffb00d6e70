// Refuses, as they are typed, characters that a single-byte engine name
// (Windows-1252) cannot hold, and control characters; a stored name that
// already holds control bytes can still be edited around them.
#pragma once

#include <QLineEdit>
#include <QValidator>

class NameValidator : public QValidator {
 public:
  explicit NameValidator(QLineEdit* box);
  State validate(QString& input, int& pos) const override;

 private:
  // The box's text before the edit being judged (the box already holds the
  // proposed text while it asks).
  QString before_;
};
