// snprintf in the C locale gives "." decimals whatever the user's locale is.
#include "JsonText.h"

#include <cstdio>

std::string JsonNumber(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
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
