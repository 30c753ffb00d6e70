// Windows-1252 is Latin-1 except for 0x80-0x9F, which hold typographic
// characters; the five bytes of that range that the code page leaves
// undefined map to the C1 controls of the same number, as the system's own
// conversion does, so that every byte of a stored name survives the trip.
#include "Cp1252.h"

namespace {

constexpr char32_t kHighRange[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                     0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::optional<unsigned char> ByteFor(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
  for (int i = 0; i < 32; ++i)
    if (kHighRange[i] == c) return static_cast<unsigned char>(0x80 + i);
  return std::nullopt;
}

}  // namespace

bool NextCodePoint(const std::string& text, std::size_t& pos, char32_t& c) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  int extra = lead < 0x80 ? 0 : (lead >> 5) == 6 ? 1 : (lead >> 4) == 14 ? 2 : (lead >> 3) == 30 ? 3 : -1;
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

std::string Cp1252ToUtf8(const std::string& bytes) {
  std::string out;
  for (const char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    char32_t c = b;
    if (b >= 0x80 && b < 0xA0) c = kHighRange[b - 0x80];
    AppendUtf8(out, c);
  }
  return out;
}

bool IsCp1252Representable(char32_t codePoint) {
  return ByteFor(codePoint).has_value();
}

std::optional<std::string> Utf8ToCp1252(const std::string& text) {
  std::string out;
  std::size_t pos = 0;
  while (pos < text.size()) {
    char32_t c = 0;
    if (!NextCodePoint(text, pos, c)) return std::nullopt;
    const auto byte = ByteFor(c);
    if (!byte) return std::nullopt;
    out += static_cast<char>(*byte);
  }
  return out;
}
