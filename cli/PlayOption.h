// The worn gear's play on the command line (--play FILE.csv or b=VALUE) for
// zovuderiz-sweep and zovuderiz-review, and its report: each notch's bands
// and the summary's worst figures with the play, as text and JSON.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <variant>

#include "GearPlay.h"
#include "PlayBands.h"
#include "Quantity.h"

// A play file, or the total lost motion at the valve given as "b=VALUE".
struct PlayChoice {
  std::string file;
  std::optional<double> total;
};

// Empty when the value is empty or "b=" is followed by no number of at least 0.
std::optional<PlayChoice> ParsePlayOption(const std::string& value);

// The play for the engine, or the sentence why there is none (the file's
// problem, or a joint the engine does not have).
std::variant<GearPlay, std::string> LoadPlay(const PlayChoice& choice, const Engine& e);

// ", \"band\": {\"back\": {\"lead\": [low, high], ...}, \"front\": {...}}" for a notch's run.
std::string JsonBandMember(const StudyRow& row, const NotchBand& band);
// The summary's keys (worstCutOffInequality, ...) with the play.
std::string JsonWorstWithPlay(const StudySummary& worst);

// The bands of each notch (leads, cut-offs, port openings of both ends) and
// the summary with the play, below the study's own table.
void WritePlayText(std::ostream& out, const PlayStudy& bands, LengthUnit unit);

// The words of the help: the joints' keys and the dead band's direction.
extern const char* const kPlayHelpText;
