// The engine name is matched byte for byte against the stored Windows-1252 names,
// so a UTF-8 argument is converted first (one the code page cannot hold is tried
// as it stands). Angles that do not assemble are reported and skipped. A results
// file that is the data file is refused: the table would replace every engine.
// A data file is looked at before it is opened, so that a pipe or a device is
// refused rather than waited on or read without end.
#include "SweepCommand.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <variant>

#include "Cp1252.h"
#include "DataFile.h"
#include "DrawingExport.h"
#include "EngineConversion.h"
#include "MessageLine.h"
#include "PlayOption.h"
#include "RangeSweep.h"
#include "SameFile.h"
#include "Session.h"
#include "SweepOptions.h"
#include "SweepReport.h"
#include "TShed.h"
#include "UnitSetting.h"

namespace {

constexpr const char* kProgram = "zovuderiz-sweep: ";

std::optional<EngineRecord> LoadEngine(const SweepOptions& options, std::ostream& err) {
  // The store would create a missing file; a sweep must not.
  struct stat info;
  if (::stat(options.dataFile.c_str(), &info) != 0) {
    const int error = errno;
    WriteMessageLine(err, kProgram, "Cannot read \"" + options.dataFile + "\": " + std::strerror(error));
    return std::nullopt;
  }
  if (const FileResult kind = CheckDataFileKind(options.dataFile, info); !kind.ok()) {
    WriteMessageLine(err, kProgram, kind.error);
    return std::nullopt;
  }
  TShed shed(options.dataFile, nullptr);
  shed.ListEngines();
  if (!shed.ReadError().empty()) {
    WriteMessageLine(err, kProgram, shed.ReadError());
    return std::nullopt;
  }
  const std::string name = Utf8ToCp1252(options.name).value_or(options.name);
  const FoundRecord found = shed.FindEngine(name.c_str());
  if (found.record) return found.record;
  WriteMessageLine(err, kProgram,
                   found.outcome.message + ": '" + options.name + "' in '" + options.dataFile + "'");
  return std::nullopt;
}

SweepRun SweepOnce(Session& s, double angle) {
  const bool first = !s.centring();
  const RunOutcome outcome = s.Go(angle);
  SweepRun run{angle, first && outcome.ok(), outcome.ok(), {}, {}, {}};
  if (outcome.ok())
    run.results = outcome.run->results;
  else
    run.error = FailureMessage(*outcome.failure);
  return run;
}

int SweepEngine(const SweepOptions& options, const EngineRecord& record, std::ostream& out,
                std::ostream& err) {
  // Without --unit, lengths carry the unit the data file was given.
  const LengthUnit unit = LabelUnit(options.unit, options.dataFile, kProgram, err);
  Session s;
  if (const auto failure = s.Take(ToEngine(record))) {
    WriteMessageLine(err, kProgram, options.name + ": " + FailureMessage(*failure));
    if (options.json) WriteJsonFailure(out, RecordName(record), FailureMessage(*failure), unit);
    return kExitCannotAssemble;
  }
  if (options.range) return SweepRange(options, unit, s, out, err);
  std::vector<SweepRun> runs;
  int status = kExitOk;
  for (const double angle : options.angles) {
    runs.push_back(SweepOnce(s, angle));
    if (runs.back().ok) continue;
    std::ostringstream line;
    line << options.name << " at " << angle << " deg.: " << runs.back().error;
    WriteMessageLine(err, kProgram, line.str());
    status = kExitCannotAssemble;
  }
  if (options.json)
    WriteJsonReport(out, s, runs, unit);
  else
    WriteTextReport(out, s, runs, unit);
  if (!s.latestRun() || WriteTableOrSay(options.resultsFile, s.engine().name, *s.latestRun(), err))
    return status;
  return kExitFileOrEngine;
}

}  // namespace

int RunSweepCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto parsed = ParseSweepArgs(args);
  if (const auto* usage = std::get_if<UsageError>(&parsed)) {
    WriteMessageLine(err, kProgram, usage->message + " (" + kSweepUsageText + ")");
    return kExitUsage;
  }
  const auto& options = std::get<SweepOptions>(parsed);
  if (options.help) {
    out << kSweepUsageText << "\n\n" << kPlayHelpText << '\n';
    return kExitOk;
  }
  if (SameFile(options.dataFile, options.resultsFile)) {
    WriteMessageLine(err, kProgram,
                     "the results file '" + options.resultsFile +
                         "' is the data file; name another with --results (" + kSweepUsageText + ")");
    return kExitUsage;
  }
  if (!options.drawingFile.empty() && SameFile(options.dataFile, options.drawingFile)) {
    WriteMessageLine(err, kProgram,
                     "the drawing file '" + options.drawingFile + "' is the data file; name another");
    return kExitUsage;
  }
  const auto engine = LoadEngine(options, err);
  if (!engine) return kExitFileOrEngine;
  if (!options.drawingFile.empty()) return WriteDrawingFile(options, *engine, out, err);
  return SweepEngine(options, *engine, out, err);
}
