// Each code point is checked against the code page; length is not limited
// here because the program reads only the first 29 characters anyway.
#include "NameValidator.h"

#include "Cp1252.h"

QValidator::State NameValidator::validate(QString& input, int&) const {
  for (const char32_t c : input.toUcs4())
    if (c < 0x20 || !IsCp1252Representable(c)) return Invalid;
  return Acceptable;
}
