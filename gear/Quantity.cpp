// The unit names in one place, so a window, a report and a file header agree.
#include "Quantity.h"

std::string_view LengthUnitKey(LengthUnit unit) {
  switch (unit) {
    case LengthUnit::in:
      return "in";
    case LengthUnit::mm:
      return "mm";
    case LengthUnit::none:
      break;
  }
  return "none";
}

std::optional<LengthUnit> ParseLengthUnit(std::string_view key) {
  for (const LengthUnit unit : {LengthUnit::none, LengthUnit::in, LengthUnit::mm})
    if (key == LengthUnitKey(unit)) return unit;
  return std::nullopt;
}

std::string_view UnitSymbol(Quantity quantity, LengthUnit unit) {
  switch (quantity) {
    case Quantity::length:
      return unit == LengthUnit::none ? "" : LengthUnitKey(unit);
    case Quantity::angle:
      return "deg.";
    case Quantity::percent:
      return "%";
    case Quantity::ratio:
      break;
  }
  return "";
}

std::string UnitSuffix(Quantity quantity, LengthUnit unit) {
  const std::string_view symbol = UnitSymbol(quantity, unit);
  return symbol.empty() ? std::string() : " " + std::string(symbol);
}

std::string WithUnit(const std::string& caption, Quantity quantity, LengthUnit unit) {
  const std::string_view symbol = UnitSymbol(quantity, unit);
  return symbol.empty() ? caption : caption + " (" + std::string(symbol) + ")";
}

std::string LengthSuffix(Quantity quantity, LengthUnit unit) {
  return quantity == Quantity::length ? UnitSuffix(quantity, unit) : std::string();
}

std::string WithLengthUnit(const std::string& caption, Quantity quantity, LengthUnit unit) {
  return quantity == Quantity::length ? WithUnit(caption, quantity, unit) : caption;
}
