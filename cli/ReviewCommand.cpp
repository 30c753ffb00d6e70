// The engine is found as zovuderiz-design finds it (a regular data file of a
// sane size, the name in Windows-1252); the review, its sensitivities and its
// fixes then run on every core, and the report is written once all are done.
#include "ReviewCommand.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <thread>
#include <variant>

#include "Cp1252.h"
#include "DataFile.h"
#include "EngineConversion.h"
#include "MessageLine.h"
#include "PlayOption.h"
#include "PlayVerdictReport.h"
#include "ReviewOptions.h"
#include "ReviewReport.h"
#include "SweepCommand.h"
#include "SweepReport.h"
#include "TShed.h"
#include "UnitSetting.h"

namespace {

constexpr const char* kProgram = "zovuderiz-review: ";

constexpr const char* kHelpText =
    "Reviews the valve gear of the engine NAME with its valves set at --set ANGLE (for equal leads, or\n"
    "with --valve-setting cutoff for equal back and front cut-off): every figure is taken every 0.5 deg.\n"
    "over the usable range, and each check is judged good, fair or poor by a rule relative to the\n"
    "engine's own port width, stroke or pin distance. The sensitivities are central differences on the\n"
    "exact sweep with a step of a thousandth of each dimension (of a quarter of the pin distance, a\n"
    "degree or a tenth for a dimension near zero), over the notches both changes keep where one loses\n"
    "a notch of the usable range; how far each end of the range moves (deg. per unit, positive\n"
    "downwards) is given too. For each check not good the one or two most influential dimensions\n"
    "are searched (within 15 % of the dimension) for the change that makes it good, and the changed\n"
    "engine is reviewed afresh. Exit status: 0 reviewed, 2 usage, 3 data file or engine, 4 cannot be\n"
    "reviewed.";

void Say(std::ostream& err, const std::string& message) {
  WriteMessageLine(err, kProgram, message);
}

int Cores() {
  return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

std::optional<std::string> DataFileProblem(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) {
    const int error = errno;
    return "Cannot read \"" + path + "\": " + std::strerror(error);
  }
  const FileResult kind = CheckDataFileKind(path, info);
  return kind.ok() ? std::nullopt : std::optional(kind.error);
}

int Review(const ReviewOptions& options, const EngineRecord& stored, std::ostream& out, std::ostream& err) {
  const LengthUnit unit = LabelUnit(options.unit, options.dataFile, kProgram, err);
  std::optional<GearPlay> play;
  if (options.play) {
    auto loaded = LoadPlay(*options.play, ToEngine(stored));
    if (const auto* problem = std::get_if<std::string>(&loaded)) {
      Say(err, *problem);
      return kExitFileOrEngine;
    }
    play = std::get<GearPlay>(loaded);
  }
  const GearReview review =
      ReviewGear(ToEngine(stored), ReviewSetting{options.setAngleDeg, options.valveSetting}, Cores());
  if (!review.reviewed()) {
    Say(err, options.name + ": " + review.problem);
    if (options.json) WriteJsonFailure(out, RecordName(stored), review.problem, unit);
    return kExitCannotAssemble;
  }
  const SensitivityTable table = ComputeSensitivities(review, Cores());
  const std::vector<ReviewFix> fixes = FindFixes(review, table, Cores());
  const std::optional<PlayVerdict> verdict =
      play ? std::optional(JudgePlay(review, *play, unit, Cores())) : std::nullopt;
  const ReviewReport report{Cp1252ToUtf8(RecordName(stored)), review, table, fixes, unit,
                            verdict ? &*verdict : nullptr};
  options.json ? WriteReviewJson(out, report) : WriteReviewText(out, report);
  return kExitOk;
}

}  // namespace

int RunReviewCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto parsed = ParseReviewArgs(args);
  if (const auto* usage = std::get_if<UsageError>(&parsed)) {
    Say(err, usage->message + " (" + kReviewUsageText + ")");
    return kExitUsage;
  }
  const auto& options = std::get<ReviewOptions>(parsed);
  if (options.help) {
    out << kReviewUsageText << "\n\n"
        << kHelpText << "\n\n"
        << kPlayHelpText << "\n"
        << kPlayVerdictHelpText << '\n';
    return kExitOk;
  }
  if (const auto problem = DataFileProblem(options.dataFile)) {
    Say(err, *problem);
    return kExitFileOrEngine;
  }
  TShed shed(options.dataFile, nullptr);
  shed.ListEngines();
  if (!shed.ReadError().empty()) {
    Say(err, shed.ReadError());
    return kExitFileOrEngine;
  }
  const std::string stored = Utf8ToCp1252(options.name).value_or(options.name).substr(0, kEngineNameLimit);
  const FoundRecord found = shed.FindEngine(stored.c_str());
  if (!found.record) {
    Say(err, found.outcome.message + ": '" + options.name + "' in '" + options.dataFile + "'");
    return kExitFileOrEngine;
  }
  return Review(options, *found.record, out, err);
}
