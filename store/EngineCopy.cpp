// The target's unit and names are read before anything is written; the name
// is checked once more under the file's lock (SaveNewEngine), so an engine
// stored there meanwhile is never replaced. A conversion scales the engine's
// lengths as Tools > Scale engine does, through the record's own conversion,
// so the bytes after the name and the types stay as they were.
#include "EngineCopy.h"

#include <set>

#include "Cp1252.h"
#include "EngineConversion.h"
#include "EngineScale.h"
#include "FreeName.h"
#include "LengthUnitSetting.h"

namespace {

std::string UnitWord(LengthUnit unit) {
  return unit == LengthUnit::in ? "inches" : "millimetres";
}

constexpr double kMillimetresPerInch = 25.4;

// The record in inches as millimetres, or in millimetres as inches.
EngineRecord Converted(const EngineRecord& record, LengthUnit from) {
  const double factor = from == LengthUnit::in ? kMillimetresPerInch : 1 / kMillimetresPerInch;
  EngineRecord converted = record;
  ToRecord(ScaledEngine(ToEngine(record), factor), converted);
  return converted;
}

StoreOutcome Refused(const std::string& why) {
  return {StoreOutcome::Kind::notWritten, why + "\nNothing was copied."};
}

}  // namespace

EngineCopy CopyEngineInto(const std::string& dataFile, const EngineRecord& record, LengthUnit unit,
                          const LockWait& wait) {
  std::set<std::string> names;
  TShed target(dataFile, [&names](const std::string& name) { names.insert(name); });
  StoreOutcome opened = target.Open();
  if (opened.kind == StoreOutcome::Kind::missingFile) opened = target.Create();
  if (!opened.ok()) return {Refused(opened.message), {}};
  target.ListEngines();
  if (!target.ReadError().empty()) return {Refused(target.ReadError()), {}};
  const LengthUnit there = ReadLengthUnit(dataFile);
  const bool converts = unit != LengthUnit::none && there != LengthUnit::none && there != unit;
  if (unit != LengthUnit::none && there == LengthUnit::none) {
    if (!names.empty())
      return {
          Refused("\"" + dataFile + "\" holds engines with no length unit set; set its unit there first " +
                  "(File > Length unit) or pick another folder."),
          {}};
    const FileWrite kept = WriteLengthUnit(dataFile, unit);
    if (!kept.ok())
      return {Refused("Cannot set the length unit of \"" + dataFile + "\": " + kept.reason), {}};
  }
  EngineRecord copy = converts ? Converted(record, unit) : record;
  const std::string name =
      FreeEngineName(RecordName(record), "", [&names](const std::string& n) { return names.count(n) > 0; });
  SetRecordName(copy, name.data(), name.size());
  StoreOutcome saved = target.SaveNewEngine(copy, wait);
  if (saved.ok())
    saved.message = "Copied as \"" + Cp1252ToUtf8(name) + "\" into \"" + dataFile + "\"" +
                    (unit == LengthUnit::none && there == LengthUnit::none ? ""
                     : converts ? ", its lengths converted from " + UnitWord(unit) + " to " +
                                      UnitWord(there) + (there == LengthUnit::mm ? " (x 25.4)" : " (/ 25.4)")
                                : ", lengths in " + UnitWord(unit == LengthUnit::none ? there : unit)) +
                    ".";
  return {saved, saved.ok() ? name : std::string()};
}
