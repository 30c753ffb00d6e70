// Fixed decimals for a known unit, so that every figure on a sheet reads to
// the same place; the program's own 4-digit format otherwise.
#include "DimensionText.h"

#include <cstdio>

#include "NumberFormat.h"

std::string LengthText(double value, LengthUnit unit) {
  if (unit == LengthUnit::none) return FormatGeneral4(value);
  char text[64];
  std::snprintf(text, sizeof text, unit == LengthUnit::in ? "%.3f in" : "%.2f mm", value);
  return text;
}
