// The name is decoded character by character: a malformed sequence, a
// character the code page lacks or a control character is reported at its
// position; a good name is cut after its 29th character.
#include "EngineName.h"

#include <cstdio>

#include "Cp1252.h"
#include "EngineRecord.h"

namespace {

std::string CodePoint(char32_t c) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
  return text;
}

}  // namespace

bool IsControlCharacter(char32_t c) {
  return c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0);
}

bool IsNameCharacter(char32_t c) {
  return IsCp1252Representable(c) && !IsControlCharacter(c);
}

NameBytes EngineNameFromUtf8(const std::string& utf8) {
  std::string bytes;
  std::size_t pos = 0;
  for (int character = 1; pos < utf8.size(); ++character) {
    const std::string at = " at character " + std::to_string(character);
    char32_t c = 0;
    const std::size_t start = pos;
    if (!NextCodePoint(utf8, pos, c)) return {{}, "is not valid UTF-8" + at};
    if (IsControlCharacter(c)) return {{}, "holds a control character (" + CodePoint(c) + ")" + at};
    if (!IsCp1252Representable(c))
      return {{},
              "holds a character the data file cannot store (" + CodePoint(c) + ")" + at +
                  "; engine names take the characters of Windows-1252"};
    if (bytes.size() < kEngineNameLimit) bytes += *Utf8ToCp1252(utf8.substr(start, pos - start));
  }
  return {bytes, {}};
}
