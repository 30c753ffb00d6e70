// A notch that fails is reported on standard error and the others still run,
// exactly as with listed angles; only a setting angle that does not assemble
// stops the study, since without it there is no centring to keep.
#include "RangeSweep.h"

#include <thread>

#include "RangeReport.h"
#include "StudyCsv.h"
#include "SweepCommand.h"
#include "SweepReport.h"

namespace {

constexpr const char* kProgram = "zovuderiz-sweep: ";

void WriteReport(const SweepOptions& options, LengthUnit unit, const Session& s, const StudyRow& setting,
                 const QuadrantStudy& study, std::ostream& out) {
  if (options.csv) {
    out << StudyCsvText(study.rows, unit);
  } else if (options.json) {
    std::vector<SweepRun> runs{SweepRunOf(setting)};
    runs.front().equalLeadsSet = true;
    for (const StudyRow& row : study.rows) runs.push_back(SweepRunOf(row));
    WriteJsonReport(out, s, runs, unit, JsonStudyMembers(study));
  } else {
    WriteRangeTable(out, s, setting, study, unit);
  }
}

// The crank-angle table of the last notch that ran, as "GO" there would write
// it; false (after saying why) when it cannot be written.
bool WriteLastTable(const SweepOptions& options, const Session& s, const QuadrantStudy& study,
                    std::ostream& err) {
  for (auto row = study.rows.rbegin(); row != study.rows.rend(); ++row) {
    if (!row->ok()) continue;
    const RunOutcome outcome = s.Evaluate(row->liftArmDeg, study.centring);
    return WriteTableOrSay(options.resultsFile, s.engine().name, *outcome.run, err);
  }
  return true;
}

}  // namespace

int SweepRange(const SweepOptions& options, LengthUnit unit, const Session& s, std::ostream& out,
               std::ostream& err) {
  const double settingDeg = *options.settingDeg;
  const QuadrantStudy study =
      RunQuadrantStudy(s, settingDeg, *options.range, static_cast<int>(std::thread::hardware_concurrency()));
  if (study.problem != StudyProblem::none) {
    err << kProgram << options.name << ": " << StudyProblemMessage(study) << '\n';
    return study.problem == StudyProblem::badNotches ? kExitUsage : kExitCannotAssemble;
  }
  const StudyRow setting = MakeStudyRow(settingDeg, s.Evaluate(settingDeg, std::nullopt));
  int status = kExitOk;
  for (const StudyRow& row : study.rows) {
    if (row.ok()) continue;
    err << kProgram << options.name << " at " << row.liftArmDeg << " deg.: " << FailureMessage(*row.failure)
        << '\n';
    status = kExitCannotAssemble;
  }
  WriteReport(options, unit, s, setting, study, out);
  return WriteLastTable(options, s, study, err) ? status : kExitFileOrEngine;
}
