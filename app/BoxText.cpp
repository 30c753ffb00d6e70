// The decimal separator comes from the system locale, as the user set it.
#include "BoxText.h"

#include <QLocale>

#include "Cp1252.h"
#include "NumberFormat.h"

char BoxText::DecimalSeparator() {
  const QString point = QLocale::system().decimalPoint();
  return point.size() == 1 && point[0].unicode() < 128 ? static_cast<char>(point[0].unicode()) : '.';
}

double BoxText::Number(const QString& text) {
  return TextToFloat(First29(text).toStdString(), DecimalSeparator());
}

double BoxText::Number(const QLineEdit* box) {
  return Number(box->text());
}

QString BoxText::Format(double value) {
  return QString::fromStdString(FormatGeneral4(value, DecimalSeparator()));
}

QString BoxText::FormatFaithful(double value) {
  return QString::fromStdString(::FormatFaithful(value, DecimalSeparator()));
}

std::string BoxText::NameBytes(const QString& text) {
  // The boxes refuse what the code page cannot hold; anything else that slips
  // in (a paste) is dropped here character by character, never garbled.
  std::string bytes;
  for (const char32_t c : First29(text).toUcs4()) {
    const auto one = Utf8ToCp1252(QString::fromUcs4(&c, 1).toStdString());
    if (one) bytes += *one;
  }
  return bytes;
}

QString BoxText::FromNameBytes(const std::string& bytes) {
  return QString::fromStdString(Cp1252ToUtf8(bytes));
}
