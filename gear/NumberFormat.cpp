// General format rounded on the exact decimal value of the double (ties away
// from zero), the shortest such text that reads back bit for bit, and a
// hand-written acceptor for the conversion so that nothing the C library
// would tolerate (hex, "inf", tabs, thousands separators) slips through.
#include "NumberFormat.h"

#include <algorithm>
#include <cctype>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

ConversionError::ConversionError(const std::string& text)
    : std::runtime_error("'" + text + "' is not a valid floating point value") {}

namespace {

// The exact decimal value of a finite magnitude: glibc prints every digit a
// double holds (at most 767 significant ones), so rounding below works on the
// value itself and an exact tie is seen as one.
struct Decimal {
  std::string digits;  // significant digits, the first non-zero unless the value is 0
  int exponent = 0;    // of the first digit
};

Decimal ExactDecimal(double magnitude) {
  char buffer[800];
  std::snprintf(buffer, sizeof buffer, "%.767e", magnitude);
  const char* e = std::strchr(buffer, 'e');
  Decimal d;
  d.exponent = std::atoi(e + 1);
  for (const char* p = buffer; p != e; ++p)
    if (std::isdigit(static_cast<unsigned char>(*p))) d.digits += *p;
  return d;
}

// Rounds to `precision` significant digits, half away from zero, and drops
// trailing zeros.
Decimal Rounded(Decimal d, int precision) {
  const auto keep = static_cast<std::size_t>(precision);
  const bool up = d.digits.size() > keep && d.digits[keep] >= '5';
  d.digits.resize(std::min(keep, d.digits.size()));
  if (up) {
    std::size_t i = d.digits.size();
    while (i > 0 && d.digits[i - 1] == '9') d.digits[--i] = '0';
    if (i == 0) {
      d.digits.insert(0, "1");
      d.digits.pop_back();
      ++d.exponent;
    } else {
      ++d.digits[i - 1];
    }
  }
  while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
  return d;
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

// The general format with `precision` significant digits: fixed while the
// integer part has at most that many digits and the magnitude is at least
// 0.0001, scientific otherwise.
std::string FormatGeneral(double value, int precision, char sep) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  if (value == 0) return "0";
  const Decimal d = Rounded(ExactDecimal(std::fabs(value)), precision);
  const std::string sign = value < 0 ? "-" : "";
  if (d.exponent >= precision || d.exponent < -4) return sign + ScientificText(d.digits, d.exponent, sep);
  return sign + FixedText(d.digits, d.exponent, sep);
}

bool SameBits(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

std::string FormatGeneral4(double value, char decimalSeparator) {
  return FormatGeneral(value, 4, decimalSeparator);
}

std::string FormatFaithful(double value, char decimalSeparator) {
  if (value == 0 && std::signbit(value)) return "-0";
  std::string text = FormatGeneral(value, 4, decimalSeparator);
  // 17 significant digits always read back; a non-finite value never does.
  for (int precision = 5; precision <= 17 && std::isfinite(value); ++precision) {
    const auto back = ParseFloat(text, decimalSeparator);
    if (back && SameBits(*back, value)) break;
    text = FormatGeneral(value, precision, decimalSeparator);
  }
  return text;
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
