// perUnit is the deciding check's figure per unit of clearance, in the
// check's own unit per length unit; the text says which check and unit.
#include "PlayVerdictReport.h"

#include "JsonText.h"
#include "NumberFormat.h"

const char* const kPlayVerdictHelpText =
    "With --play the review's notches are run again with the play and every check judged afresh against\n"
    "the gear's own: accept when no check loses a grade, watch when one loses a grade but none becomes\n"
    "poor, rebush when one becomes poor. The deciding check is the one that loses most (with accept, the\n"
    "first to lose a grade as the play grows); the joints are ranked by its change per unit of clearance,\n"
    "each with the clearance (the others as given) at which the verdict changes: for rebush the clearance\n"
    "to bush it to, otherwise the clearance it may reach. New running fits for pins of about 1 1/2 in are\n"
    "0.002 to 0.006 in diametral (eccentric straps looser); the words name the pins worn past them.";

namespace {

std::string Optional(const std::optional<double>& value) {
  return value ? JsonNumber(*value) : "null";
}

}  // namespace

void WritePlayVerdictText(std::ostream& out, const PlayVerdict& v, LengthUnit unit) {
  if (!v.problem.empty()) {
    out << "\nWith the play: no verdict. " << v.problem << '\n';
    return;
  }
  const CheckSpec& deciding = ReviewChecks()[v.check];
  const std::string u = UnitSuffix(Quantity::length, unit);
  out << "\nWith the play: " << PlayVerdictKey(v.verdict) << "\n  " << v.words
      << "\n\n  Joints by their effect on the " << deciding.title << " (" << deciding.unit
      << " per unit of clearance):\n";
  for (const JointEffect& j : v.joints) {
    out << "    " << j.joint << " (" << j.words << "): " << FormatGeneral4(j.clearance) << u << ", "
        << FormatGeneral4(j.perUnit) << " per unit; the verdict changes at "
        << (j.clearanceAtChange ? FormatGeneral4(*j.clearanceAtChange) + u
                                : std::string("no clearance in reach"))
        << '\n';
  }
}

std::string PlayVerdictJson(const PlayVerdict& v) {
  if (!v.problem.empty())
    return "{\"verdict\": null, \"words\": " + JsonString(v.problem) + ", \"joints\": []}";
  std::string text = "{\"verdict\": " + JsonString(PlayVerdictKey(v.verdict)) +
                     ", \"words\": " + JsonString(v.words) +
                     ", \"check\": " + JsonString(ReviewChecks()[v.check].key) +
                     ", \"ownFigure\": " + Optional(v.ownFigure) +
                     ", \"wornFigure\": " + Optional(v.wornFigure) + ", \"joints\": [";
  for (std::size_t i = 0; i < v.joints.size(); ++i) {
    const JointEffect& j = v.joints[i];
    text += std::string(i == 0 ? "" : ", ") + "{\"joint\": " + JsonString(j.joint) +
            ", \"clearance\": " + JsonNumber(j.clearance) + ", \"perUnit\": " + JsonNumber(j.perUnit) +
            ", \"clearanceAtChange\": " + Optional(j.clearanceAtChange) + "}";
  }
  return text + "]}";
}
