// Each code point is checked by the engine-name rules the command line
// shares (EngineName.h); a control character, which no key types and a paste
// must not bring in, also against the box's text before the edit, of which it
// must not add more. Length is not limited here: the program reads only the
// first 29 characters.
#include "NameValidator.h"

#include <algorithm>

#include "Cp1252.h"
#include "EngineName.h"

NameValidator::NameValidator(QLineEdit* box) : QValidator(box), before_(box->text()) {
  // Every text the box takes, typed or set by the program, is the base the
  // next edit is judged against.
  connect(box, &QLineEdit::textChanged, this, [this](const QString& text) { before_ = text; });
}

QValidator::State NameValidator::validate(QString& input, int&) const {
  const QList<uint> now = before_.toUcs4();
  const QList<uint> proposed = input.toUcs4();
  for (const uint c : proposed) {
    if (!IsCp1252Representable(c)) return Invalid;
    if (IsControlCharacter(c) &&
        std::count(proposed.begin(), proposed.end(), c) > std::count(now.begin(), now.end(), c))
      return Invalid;
  }
  return Acceptable;
}
