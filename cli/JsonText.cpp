// to_chars ignores the locale, so decimals are "." whatever the user's is;
// snprintf in the C locale does the same for the string escapes.
#include "JsonText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

std::string JsonNumber(double value) {
  // JSON has no infinity or NaN: a figure that is not a number is absent.
  if (!std::isfinite(value)) return "null";
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::string JsonString(const std::string& utf8) {
  std::string text = "\"";
  for (const char c : utf8) {
    if (c == '"' || c == '\\') {
      text += '\\';
      text += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      text += escaped;
    } else {
      text += c;
    }
  }
  return text + "\"";
}
