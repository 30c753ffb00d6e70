// A notch that fails is reported on standard error and the others still run,
// exactly as with listed angles; only a setting angle at which the valve
// cannot be set stops the study, since without it there is no centring to keep.
#include "RangeSweep.h"

#include <sstream>
#include <thread>

#include "Cp1252.h"
#include "MessageLine.h"
#include "PlayOption.h"
#include "PlayStudyCsv.h"
#include "RangeReport.h"
#include "StudyCsv.h"
#include "SweepCommand.h"
#include "SweepReport.h"

namespace {

constexpr const char* kProgram = "zovuderiz-sweep: ";

SweepRun RunWithIndicator(const StudyRow& row) {
  SweepRun run = SweepRunOf(row);
  if (row.ok()) run.indicator = row.indicator;
  return run;
}

// With the play each notch's run carries its bands, and the summary its
// worst figures with the play.
void WriteReport(const SweepOptions& options, LengthUnit unit, const Session& s, const StudyRow& setting,
                 const PlayStudy& played, std::ostream& out) {
  const QuadrantStudy& study = played.study;
  const bool withPlay = options.play.has_value();
  if (options.csv) {
    const std::string name = Cp1252ToUtf8(s.engine().name);
    out << (withPlay ? PlayStudyCsvText(played, name, unit) : StudyCsvText(study, name, unit));
  } else if (options.json) {
    std::vector<SweepRun> runs{RunWithIndicator(setting)};
    runs.front().equalLeadsSet =
        options.valveSetting.value_or(ValveSetting::equalLeads) == ValveSetting::equalLeads;
    for (std::size_t i = 0; i < study.rows.size(); ++i) {
      runs.push_back(RunWithIndicator(study.rows[i]));
      if (withPlay) runs.back().moreMembers = JsonBandMember(study.rows[i], played.bands[i]);
    }
    WriteJsonReport(out, s, runs, unit,
                    JsonStudyMembers(study, withPlay ? JsonWorstWithPlay(played.worstWithPlay) : ""));
  } else {
    WriteRangeTable(out, s, setting, study, unit);
    if (withPlay) WritePlayText(out, played, unit);
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

// A study that could not run: its one line, and with --json the object with
// the engine and the error, as for a gear that fails in mid-gear.
int SayProblem(const SweepOptions& options, LengthUnit unit, const Session& s, const QuadrantStudy& study,
               std::ostream& out, std::ostream& err) {
  const std::string message = StudyProblemMessage(study);
  WriteMessageLine(err, kProgram, options.name + ": " + message);
  if (study.problem == StudyProblem::badNotches) return kExitUsage;
  if (options.json) WriteJsonFailure(out, s.engine().name, message, unit);
  return kExitCannotAssemble;
}

}  // namespace

int SweepRange(const SweepOptions& options, LengthUnit unit, const Session& s, std::ostream& out,
               std::ostream& err) {
  const double settingDeg = *options.settingDeg;
  const StudyOptions choices{options.valveSetting.value_or(ValveSetting::equalLeads),
                             options.indicator.value_or(IndicatorParams{})};
  const int threads = static_cast<int>(std::thread::hardware_concurrency());
  PlayStudy played;
  if (options.play) {
    const auto play = LoadPlay(*options.play, s.engine());
    if (const auto* problem = std::get_if<std::string>(&play)) {
      WriteMessageLine(err, kProgram, *problem);
      return kExitFileOrEngine;
    }
    played = RunPlayStudy(s, settingDeg, *options.range, std::get<GearPlay>(play), threads, nullptr, choices);
  } else {
    played.study = RunQuadrantStudy(s, settingDeg, *options.range, threads, nullptr, choices);
  }
  const QuadrantStudy& study = played.study;
  if (study.problem != StudyProblem::none) return SayProblem(options, unit, s, study, out, err);
  const StudyRow setting = MakeStudyRow(settingDeg, SettingRun(s, study), choices.indicator);
  int status = kExitOk;
  for (const StudyRow& row : study.rows) {
    if (row.ok()) continue;
    std::ostringstream line;
    line << options.name << " at " << row.liftArmDeg << " deg.: " << FailureMessage(*row.failure);
    WriteMessageLine(err, kProgram, line.str());
    status = kExitCannotAssemble;
  }
  WriteReport(options, unit, s, setting, played, out);
  return WriteLastTable(options, s, study, err) ? status : kExitFileOrEngine;
}
