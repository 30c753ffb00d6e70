// Refuses, as they are typed, characters that a single-byte engine name
// (Windows-1252) cannot hold.
#pragma once

#include <QValidator>

class NameValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;
};
