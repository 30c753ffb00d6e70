// A fraction is a whole number, a space and numerator/denominator, or the
// fraction alone; the decimal is read by the C locale's rules, as the
// readings file is.
#include "ShopNumber.h"

#include <QRegularExpression>
#include <cmath>

#include "NumberFormat.h"

std::optional<double> ShopNumber(const QString& text) {
  static const QRegularExpression fraction(R"(^\s*(-)?\s*(?:(\d+)\s+)?(\d+)\s*/\s*(\d+)\s*$)");
  const QRegularExpressionMatch m = fraction.match(text);
  if (m.hasMatch()) {
    const double denominator = m.captured(4).toDouble();
    if (denominator == 0) return std::nullopt;
    const double size = m.captured(2).toDouble() + m.captured(3).toDouble() / denominator;
    return m.captured(1).isEmpty() ? size : -size;
  }
  bool ok = false;
  const double value = text.trimmed().toDouble(&ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

QString ShopLengthText(double value, LengthUnit unit) {
  const double sixtyFourths = value * 64;
  if (unit == LengthUnit::mm || std::fabs(sixtyFourths - std::round(sixtyFourths)) > 1e-9 ||
      std::fabs(value) >= 100)
    return QString::fromStdString(FormatFaithful(value));
  const long whole64 = std::lround(std::fabs(sixtyFourths));
  long numerator = whole64 % 64, denominator = 64;
  while (numerator != 0 && numerator % 2 == 0) {
    numerator /= 2;
    denominator /= 2;
  }
  QString text = value < 0 ? "-" : "";
  if (whole64 / 64 != 0 || numerator == 0) text += QString::number(whole64 / 64);
  if (numerator != 0) text += QString(whole64 / 64 != 0 ? " %1/%2" : "%1/%2").arg(numerator).arg(denominator);
  return text;
}
