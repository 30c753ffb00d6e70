// The evidence file is read whole before anything is computed (a regular file
// of at most 1 MiB, as the readings file), its rows checked by line and column.
#include "EvidenceCommand.h"

#include "BoundedTextFile.h"
#include "JsonText.h"
#include "MessageLine.h"
#include "NumberFormat.h"
#include "ReadingsFile.h"
#include "SettingModel.h"
#include "SweepCommand.h"
#include "SweepReport.h"

const char* const kEvidenceHelpText =
    "--evidence FILE.csv: what the running engine says is wrong. The file is a readings file (header\n"
    "angleDeg,end,event,value,unit,plusMinus) of the events read off indicator cards, cutOff, release and\n"
    "compression at each end in % of stroke (default precision 0.5), at one or more notches, or of the\n"
    "exhaust beats, event exhaustBeat, the crank angle in degrees after that end's dead centre at which\n"
    "its exhaust opens (default precision 2). Each cause is fitted alone to the evidence: the valve off on\n"
    "its spindle, the upper or lower eccentric rod long or short, an eccentric slipped, play in the gear\n"
    "(the total lost motion at the valve, at least 0); they are ranked by the share of the evidence's\n"
    "departure from the design each explains. Wear is symmetric (both ends' events later alike); a\n"
    "mis-set valve or rod antisymmetric (one end's earlier, the other's later). Where two causes fit\n"
    "within two sigma of each other the report says so and names the reading that would tell them apart.";

namespace {

constexpr const char* kProgram = "zovuderiz-setting: ";

std::string Percent(double share) {
  return FormatGeneral4(100 * share) + " %";
}

}  // namespace

void WriteDiagnosisJson(std::ostream& out, const std::string& engineName, LengthUnit unit,
                        const RunningDiagnosis& d) {
  out << "{\n  \"engine\": " << JsonString(engineName) << ",\n" << JsonUnitMember(unit) << "  \"causes\": [";
  for (std::size_t i = 0; i < d.causes.size(); ++i) {
    const CauseFit& c = d.causes[i];
    out << (i == 0 ? "\n" : ",\n") << "    {\"cause\": " << JsonString(std::string(CauseKey(c.cause)))
        << ", \"size\": " << JsonNumber(c.size) << ", \"unit\": " << JsonString(CauseUnit(c.cause, unit))
        << ", \"explains\": " << JsonNumber(c.explains) << ", \"words\": " << JsonString(c.words) << "}";
  }
  out << "\n  ],\n  \"together\": {";
  for (int j = 0; j < kDeviationCount; ++j)
    out << JsonString(std::string(DeviationKey(j))) << ": " << JsonNumber(d.together.deviations[j]) << ", ";
  out << "\"play\": " << JsonNumber(d.together.play) << "},\n  \"undecided\": [";
  for (std::size_t i = 0; i < d.undecided.size(); ++i)
    out << (i == 0 ? "\n    " : ",\n    ") << JsonString(d.undecided[i]);
  out << (d.undecided.empty() ? "]" : "\n  ]") << "\n}\n";
}

void WriteDiagnosisText(std::ostream& out, const std::string& engineName, LengthUnit,
                        const RunningDiagnosis& d) {
  out << "Engine: " << engineName << "\nWhat the running engine says, each cause alone (best first):\n";
  for (std::size_t i = 0; i < d.causes.size(); ++i)
    out << "  " << i + 1 << ". " << d.causes[i].words << ": explains " << Percent(d.causes[i].explains)
        << '\n';
  for (const std::string& sentence : d.undecided) out << sentence << '\n';
  out << "All fitted together (each held near zero by its plausible size; the spindle and both rods together "
         "are nearly one):";
  for (int j = 0; j < kDeviationCount; ++j)
    out << ' ' << DeviationKey(j) << ' ' << FormatGeneral4(d.together.deviations[j]);
  out << " play " << FormatGeneral4(d.together.play) << '\n';
}

int RunEvidence(const EvidenceRequest& q, std::ostream& out, std::ostream& err) {
  const BoundedText read = ReadBoundedText(q.evidenceFile, kMostReadingsFileBytes);
  if (!read.ok()) {
    WriteMessageLine(err, kProgram, "The evidence file \"" + q.evidenceFile + "\" " + read.problem + ".");
    return kExitFileOrEngine;
  }
  const auto parsed = ParseEvidenceCsv(read.text);
  if (const auto* problem = std::get_if<ReadingsTextProblem>(&parsed)) {
    WriteMessageLine(err, kProgram,
                     "The evidence file \"" + q.evidenceFile + "\" has a bad row, " +
                         ReadingsProblemText(*problem) + "; nothing was read.");
    return kExitFileOrEngine;
  }
  const DesignOutcome design = PrepareDesign(q.engine, q.unit, q.settingDeg, q.valveSetting, q.threads);
  if (!design.design) {
    WriteMessageLine(err, kProgram, q.engineName + ": " + design.problem);
    return kExitCannotAssemble;
  }
  const RunningDiagnosis diagnosis = DiagnoseRunning(*design.design, std::get<std::vector<Evidence>>(parsed));
  if (!diagnosis.ok()) {
    WriteMessageLine(err, kProgram, q.engineName + ": " + diagnosis.problem);
    return diagnosis.problem.find("usable range") != std::string::npos ? kExitFileOrEngine
                                                                       : kExitCannotAssemble;
  }
  q.json ? WriteDiagnosisJson(out, q.engineName, q.unit, diagnosis)
         : WriteDiagnosisText(out, q.engineName, q.unit, diagnosis);
  return kExitOk;
}
