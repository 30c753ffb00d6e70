// Rows are split on commas as the readings file's; the three events of a card
// are read as the readings file reads them, the beat as the crank's travel
// from the dead centre at which that end's stroke starts to its release,
// interpolated between the 2-degree steps.
#include "RunningEvidence.h"

#include <cmath>
#include <sstream>

#include "CsvFields.h"
#include "GearSolver.h"
#include "NumberFormat.h"

namespace {

constexpr double kCardPlusMinusPct = 0.5;
constexpr double kBeatPlusMinusDeg = 2;

std::optional<EvidenceEvent> ParseEvent(const std::string& key) {
  for (const EvidenceEvent e : {EvidenceEvent::cutOff, EvidenceEvent::release, EvidenceEvent::compression,
                                EvidenceEvent::exhaustBeat})
    if (key == EvidenceEventKey(e)) return e;
  return std::nullopt;
}

std::variant<Evidence, ReadingsTextProblem> Row(const std::vector<std::string>& f, int line) {
  const auto fail = [line](int column, const std::string& message) {
    return ReadingsTextProblem{line, column, message};
  };
  if (f.size() != 6)
    return fail(0, "has " + std::to_string(f.size()) + " fields, not 6 (" + kReadingsHeader + ")");
  Evidence e;
  const auto angle = ParseFloat(f[0]);
  if (!angle || !std::isfinite(*angle)) return fail(1, "not a number: \"" + f[0] + "\"");
  const auto end = ParseReadingEnd(f[1]);
  if (!end) return fail(2, "the end is neither front nor back: \"" + f[1] + "\"");
  const auto event = ParseEvent(f[2]);
  if (!event)
    return fail(3, "the event is none of cutOff, release, compression, exhaustBeat: \"" + f[2] + "\"");
  const auto value = ParseFloat(f[3]);
  if (!value || !std::isfinite(*value)) return fail(4, "not a number: \"" + f[3] + "\"");
  const bool beat = *event == EvidenceEvent::exhaustBeat;
  if (!f[4].empty() && f[4] != (beat ? "deg" : "%"))
    return fail(
        5, std::string("the unit of ") + f[2] + " is " + (beat ? "deg" : "%") + ", not \"" + f[4] + "\"");
  e.plusMinus = beat ? kBeatPlusMinusDeg : kCardPlusMinusPct;
  if (!f[5].empty()) {
    const auto pm = ParseFloat(f[5]);
    if (!pm || !(*pm > 0) || !std::isfinite(*pm))
      return fail(6, "the precision must be a number above 0: \"" + f[5] + "\"");
    e.plusMinus = *pm;
  }
  e.angleDeg = *angle;
  e.end = *end;
  e.event = *event;
  e.value = *value;
  return e;
}

// The crank step (fractional) at which the exhaust opens at that end: the
// valve's first strict crossing of the exhaust lap there, as the events are found.
std::optional<double> ReleaseStep(const Engine& e, const GearRun& run, ReadingEnd end) {
  const int v = e.valveType == 1 ? 1 : -1;
  const bool front = end == ReadingEnd::front;
  const double level = v * (front ? -1 : 1) * e.exlap;
  const bool rising = (v == 1) != front;
  const double* valve = run.valveTable;
  for (int i = 0; i < kSteps; ++i) {
    const bool crosses =
        rising ? valve[i] < level && level < valve[i + 1] : valve[i] > level && level > valve[i + 1];
    if (crosses) return i + (level - valve[i]) / (valve[i + 1] - valve[i]);
  }
  return std::nullopt;
}

}  // namespace

std::string_view EvidenceEventKey(EvidenceEvent event) {
  switch (event) {
    case EvidenceEvent::cutOff:
      return "cutOff";
    case EvidenceEvent::release:
      return "release";
    case EvidenceEvent::compression:
      return "compression";
    case EvidenceEvent::exhaustBeat:
      return "exhaustBeat";
  }
  return "";
}

std::variant<std::vector<Evidence>, ReadingsTextProblem> ParseEvidenceCsv(const std::string& text) {
  std::istringstream in(text);
  std::vector<Evidence> rows;
  bool header = false;
  int line = 0;
  for (std::string row; std::getline(in, row);) {
    ++line;
    if (TrimmedCsvField(row).empty()) continue;
    if (!header) {
      if (TrimmedCsvField(row) != kReadingsHeader)
        return ReadingsTextProblem{line, 0, std::string("the header must be ") + kReadingsHeader};
      header = true;
      continue;
    }
    if (static_cast<int>(rows.size()) == kMostReadingRows)
      return ReadingsTextProblem{line, 0, "more than " + std::to_string(kMostReadingRows) + " rows"};
    auto parsed = Row(CsvFields(row), line);
    if (auto* problem = std::get_if<ReadingsTextProblem>(&parsed)) return *problem;
    rows.push_back(std::get<Evidence>(parsed));
  }
  if (!header)
    return ReadingsTextProblem{1, 0, std::string("the file is empty; it must start with ") + kReadingsHeader};
  return rows;
}

std::string EvidenceCsvText(const std::vector<Evidence>& rows) {
  std::string text = std::string(kReadingsHeader) + "\n";
  for (const Evidence& e : rows)
    text += FormatFaithful(e.angleDeg) + "," + std::string(ReadingEndKey(e.end)) + "," +
            std::string(EvidenceEventKey(e.event)) + "," + FormatFaithful(e.value) + "," +
            (e.event == EvidenceEvent::exhaustBeat ? "deg" : "%") + "," + FormatFaithful(e.plusMinus) + "\n";
  return text;
}

std::optional<double> EvidenceFigure(const Engine& e, const GearRun& run, const Evidence& evidence) {
  switch (evidence.event) {
    case EvidenceEvent::cutOff:
      return ReadingFigure(e, run, evidence.end, ReadingEvent::cutOff, ReadingUnit::percent);
    case EvidenceEvent::release:
      return ReadingFigure(e, run, evidence.end, ReadingEvent::release, ReadingUnit::percent);
    case EvidenceEvent::compression:
      return ReadingFigure(e, run, evidence.end, ReadingEvent::compression, ReadingUnit::percent);
    case EvidenceEvent::exhaustBeat:
      break;
  }
  const auto step = ReleaseStep(e, run, evidence.end);
  if (!step) return std::nullopt;
  // The back end's stroke starts where its lead is read, the front's half a turn on.
  const int backStep = CrankSign(e) == -1 ? 0 : 90;
  const int startStep = evidence.end == ReadingEnd::back ? backStep : 90 - backStep;
  return std::fmod(2 * (*step - startStep) + 720, 360);
}
