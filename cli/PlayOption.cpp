// A band is [low, high] of a figure over the gear with no play, half the
// play and the play given; JSON writes it as a two-number array, null where
// the gear's own run lacks the figure.
#include "PlayOption.h"

#include <cmath>

#include "JsonText.h"
#include "NumberFormat.h"
#include "PlayFile.h"
#include "RangeReport.h"
#include "RunFigures.h"

const char* const kPlayHelpText =
    "--play FILE.csv|b=VALUE: the gear worn slack. FILE.csv has the header joint,clearance and one joint a\n"
    "row, its diametral clearance in the data file's length unit: strap1, strap2 (the eccentric straps of\n"
    "the upper and lower rods), rodPin1, rodPin2 (the rod pins at the link), die (the die block in the\n"
    "slot), liftLinkPin, liftArmPin (the lifting link's pins at the link and at the lifting arm),\n"
    "valveRodDie, valveRodEnd (the valve rod's pins at the die and at the spindle or the rocker),\n"
    "rockerShaft, rockerValvePin (with a rocker only). b=VALUE gives the total lost motion at the valve\n"
    "instead, as a fitter measures it (rock the wheel and read the spindle). Each joint's clearance\n"
    "reaches the valve by its lever at that crank angle (a strap or rod pin as a change of its rod's\n"
    "length, the lifting link's pins as a change of its length, the die and the valve rod's pins one for\n"
    "one times the rocker's ratio, the rocker's shaft as the rocker swung about its input pin: 1 + ratio\n"
    "for type B, |1 - ratio| for type A); their sum is the lost motion b. The valve's friction holds it "
    "until\n"
    "the gear has taken up its slack, so the valve lags the driven motion by up to b/2 either way: every\n"
    "lead and port opening falls by about b/2 and every event comes a little later, at both ends alike.\n"
    "Each band is [low, high] over the gear with no play, half the play and the play given.";

namespace {

std::string JsonBand(const FigureSpec& f, const StudyRow& row, const NotchBand& band) {
  const auto range = FigureBand(f, row, band);
  return range ? "[" + JsonNumber(range->first) + ", " + JsonNumber(range->second) + "]" : "null";
}

std::string JsonEndBands(const StudyRow& row, const NotchBand& band, CylinderEnd end) {
  std::string text;
  for (const FigureSpec& f : RunFigures()) {
    if (f.end != end || !f.resultsWindow) continue;
    text += (text.empty() ? "" : ", ") + JsonString(MeasureKey(f)) + ": " + JsonBand(f, row, band);
  }
  return text;
}

std::string BandText(const FigureSpec& f, const StudyRow& row, const NotchBand& band) {
  const auto range = FigureBand(f, row, band);
  return range ? FormatGeneral4(range->first) + ".." + FormatGeneral4(range->second) : "none";
}

std::string Cell(const std::string& text, std::size_t width) {
  return text.size() >= width ? text + " " : std::string(width - text.size(), ' ') + text;
}

}  // namespace

std::optional<PlayChoice> ParsePlayOption(const std::string& value) {
  if (value.empty()) return std::nullopt;
  if (value.rfind("b=", 0) != 0) return PlayChoice{value, std::nullopt};
  const auto total = ParseFloat(value.substr(2));
  if (!total || !(*total >= 0) || !std::isfinite(*total)) return std::nullopt;
  return PlayChoice{{}, total};
}

std::variant<GearPlay, std::string> LoadPlay(const PlayChoice& choice, const Engine& e) {
  GearPlay play;
  if (choice.total) {
    play.total = choice.total;
  } else {
    const PlayRead read = ReadPlayFile(choice.file);
    if (!read.ok()) return read.problem;
    play = read.play;
  }
  if (const std::string problem = PlayProblem(play, e); !problem.empty()) return "The play: " + problem + ".";
  return play;
}

std::string JsonBandMember(const StudyRow& row, const NotchBand& band) {
  if (!row.ok() || !band.ok) return "";
  return ",\n     \"band\": {\"back\": {" + JsonEndBands(row, band, CylinderEnd::back) +
         "},\n              " + "\"front\": {" + JsonEndBands(row, band, CylinderEnd::front) + "}}";
}

std::string JsonWorstWithPlay(const StudySummary& s) {
  return "\"worstWithPlay\": {" + JsonSummaryFigures(s) + "}";
}

void WritePlayText(std::ostream& out, const PlayStudy& bands, LengthUnit unit) {
  const char* keys[] = {"leadBack",   "leadFront",  "maxPortOpeningBack", "maxPortOpeningFront",
                        "cutOffBack", "cutOffFront"};
  constexpr std::size_t kWidth = 20;
  out << "\nBands with the play (no play .. the play given; half the play within):\n" << Cell("LiftArm", 9);
  for (const char* key : keys) {
    const FigureSpec& f = *FindFigure(key);
    out << Cell(WithLengthUnit(f.shortName, f.quantity, unit), kWidth);
  }
  out << '\n';
  for (std::size_t i = 0; i < bands.study.rows.size(); ++i) {
    const StudyRow& row = bands.study.rows[i];
    if (!row.ok()) continue;
    out << Cell(FormatGeneral4(row.liftArmDeg), 9);
    for (const char* key : keys) out << Cell(BandText(*FindFigure(key), row, bands.bands[i]), kWidth);
    out << '\n';
  }
  const StudySummary& s = bands.worstWithPlay;
  const auto figure = [](const std::optional<double>& v) {
    return v ? FormatGeneral4(*v) : std::string("none");
  };
  const std::string length = UnitSuffix(Quantity::length, unit);
  out << "\nWith the play, working notches: worst cut-off inequality |CoB - CoF| "
      << figure(s.worstInequality) << " % (down " << figure(s.worstInequalityDown) << ", up "
      << figure(s.worstInequalityUp) << ")"
      << "\n  leads from " << figure(s.leadMin) << length << " to " << figure(s.leadMax) << length
      << "; smallest max. port opening " << figure(s.smallestPortOpening) << length
      << "; worst work imbalance " << figure(s.worstWorkImbalancePct) << " %\n";
}
