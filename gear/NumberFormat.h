// The program's one number format: general format with 4 significant digits
// for display, and the strict text-to-number conversion with the locale's
// decimal separator that every entry box and the angle box use.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

// Raised when a box's text is not a number; its message is the one the user
// sees: "'<text>' is not a valid floating point value".
class ConversionError : public std::runtime_error {
 public:
  explicit ConversionError(const std::string& text);
};

// 57.1234 -> "57.12", 123456 -> "1.235E5", 0.00005 -> "5E-5"; an exact tie
// rounds away from zero: 1.0625 -> "1.063".
std::string FormatGeneral4(double value, char decimalSeparator = '.');

// The 4-digit text when it reads back to exactly this double, otherwise the
// general format with the fewest significant digits (up to 17) that does:
// 1.0625 -> "1.0625", 12345 -> "12345", 0.1 + 0.2 -> "0.30000000000000004".
std::string FormatFaithful(double value, char decimalSeparator = '.');

// Accepts blanks, an optional sign, digits with at most one separator, an
// optional exponent and blanks; nullopt for anything else or an overflow.
std::optional<double> ParseFloat(const std::string& text, char decimalSeparator = '.');

// ParseFloat that throws ConversionError carrying the text.
double TextToFloat(const std::string& text, char decimalSeparator = '.');
