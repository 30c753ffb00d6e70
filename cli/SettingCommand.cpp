// The engine is found as the other tools find it (a regular data file of a
// sane size, the name in Windows-1252); the readings file is read whole before
// anything is computed, and no file is ever written over the data file.
#include "SettingCommand.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <thread>
#include <variant>

#include "Cp1252.h"
#include "DataFile.h"
#include "EngineConversion.h"
#include "EvidenceCommand.h"
#include "MessageLine.h"
#include "ReadingsFile.h"
#include "SameFile.h"
#include "SettingOptions.h"
#include "SettingReport.h"
#include "SweepCommand.h"
#include "TShed.h"
#include "UnitSetting.h"

namespace {

constexpr const char* kProgram = "zovuderiz-setting: ";

constexpr const char* kHelpText =
    "Fits the gear as built (the eccentric rods' lengths, the eccentrics' advance and the valve's place on "
    "its\n"
    "spindle) to the readings in --readings FILE.csv (header angleDeg,end,event,value,unit,plusMinus), "
    "weighted\n"
    "by their precisions, and gives the corrections the --adjust list allows (default spindle,rod1,rod2; "
    "also\n"
    "advance1, advance2, or advance for two eccentrics cast as one) towards the target, fewest operations "
    "first,\n"
    "in steps of --step (default 1/64 in, 0.5 mm; 0.5 deg.). rod1 and advance1 are the upper eccentric rod "
    "and\n"
    "eccentric, rod2 and advance2 the lower; the report says which drives forward gear. --sheet FILE.csv "
    "writes\n"
    "the readings to take, blank. Exit status: 0 done, 2 usage, 3 data file, engine or readings file, 4 the\n"
    "gear does not assemble.";

void Say(std::ostream& err, const std::string& message) {
  WriteMessageLine(err, kProgram, message);
}

int Cores() {
  return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

std::optional<EngineRecord> LoadEngine(const SettingOptions& options, std::ostream& err) {
  struct stat info;
  if (::stat(options.dataFile.c_str(), &info) != 0) {
    const int error = errno;
    Say(err, "Cannot read \"" + options.dataFile + "\": " + std::strerror(error));
    return std::nullopt;
  }
  if (const FileResult kind = CheckDataFileKind(options.dataFile, info); !kind.ok()) {
    Say(err, kind.error);
    return std::nullopt;
  }
  TShed shed(options.dataFile, nullptr);
  shed.ListEngines();
  if (!shed.ReadError().empty()) {
    Say(err, shed.ReadError());
    return std::nullopt;
  }
  const std::string stored = Utf8ToCp1252(options.name).value_or(options.name).substr(0, kEngineNameLimit);
  const FoundRecord found = shed.FindEngine(stored.c_str());
  if (found.record) return found.record;
  Say(err, found.outcome.message + ": '" + options.name + "' in '" + options.dataFile + "'");
  return std::nullopt;
}

ShopSettingRequest RequestOf(const SettingOptions& o, const EngineRecord& record, LengthUnit unit) {
  ShopSettingRequest q;
  q.engine = ToEngine(record);
  q.unit = unit;
  q.settingDeg = o.setAngleDeg;
  q.valveSetting = o.valveSetting;
  q.allowed = o.allowed;
  q.target = o.target;
  q.lengthStep = o.lengthStep;
  q.angleStep = o.angleStep;
  q.threads = Cores();
  return q;
}

int WriteSheet(const SettingOptions& o, const ShopSettingRequest& q, std::ostream& out, std::ostream& err) {
  const ShopSetting s = PrepareShopSetting(q);
  if (!s.ok()) {
    Say(err, o.name + ": " + s.problem);
    return kExitCannotAssemble;
  }
  const FileWrite written = WriteReadingsFile(o.sheetFile, o.dataFile, s.recommended, q.unit);
  if (!written.ok()) {
    Say(err, "Cannot write the sheet \"" + o.sheetFile + "\": " + written.reason);
    return kExitFileOrEngine;
  }
  out << "Wrote " << s.recommended.size() << " readings to take to " << o.sheetFile << '\n';
  return kExitOk;
}

int Fit(const SettingOptions& o, ShopSettingRequest q, const std::string& name, std::ostream& out,
        std::ostream& err) {
  ReadingsRead read = ReadReadingsFile(o.readingsFile, q.unit);
  if (!read.ok()) {
    Say(err, read.problem);
    return kExitFileOrEngine;
  }
  q.readings = std::move(read.readings);
  const ShopSetting s = RunShopSetting(q);
  if (!s.ok()) {
    Say(err, o.name + ": " + s.problem);
    if (o.json) WriteSettingJsonFailure(out, name, q.unit, s.problem);
    return s.kind == ShopProblem::readings ? kExitFileOrEngine : kExitCannotAssemble;
  }
  o.json ? WriteSettingJson(out, name, s) : WriteSettingText(out, name, s);
  return kExitOk;
}

}  // namespace

int RunSettingCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto parsed = ParseSettingArgs(args);
  if (const auto* usage = std::get_if<UsageError>(&parsed)) {
    Say(err, usage->message + " (" + kSettingUsageText + ")");
    return kExitUsage;
  }
  const auto& options = std::get<SettingOptions>(parsed);
  if (options.help) {
    out << kSettingUsageText << "\n\n" << kHelpText << "\n\n" << kEvidenceHelpText << '\n';
    return kExitOk;
  }
  if (!options.sheetFile.empty() && SameFile(options.dataFile, options.sheetFile)) {
    Say(err, "the sheet '" + options.sheetFile + "' is the data file; name another");
    return kExitUsage;
  }
  const auto record = LoadEngine(options, err);
  if (!record) return kExitFileOrEngine;
  const LengthUnit unit = LabelUnit(options.unit, options.dataFile, kProgram, err);
  const ShopSettingRequest q = RequestOf(options, *record, unit);
  if (!options.sheetFile.empty()) return WriteSheet(options, q, out, err);
  if (!options.evidenceFile.empty())
    return RunEvidence(EvidenceRequest{q.engine, Cp1252ToUtf8(RecordName(*record)), unit, options.setAngleDeg,
                                       options.valveSetting, options.evidenceFile, options.json, Cores()},
                       out, err);
  return Fit(options, q, Cp1252ToUtf8(RecordName(*record)), out, err);
}
