// What the running engine shows: the events read off indicator cards (cut-off,
// release, compression at each end, % of stroke, at one or more notches) or
// the crank angles of its exhaust beats; the readings file's CSV with the
// event exhaustBeat added; and the figure a run of the gear gives for each.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "GearRun.h"
#include "Readings.h"
#include "ReadingsCsv.h"

enum class EvidenceEvent { cutOff, release, compression, exhaustBeat };

struct Evidence {
  double angleDeg = 0;  // the notch, lifting arm from mid-gear
  ReadingEnd end = ReadingEnd::front;
  EvidenceEvent event = EvidenceEvent::cutOff;
  double value = 0;      // % of stroke; for exhaustBeat crank degrees after that end's dead centre
  double plusMinus = 0;  // its precision: default 0.5 % of stroke, 2 degrees of crank
};

std::string_view EvidenceEventKey(EvidenceEvent event);

// The rows of the text (header angleDeg,end,event,value,unit,plusMinus as the
// readings file; unit empty, "%" or for exhaustBeat "deg"), or the first wrong
// one by line and column; never part of the rows.
std::variant<std::vector<Evidence>, ReadingsTextProblem> ParseEvidenceCsv(const std::string& text);

// The text of the rows, as ParseEvidenceCsv reads it back: numbers in full
// precision, the unit "%" for a card's event and "deg" for a beat.
std::string EvidenceCsvText(const std::vector<Evidence>& rows);

// The figure of a good run: the event's share of the stroke at that end, or
// the crank angle of that end's release (its exhaust beat) after that end's
// dead centre; empty where the run does not make the event.
std::optional<double> EvidenceFigure(const Engine& e, const GearRun& run, const Evidence& evidence);
