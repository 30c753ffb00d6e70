// What can refuse --save-as is checked before the search starts, so such a
// refusal costs nothing; the store then adds the proposal with one atomic
// rewrite while the name is still free under the file's lock (SaveAs.h),
// leaving every other record as it was.
#include "DesignCommand.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <thread>
#include <variant>

#include "Cp1252.h"
#include "DesignHelp.h"
#include "DesignOptions.h"
#include "DesignReport.h"
#include "DesignSearch.h"
#include "EngineConversion.h"
#include "LengthUnitSetting.h"
#include "SaveAs.h"
#include "TShed.h"

namespace {

constexpr const char* kProgram = "zovuderiz-design: ";

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

DesignInput MakeInput(const DesignOptions& options, const Engine& start) {
  DesignInput input;
  input.start = start;
  input.setAngleDeg = options.setAngleDeg;
  input.maxEvaluations = options.maxEvaluations;
  input.seed = options.seed;
  if (options.free.empty()) input.free = DefaultFreeSet(start);
  for (const FreeOption& f : options.free)
    input.free.push_back(f.lower ? FreeDimension{f.name, *f.lower, *f.upper} : DefaultBounds(start, f.name));
  input.notchesDeg =
      options.notchesDeg.empty() ? DefaultNotches(start, options.setAngleDeg, Cores()) : options.notchesDeg;
  return input;
}

int Design(const DesignOptions& options, Store& store, const EngineRecord& stored, std::ostream& out,
           std::ostream& err) {
  const DesignInput input = MakeInput(options, ToEngine(stored));
  if (input.notchesDeg.empty()) {
    err << kProgram << options.name
        << ": no working notches at the setting angle; give them with --notches\n";
    return kExitCannotAssemble;
  }
  const DesignResult result = SearchDesign(input, Cores());
  EngineRecord proposal = stored;
  ToRecord(result.proposal, proposal);
  const std::string name = options.saveAs ? SaveAsName(*options.saveAs) : RecordName(stored);
  SetRecordName(proposal, name.data(), name.size());
  // Without --unit, lengths carry the unit the data file was given.
  const LengthUnit unit = options.unit.value_or(ReadLengthUnit(options.dataFile));
  const DesignReportInput report{input, result, proposal, Cp1252ToUtf8(RecordName(stored)), unit};
  options.json ? WriteDesignJson(out, report) : WriteDesignText(out, report);
  if (result.status == DesignStatus::noFeasibleDesign) {
    err << kProgram << options.name << ": no feasible design"
        << (result.before.complete ? "" : ": the start design fails at a notch or misses a valve event")
        << '\n';
    return kExitCannotAssemble;
  }
  if (options.saveAs) {
    if (const auto refused = SaveProposal(store.shed, proposal, *options.saveAs, options.dataFile, err)) {
      err << kProgram << *refused << '\n';
      return kExitFileOrEngine;
    }
  }
  return kExitOk;
}

}  // namespace

int RunDesignCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto parsed = ParseDesignArgs(args);
  if (const auto* usage = std::get_if<UsageError>(&parsed)) {
    err << kProgram << usage->message << " (" << kDesignUsageText << ")\n";
    return kExitUsage;
  }
  const auto& options = std::get<DesignOptions>(parsed);
  if (options.help) {
    out << kDesignUsageText << "\n\n" << DesignHelpText() << '\n';
    return kExitOk;
  }
  // The store would create a missing file; a design run must not.
  if (!std::ifstream(options.dataFile, std::ios::binary)) {
    err << kProgram << "cannot read data file '" << options.dataFile << "': " << std::strerror(errno) << '\n';
    return kExitFileOrEngine;
  }
  Store store(options.dataFile);
  store.shed.ListEngines();
  const FoundRecord stored = store.shed.FindEngine(StoredName(options.name).c_str());
  if (!stored.record) {
    err << kProgram << stored.outcome.message << ": '" << options.name << "' in '" << options.dataFile
        << "'\n";
    return kExitFileOrEngine;
  }
  if (options.saveAs) {
    if (const auto refused = CheckSaveAs(store.shed, *options.saveAs, options.dataFile)) {
      err << kProgram << *refused << '\n';
      return kExitFileOrEngine;
    }
  }
  return Design(options, store, *stored.record, out, err);
}
