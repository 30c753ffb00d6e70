// Conversion between the data file's single-byte names (Windows-1252) and the
// UTF-8 text of the windows and the command line.
#pragma once

#include <optional>
#include <string>

std::string Cp1252ToUtf8(const std::string& bytes);
// nullopt when the text holds a character the code page cannot represent.
std::optional<std::string> Utf8ToCp1252(const std::string& text);
// The code point of the UTF-8 sequence at pos, moving pos past it; false on a
// malformed or overlong sequence or a surrogate.
bool NextCodePoint(const std::string& text, std::size_t& pos, char32_t& c);
// True when the Unicode code point has a Windows-1252 byte.
bool IsCp1252Representable(char32_t codePoint);
