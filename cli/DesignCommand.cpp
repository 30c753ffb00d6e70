// What can refuse --save-as is checked before the search starts, so such a
// refusal costs nothing; the store then adds the proposal with one atomic
// rewrite while the name is still free under the file's lock (SaveAs.h),
// leaving every other record as it was.
#include "DesignCommand.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <thread>
#include <variant>

#include "Cp1252.h"
#include "DataFile.h"
#include "DesignFrontReport.h"
#include "DesignHelp.h"
#include "DesignOptions.h"
#include "DesignReport.h"
#include "DesignSearch.h"
#include "EngineConversion.h"
#include "MessageLine.h"
#include "QuadrantStudy.h"
#include "SaveAs.h"
#include "SweepReport.h"
#include "TShed.h"
#include "UnitSetting.h"

namespace {

constexpr const char* kProgram = "zovuderiz-design: ";

void Say(std::ostream& err, const std::string& message) {
  WriteMessageLine(err, kProgram, message);
}

std::string StoredName(const std::string& utf8) {
  return Utf8ToCp1252(utf8).value_or(utf8).substr(0, kEngineNameLimit);
}

struct Store {
  TShed shed;
  explicit Store(const std::string& file) : shed(file, nullptr) {}
};

// The search and its default notches use every core.
int Cores() {
  return static_cast<int>(std::thread::hardware_concurrency());
}

// The drawing grid of the unit, unless the command line gives the step or the tolerance.
DrawingGrid MakeGrid(const DesignOptions& options, LengthUnit unit) {
  DrawingGrid grid = DrawingGrid::ForUnit(unit);
  if (options.precision) grid.lengthStep = *options.precision;
  if (options.tolerance) grid.lengthTolerance = *options.tolerance;
  return grid;
}

DesignInput MakeInput(const DesignOptions& options, const Engine& start, LengthUnit unit) {
  DesignInput input;
  input.start = start;
  input.setting = {options.setAngleDeg, options.valveSetting};
  input.rules.side = options.side;
  input.rules.objective = options.objective;
  input.rules.cutOffShiftPct = options.cutOffShiftPct;
  input.rules.keepNotches = options.keepNotches;
  input.rules.midGearShiftDeg = options.midGearShiftDeg;
  input.rules.dieMarginPct = options.dieMarginPct;
  input.rules.workLimit = options.workLimit;
  input.rules.workLimitPct = options.workLimitPct;
  input.grid = MakeGrid(options, unit);
  input.maxEvaluations = options.maxEvaluations;
  input.seed = options.seed;
  if (options.free.empty()) input.free = DefaultFreeSet(start);
  for (const FreeOption& f : options.free)
    input.free.push_back(f.lower ? FreeDimension{f.name, *f.lower, *f.upper} : DefaultBounds(start, f.name));
  return input;
}

// The notches listed: as given, or the range's ends and every 5 degrees.
std::vector<double> ListedNotches(const DesignOptions& options, const UsableRange& range) {
  constexpr double kListStepDeg = 5;
  return options.notchesDeg.empty() ? NotchAngles(NotchPlan{true, 0, 0, kListStepDeg}, range)
                                    : options.notchesDeg;
}

// A listed notch's run: the measured one where the notch was measured.
std::vector<StudyRow> ListedRows(const DesignResult& result, const DesignFigures& figures,
                                 const Engine& engine, const std::vector<double>& listed) {
  Session session;
  session.Take(engine);
  std::vector<StudyRow> rows;
  for (const double angle : listed) {
    const auto at = std::find(result.notchesDeg.begin(), result.notchesDeg.end(), angle);
    rows.push_back(at != result.notchesDeg.end()
                       ? figures.notches[static_cast<std::size_t>(at - result.notchesDeg.begin())].row
                       : MakeStudyRow(angle, session.Evaluate(angle, figures.centring)));
  }
  return rows;
}

// Why the free set cannot be searched, said on `err`, as the exit status; none when it can.
std::optional<int> FreeSetProblem(const DesignOptions& options, const DesignInput& input, std::ostream& err) {
  for (const FreeDimension& d : input.free) {
    if (d.name == "rockerRatio" && input.start.rockerType == 0) {
      Say(err, "rockerRatio cannot be freed: the engine has no rocker");
      return kExitUsage;
    }
    if (const auto problem = BoundsProblem(input.start, d)) {
      // Bounds the program chose fail only where the engine's own value is unusable.
      const bool given = std::any_of(options.free.begin(), options.free.end(),
                                     [&](const FreeOption& f) { return f.name == d.name && f.lower; });
      Say(err,
          options.name + ": " +
              (given ? *problem : "its " + d.name + " is too near zero to be searched (" + *problem + ")"));
      return given ? kExitUsage : kExitCannotAssemble;
    }
  }
  return std::nullopt;
}

// The design of the front reported in full: the one picked, or the last when the front has fewer.
std::size_t Picked(const DesignOptions& options, const TradeOffFront& front, std::ostream& err) {
  const auto wanted = static_cast<std::size_t>(options.pick.value_or(1));
  if (wanted <= front.designs.size()) return wanted - 1;
  Say(err, "--pick " + std::to_string(wanted) + ": the front has " + std::to_string(front.designs.size()) +
               (front.designs.size() == 1 ? " design" : " designs") + "; design " +
               std::to_string(front.designs.size()) + " is reported in full");
  return front.designs.size() - 1;
}

// The report of `result` (with the front it was picked from), and the proposal saved when asked.
int Report(const DesignOptions& options, Store& store, const EngineRecord& stored, const DesignInput& input,
           const DesignResult& result, const TradeOffFront* front, std::size_t picked, LengthUnit unit,
           std::ostream& out, std::ostream& err) {
  EngineRecord proposal = stored;
  ToRecord(result.proposal, proposal);
  const std::string name = options.saveAs ? SaveAsName(*options.saveAs) : RecordName(stored);
  SetRecordName(proposal, name.data(), name.size());
  const std::vector<double> listed = ListedNotches(options, *result.range);
  const DesignReportInput report{input,
                                 result,
                                 proposal,
                                 Cp1252ToUtf8(RecordName(stored)),
                                 unit,
                                 listed,
                                 ListedRows(result, result.before, input.start, listed),
                                 ListedRows(result, result.after, result.proposal, listed),
                                 front,
                                 picked};
  if (front && !options.json) WriteFrontText(out, report);
  options.json ? WriteDesignJson(out, report) : WriteDesignText(out, report);
  if (options.saveAs) {
    if (const auto refused = SaveProposal(store.shed, proposal, *options.saveAs, options.dataFile, err)) {
      Say(err, *refused);
      return kExitFileOrEngine;
    }
  }
  return kExitOk;
}

int CannotStart(const DesignOptions& options, const EngineRecord& stored, const std::string& problem,
                LengthUnit unit, std::ostream& out, std::ostream& err) {
  Say(err, options.name + ": " + problem);
  if (options.json) WriteJsonFailure(out, RecordName(stored), problem, unit);
  return kExitCannotAssemble;
}

int Design(const DesignOptions& options, Store& store, const EngineRecord& stored, std::ostream& out,
           std::ostream& err) {
  const Engine start = ToEngine(stored);
  // Without --unit, lengths carry the unit the data file was given.
  const LengthUnit unit = LabelUnit(options.unit, options.dataFile, kProgram, err);
  const DesignInput input = MakeInput(options, start, unit);
  if (const auto status = FreeSetProblem(options, input, err)) return *status;
  if (!options.tradeOff) {
    const DesignResult result = SearchDesign(input, Cores());
    if (result.status == DesignStatus::cannotStart)
      return CannotStart(options, stored, result.problem, unit, out, err);
    return Report(options, store, stored, input, result, nullptr, 0, unit, out, err);
  }
  const TradeOffFront front = FindTradeOffFront(input, Cores());
  if (front.status == DesignStatus::cannotStart || front.designs.empty())
    return CannotStart(options, stored,
                       front.problem.empty() ? "no design of the front could be measured" : front.problem,
                       unit, out, err);
  const std::size_t picked = Picked(options, front, err);
  // The design is reported as the search that found it was asked.
  DesignInput searched = input;
  searched.rules.objective = front.designs[picked].objective;
  return Report(options, store, stored, searched, front.designs[picked].result, &front, picked, unit, out,
                err);
}

// The store would create a missing file and read a device without end; a
// design run reads only a regular data file of a sane size.
std::optional<std::string> DataFileProblem(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) {
    const int error = errno;
    return "Cannot read \"" + path + "\": " + std::strerror(error);
  }
  const FileResult kind = CheckDataFileKind(path, info);
  return kind.ok() ? std::nullopt : std::optional(kind.error);
}

}  // namespace

int RunDesignCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto parsed = ParseDesignArgs(args);
  if (const auto* usage = std::get_if<UsageError>(&parsed)) {
    Say(err, usage->message + " (" + kDesignUsageText + ")");
    return kExitUsage;
  }
  const auto& options = std::get<DesignOptions>(parsed);
  if (options.help) {
    out << kDesignUsageText << "\n\n" << DesignHelpText() << '\n';
    return kExitOk;
  }
  if (const auto problem = DataFileProblem(options.dataFile)) {
    Say(err, *problem);
    return kExitFileOrEngine;
  }
  Store store(options.dataFile);
  store.shed.ListEngines();
  if (!store.shed.ReadError().empty()) {
    Say(err, store.shed.ReadError());
    return kExitFileOrEngine;
  }
  const FoundRecord stored = store.shed.FindEngine(StoredName(options.name).c_str());
  if (!stored.record) {
    Say(err, stored.outcome.message + ": '" + options.name + "' in '" + options.dataFile + "'");
    return kExitFileOrEngine;
  }
  if (options.saveAs) {
    if (const auto refused = CheckSaveAs(store.shed, *options.saveAs, options.dataFile)) {
      Say(err, *refused);
      return kExitFileOrEngine;
    }
  }
  return Design(options, store, *stored.record, out, err);
}
