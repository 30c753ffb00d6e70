// The drawing grid a proposal is given on and the tolerance it must still hold
// at when made: a length on a fixed step and within a fixed tolerance in the
// data file's unit, anything else (or a length with no unit) on four
// significant figures and within a share of its value.
#pragma once

#include "DesignDimensions.h"
#include "Quantity.h"

// A drawing step of 0.001 in or 0.01 mm, a tolerance of 0.002 in or 0.05 mm.
inline constexpr double kInchStep = 0.001, kInchTolerance = 0.002;
inline constexpr double kMillimetreStep = 0.01, kMillimetreTolerance = 0.05;
// Without a unit (and for angles and ratios): four significant figures, 0.05 % of the value.
inline constexpr int kSignificantFigures = 4;
inline constexpr double kRelativeTolerance = 0.0005;

struct DrawingGrid {
  double lengthStep = 0;       // 0: four significant figures
  double lengthTolerance = 0;  // 0: kRelativeTolerance of each value
  double toleranceShare = 1;   // every tolerance times this: what a design would need

  static DrawingGrid ForUnit(LengthUnit unit);

  // The step of the grid at a value of this quantity.
  double Step(double value, Quantity quantity) const;
  // How far a part made to this value may be off.
  double Tolerance(double value, Quantity quantity) const;
  // The grid value nearest `value` within the bounds; a bound itself where
  // the bounds hold no grid value.
  double Round(double value, const FreeDimension& bounds, Quantity quantity) const;
};

// The quantity of a dimension by its record field name (a length when unknown).
Quantity DimensionQuantity(const std::string& name);
