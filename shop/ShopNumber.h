// Numbers as a fitter writes them in the setting window's boxes and table:
// decimals with a point, or inches as fractions ("3/32", "1 5/64").
#pragma once

#include <QString>
#include <optional>

#include "Quantity.h"

// The number of "0.09375", "3/32" or "1 3/64"; empty for anything else.
std::optional<double> ShopNumber(const QString& text);
// A length as the table shows it: a fraction for a whole number of 64ths of
// an inch (also with no unit), else the decimal that reads back to the value.
QString ShopLengthText(double value, LengthUnit unit);
