// A byte at a time: a C1 control is the two bytes C2 80..C2 9F in UTF-8, and
// any other byte of a multi-byte character is printable, so no decoding is needed.
#include "MessageLine.h"

#include <cstdio>

namespace {

std::string Hex(const char* format, unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace

std::string EscapeControls(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0u;
    if (byte == '\n') {
      escaped += "\\n";
    } else if (byte == '\r') {
      escaped += "\\r";
    } else if (byte == '\t') {
      escaped += "\\t";
    } else if (byte < 0x20 || byte == 0x7F) {
      escaped += Hex("\\x%02x", byte);
    } else if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
      escaped += Hex("\\u%04x", next);
      ++i;
    } else {
      escaped += text[i];
    }
  }
  return escaped;
}

void WriteMessageLine(std::ostream& err, std::string_view program, std::string_view message) {
  err << program << EscapeControls(message) << '\n';
}
