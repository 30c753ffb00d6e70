// The worn gear's verdict in zovuderiz-review's report: the words, the
// deciding check, and the joints ranked with the clearance at which the
// verdict changes; as text and as the JSON member "play".
#pragma once

#include <ostream>
#include <string>

#include "PlayVerdict.h"
#include "Quantity.h"

// The help's words on the verdict.
extern const char* const kPlayVerdictHelpText;

void WritePlayVerdictText(std::ostream& out, const PlayVerdict& verdict, LengthUnit unit);
// {"verdict": ..., "words": ..., "check": ..., "joints": [{"joint", "perUnit", "clearanceAtChange"}, ...]}
std::string PlayVerdictJson(const PlayVerdict& verdict);
