// Each code point is checked against the code page; a control character also
// against the box's text before the edit, of which it must not add more.
// Length is not limited here: the program reads only the first 29 characters.
#include "NameValidator.h"

#include <algorithm>

#include "Cp1252.h"

namespace {

// C0 and C1 controls: no key types them, and a paste must not bring them in.
bool IsControl(char32_t c) {
  return c < 0x20 || (c >= 0x80 && c < 0xA0);
}

}  // namespace

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
    if (IsControl(c) &&
        std::count(proposed.begin(), proposed.end(), c) > std::count(now.begin(), now.end(), c))
      return Invalid;
  }
  return Acceptable;
}
