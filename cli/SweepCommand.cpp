// The engine name is matched byte for byte against the stored names, which are
// Windows-1252 text, so a UTF-8 argument is converted first; one that the code
// page cannot hold is tried as it stands. Angles that do not assemble are
// reported and skipped: later angles still run with the centring already fixed.
#include "SweepCommand.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <optional>
#include <variant>

#include "ConsolePrompter.h"
#include "Cp1252.h"
#include "EngineConversion.h"
#include "RangeSweep.h"
#include "ResultsTable.h"
#include "Session.h"
#include "SweepOptions.h"
#include "SweepReport.h"
#include "TShed.h"

namespace {

constexpr const char* kProgram = "zovuderiz-sweep: ";

std::optional<EngineRecord> LoadEngine(const SweepOptions& options, std::ostream& err) {
  // The store would create a missing file; a sweep must not.
  if (!std::ifstream(options.dataFile, std::ios::binary)) {
    err << kProgram << "cannot read data file '" << options.dataFile << "': " << std::strerror(errno) << '\n';
    return std::nullopt;
  }
  ConsolePrompter prompter;
  TShed shed(options.dataFile, prompter, nullptr);
  shed.ListEngines();
  const std::string name = Utf8ToCp1252(options.name).value_or(options.name);
  if (auto engine = shed.FindEngine(name.c_str())) return engine;
  err << kProgram << prompter.LastNotice() << ": '" << options.name << "' in '" << options.dataFile << "'\n";
  return std::nullopt;
}

SweepRun SweepOnce(Session& s, double angle) {
  const bool first = !s.centring();
  const RunOutcome outcome = s.Go(angle);
  SweepRun run{angle, first && outcome.ok(), outcome.ok(), {}, {}};
  if (outcome.ok())
    run.results = outcome.run->results;
  else
    run.error = FailureMessage(*outcome.failure);
  return run;
}

int SweepEngine(const SweepOptions& options, const EngineRecord& record, std::ostream& out,
                std::ostream& err) {
  Session s;
  if (const auto failure = s.Take(ToEngine(record))) {
    err << kProgram << options.name << ": " << FailureMessage(*failure) << '\n';
    return kExitCannotAssemble;
  }
  if (options.range) return SweepRange(options, s, out, err);
  std::vector<SweepRun> runs;
  int status = kExitOk;
  for (const double angle : options.angles) {
    runs.push_back(SweepOnce(s, angle));
    if (runs.back().ok) continue;
    err << kProgram << options.name << " at " << angle << " deg.: " << runs.back().error << '\n';
    status = kExitCannotAssemble;
  }
  if (options.json)
    WriteJsonReport(out, s, runs);
  else
    WriteTextReport(out, s, runs);
  if (s.latestRun() && !WriteResultsTable(s.engine().name, *s.latestRun(), options.resultsFile)) {
    err << kProgram << "Cannot open Results file '" << options.resultsFile << "'\n";
    return kExitFileOrEngine;
  }
  return status;
}

}  // namespace

int RunSweepCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto parsed = ParseSweepArgs(args);
  if (const auto* usage = std::get_if<UsageError>(&parsed)) {
    err << kProgram << usage->message << " (" << kSweepUsageText << ")\n";
    return kExitUsage;
  }
  const auto& options = std::get<SweepOptions>(parsed);
  if (options.help) {
    out << kSweepUsageText << '\n';
    return kExitOk;
  }
  const auto engine = LoadEngine(options, err);
  if (!engine) return kExitFileOrEngine;
  return SweepEngine(options, *engine, out, err);
}
