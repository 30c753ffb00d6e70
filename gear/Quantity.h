// What kind of number a dimension or a figure is, and the user's length unit:
// lengths are kept in the user's own unit and never converted, so the unit is
// only a name the program shows beside them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

enum class Quantity {
  length,   // in the engine's own unit
  angle,    // degrees
  percent,  // of the piston's stroke
  ratio,    // a pure number
};

enum class LengthUnit { none, in, mm };

// "none", "in", "mm": the names the command lines and the unit setting use.
std::string_view LengthUnitKey(LengthUnit unit);
std::optional<LengthUnit> ParseLengthUnit(std::string_view key);

// The unit's symbol shown after a figure: "" for a ratio and for a length in no
// unit, "in", "mm", "deg." or "%".
std::string_view UnitSymbol(Quantity quantity, LengthUnit unit);
// The symbol with a blank before it, or nothing: "12.5" + " mm".
std::string UnitSuffix(Quantity quantity, LengthUnit unit);
// "Lead (mm)", "Lead" when the symbol is empty.
std::string WithUnit(const std::string& caption, Quantity quantity, LengthUnit unit);
// The same for a length alone: where a report's percentages and degrees stay
// as they always were, only its lengths carry the user's unit.
std::string LengthSuffix(Quantity quantity, LengthUnit unit);
std::string WithLengthUnit(const std::string& caption, Quantity quantity, LengthUnit unit);
