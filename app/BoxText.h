// Reading the program's edit boxes as their 30-character buffers do: names
// and numbers are taken from the first 29 characters only.
#pragma once

#include <QLineEdit>
#include <QString>
#include <string>

class BoxText {
 public:
  static QString First29(const QString& text) { return text.left(29); }
  // The box's number in the user's locale; throws ConversionError.
  static double Number(const QLineEdit* box);
  static double Number(const QString& text);
  // The value in the 4-significant-digit format with the locale's separator.
  static QString Format(double value);
  // A dimension as a box shows it: a text that reads back to the very value.
  static QString FormatFaithful(double value);
  // A name box's text as the record's single bytes (Windows-1252).
  static std::string NameBytes(const QString& text);
  static QString FromNameBytes(const std::string& bytes);
  static char DecimalSeparator();
};
