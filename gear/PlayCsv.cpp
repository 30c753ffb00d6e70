// Numbers are read in the program's own format (decimal point), so a play
// file reads the same in every locale.
#include "PlayCsv.h"

#include <array>
#include <cmath>
#include <optional>
#include <sstream>
#include <vector>

#include "CsvFields.h"
#include "NumberFormat.h"

namespace {

std::string JointKeys() {
  std::string keys;
  for (const PlayJointSpec& joint : PlayJoints()) keys += (keys.empty() ? "" : ", ") + std::string(joint.key);
  return keys;
}

// One row into the play; the problem when it is wrong.
std::optional<PlayTextProblem> TakeRow(const std::vector<std::string>& f, int line, GearPlay& play,
                                       std::array<bool, kPlayJoints>& seen) {
  if (f.size() != 2)
    return PlayTextProblem{line, 0,
                           "has " + std::to_string(f.size()) + " fields, not 2 (" + kPlayHeader + ")"};
  const auto joint = ParsePlayJoint(f[0]);
  if (!joint) return PlayTextProblem{line, 1, "no joint is called \"" + f[0] + "\" (" + JointKeys() + ")"};
  if (seen[*joint]) return PlayTextProblem{line, 1, "the joint " + f[0] + " is given twice"};
  const auto value = ParseFloat(f[1]);
  if (!value || !std::isfinite(*value)) return PlayTextProblem{line, 2, "not a number: \"" + f[1] + "\""};
  if (*value < 0) return PlayTextProblem{line, 2, "a clearance cannot be below 0: \"" + f[1] + "\""};
  seen[*joint] = true;
  play.clearance[*joint] = *value;
  return std::nullopt;
}

}  // namespace

std::variant<GearPlay, PlayTextProblem> ParsePlayCsv(const std::string& text) {
  std::istringstream in(text);
  GearPlay play;
  std::array<bool, kPlayJoints> seen{};
  bool header = false;
  int line = 0;
  for (std::string row; std::getline(in, row);) {
    ++line;
    if (TrimmedCsvField(row).empty()) continue;
    const std::vector<std::string> fields = CsvFields(row);
    if (!header) {
      if (fields != std::vector<std::string>{"joint", "clearance"})
        return PlayTextProblem{line, 0, std::string("the header must be ") + kPlayHeader};
      header = true;
      continue;
    }
    if (const auto problem = TakeRow(fields, line, play, seen)) return *problem;
  }
  if (!header)
    return PlayTextProblem{1, 0, std::string("the file is empty; it must start with ") + kPlayHeader};
  return play;
}

std::string PlayProblemText(const PlayTextProblem& problem) {
  std::string text = "line " + std::to_string(problem.line);
  if (problem.column > 0) text += ", column " + std::to_string(problem.column);
  return text + ": " + problem.message;
}
