// The length unit the command-line tools label lengths with: the one given
// with --unit, else the one set for the data file, read only when needed.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "Quantity.h"

// `given` when there is one (the data file's setting is then never touched);
// else the data file's unit. A setting file that is not taken is said once
// on err, after `program`, and its lengths carry no unit.
LengthUnit LabelUnit(const std::optional<LengthUnit>& given, const std::string& dataFile,
                     std::string_view program, std::ostream& err);
