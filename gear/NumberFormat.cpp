// General 4-significant-digit format built from the digits of "%.3e", and a
// hand-written acceptor for the conversion so that nothing the C library
// would tolerate (hex, "inf", tabs, thousands separators) slips through.
#include "NumberFormat.h"

#include <cctype>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

ConversionError::ConversionError(const std::string& text)
    : std::runtime_error("'" + text + "' is not a valid floating point value") {}

namespace {

std::string TrimmedDigits(const char* mantissa) {
  std::string digits;
  for (const char* p = mantissa; *p != '\0' && *p != 'e'; ++p)
    if (std::isdigit(static_cast<unsigned char>(*p))) digits += *p;
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  return digits;
}

std::string FixedText(const std::string& digits, int exponent, char sep) {
  std::string text;
  if (exponent < 0) {
    text = "0";
    text += sep;
    text.append(static_cast<std::size_t>(-exponent - 1), '0');
    return text + digits;
  }
  const auto intLength = static_cast<std::size_t>(exponent) + 1;
  if (digits.size() <= intLength) return digits + std::string(intLength - digits.size(), '0');
  return digits.substr(0, intLength) + sep + digits.substr(intLength);
}

std::string ScientificText(const std::string& digits, int exponent, char sep) {
  std::string text = digits.substr(0, 1);
  if (digits.size() > 1) text += sep + digits.substr(1);
  return text + "E" + std::to_string(exponent);
}

}  // namespace

std::string FormatGeneral4(double value, char decimalSeparator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  if (value == 0) return "0";
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.3e", std::fabs(value));  // rounds to 4 significant digits
  const char* e = std::strchr(buffer, 'e');
  const int exponent = std::atoi(e + 1);
  const std::string digits = TrimmedDigits(buffer);
  const std::string sign = value < 0 ? "-" : "";
  if (exponent >= 4 || exponent < -4) return sign + ScientificText(digits, exponent, decimalSeparator);
  return sign + FixedText(digits, exponent, decimalSeparator);
}

namespace {

bool SkipDigits(const std::string& text, std::size_t& pos) {
  const std::size_t start = pos;
  while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos]))) ++pos;
  return pos > start;
}

// Builds the C-locale form of an accepted text, or returns false.
bool Canonical(const std::string& text, char sep, std::string& out) {
  std::size_t pos = 0;
  while (pos < text.size() && text[pos] == ' ') ++pos;
  const std::size_t numberStart = pos;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
  const bool intDigits = SkipDigits(text, pos);
  bool hasSep = false;
  bool fracDigits = false;
  if (pos < text.size() && text[pos] == sep) {
    hasSep = true;
    ++pos;
    fracDigits = SkipDigits(text, pos);
  }
  if (!intDigits && !hasSep) return false;
  std::size_t mantissaEnd = pos;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    ++pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    if (!SkipDigits(text, pos)) return false;
  }
  const std::size_t numberEnd = pos;
  while (pos < text.size() && text[pos] == ' ') ++pos;
  if (pos != text.size()) return false;
  out = text.substr(numberStart, mantissaEnd - numberStart);
  if (hasSep) out[out.find(sep)] = '.';
  if (!intDigits && !fracDigits) out += '0';  // a lone separator is zero
  if (!intDigits) out.insert(out.find('.'), "0");
  out += text.substr(mantissaEnd, numberEnd - mantissaEnd);
  return true;
}

}  // namespace

std::optional<double> ParseFloat(const std::string& text, char decimalSeparator) {
  std::string canonical;
  if (!Canonical(text, decimalSeparator, canonical)) return std::nullopt;
  // strtod follows LC_NUMERIC; the canonical text uses '.', so read it in "C".
  std::size_t dot = canonical.find('.');
  char* end = nullptr;
  double value = 0;
  if (std::localeconv()->decimal_point[0] == '.' || dot == std::string::npos) {
    value = std::strtod(canonical.c_str(), &end);
  } else {
    canonical[dot] = std::localeconv()->decimal_point[0];
    value = std::strtod(canonical.c_str(), &end);
  }
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

double TextToFloat(const std::string& text, char decimalSeparator) {
  const auto value = ParseFloat(text, decimalSeparator);
  if (!value) throw ConversionError(text);
  return *value;
}
