// The name is decoded character by character: a malformed sequence, a
// character the code page lacks or a control character is reported at its
// position; a good name is cut after its 29th character.
#include "EngineName.h"

#include <cstdio>

#include "Cp1252.h"
#include "EngineRecord.h"

namespace {

// The code point of the UTF-8 sequence at pos, moving pos past it; false on a
// malformed or overlong sequence or a surrogate.
bool DecodeAt(const std::string& text, std::size_t& pos, char32_t& c) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  const int extra = lead < 0x80         ? 0
                    : (lead >> 5) == 6  ? 1
                    : (lead >> 4) == 14 ? 2
                    : (lead >> 3) == 30 ? 3
                                        : -1;
  if (extra < 0 || pos + static_cast<std::size_t>(extra) >= text.size()) return false;
  c = extra == 0 ? lead : lead & (0x3F >> extra);
  for (int i = 1; i <= extra; ++i) {
    const auto next = static_cast<unsigned char>(text[pos + static_cast<std::size_t>(i)]);
    if ((next >> 6) != 2) return false;
    c = (c << 6) | (next & 0x3F);
  }
  constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
  if (c < kLeast[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
  pos += static_cast<std::size_t>(extra) + 1;
  return true;
}

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
    if (!DecodeAt(utf8, pos, c)) return {{}, "is not valid UTF-8" + at};
    if (IsControlCharacter(c)) return {{}, "holds a control character (" + CodePoint(c) + ")" + at};
    if (!IsCp1252Representable(c))
      return {{},
              "holds a character the data file cannot store (" + CodePoint(c) + ")" + at +
                  "; engine names take the characters of Windows-1252"};
    if (bytes.size() < kEngineNameLimit) bytes += *Utf8ToCp1252(utf8.substr(start, pos - start));
  }
  return {bytes, {}};
}
