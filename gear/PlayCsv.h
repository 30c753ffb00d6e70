// The play file's text: CSV with the header "joint,clearance", one joint a
// row (its key from PlayJoints, its diametral clearance in the engine's
// length unit), as a spreadsheet reads and writes it.
#pragma once

#include <string>
#include <variant>

#include "GearPlay.h"

inline constexpr const char* kPlayHeader = "joint,clearance";

// Where a play text is wrong: its line and column (both from 1; column 0 for
// the row as a whole) and what is wrong there.
struct PlayTextProblem {
  int line = 0, column = 0;
  std::string message;
};

// The play of every row, or the first wrong row; never part of the rows.
// Blank lines are skipped; fields may be quoted; each joint at most once;
// a joint not listed has no clearance.
std::variant<GearPlay, PlayTextProblem> ParsePlayCsv(const std::string& text);

// "line 3, column 2: ..." for the user.
std::string PlayProblemText(const PlayTextProblem& problem);
