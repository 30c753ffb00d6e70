// The one description of an engine's numbers: the seventeen dimensions in the
// record's field order, each with its key (the data file's field name, used on
// the command lines and in JSON), caption (the box label), quantity, member of
// Engine and part of the gear; and the valve and rocker types with their captions.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "Engine.h"
#include "Quantity.h"

// The part of the gear a dimension belongs to.
enum class GearPart {
  crank,       // the engine's connecting rod and crank
  eccentric,   // the eccentric, its rod and its angle of advance
  link,        // the expansion link
  suspension,  // the weighshaft's place, the lifting arm and the lifting link that hang the link
  liftingPin,  // the lifting pin's offsets on the link, often zero: sized by the link, not by themselves
  valve,       // the valve's laps, the port and the rocker
};

// Which side of zero a dimension may take: a designer's search keeps it there.
enum class SignRule {
  positive,  // a length of a part or a ratio: above zero
  keepSign,  // the angle of advance: the sign the engine has
  either,    // a coordinate, an offset or the exhaust lap
};

struct DimensionSpec {
  const char* key;
  const char* caption;
  Quantity quantity;
  SignRule sign;
  double Engine::*field;
  GearPart part;
};

inline constexpr std::size_t kDimensions = 17;

const std::array<DimensionSpec, kDimensions>& EngineDimensions();
// The dimension of that key, or nullptr.
const DimensionSpec* FindDimension(std::string_view key);

// A choice of one of the two option groups: the value Engine holds and the caption.
struct TypeChoice {
  std::int32_t value;
  const char* caption;
};

// Outside admission (-1), inside admission (+1).
const std::array<TypeChoice, 2>& ValveTypeChoices();
// No rocker (0), type A (+1), type B (-1).
const std::array<TypeChoice, 3>& RockerTypeChoices();
