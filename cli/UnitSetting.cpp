// A thin choice over the store's bounded reading of the unit file.
#include "UnitSetting.h"

#include "LengthUnitSetting.h"
#include "MessageLine.h"

LengthUnit LabelUnit(const std::optional<LengthUnit>& given, const std::string& dataFile,
                     std::string_view program, std::ostream& err) {
  if (given) return *given;
  const LengthUnitReading reading = ReadLengthUnitSetting(dataFile);
  if (!reading.problem.empty()) WriteMessageLine(err, program, reading.problem + " Give --unit to name one.");
  return reading.unit;
}
