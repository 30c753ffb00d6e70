// A fitter's readings of one side of one engine, as written down at the
// engine: the lifting-arm angle, the end, the event, the value and its
// precision; and the figure a run gives for each.
#pragma once

#include <optional>
#include <string_view>

#include "Engine.h"
#include "GearRun.h"
#include "Quantity.h"

enum class ReadingEnd { front, back };
// lead and maxOpening are lengths; the other four are read as a share of the
// stroke or as the crosshead's distance from its dead centre at that end.
enum class ReadingEvent { lead, maxOpening, cutOff, release, compression, admission };
// What the value is in: the engine's length unit or % of stroke.
enum class ReadingUnit { length, percent };

struct Reading {
  double angleDeg = 0;  // lifting arm from mid-gear, positive downwards (forward gear)
  ReadingEnd end = ReadingEnd::front;
  ReadingEvent event = ReadingEvent::lead;
  ReadingUnit unit = ReadingUnit::length;
  std::optional<double> value;  // empty: not yet read (a blank sheet's row)
  double plusMinus = 0;         // the reading's precision, in its unit, above 0
};

// "front", "back"; "lead", "maxOpening", "cutOff", "release", "compression",
// "admission": the words of the readings file and of the JSON.
std::string_view ReadingEndKey(ReadingEnd end);
std::string_view ReadingEventKey(ReadingEvent event);
std::optional<ReadingEnd> ParseReadingEnd(std::string_view key);
std::optional<ReadingEvent> ParseReadingEvent(std::string_view key);
// "%" for a share of the stroke, else the length unit's symbol ("in", "mm",
// "length" for a file of no unit).
std::string ReadingUnitText(ReadingUnit unit, LengthUnit lengthUnit);

// True for lead and maxOpening, which can only be lengths.
bool IsLengthOnlyEvent(ReadingEvent event);
// The unit an event is read in when the file does not say.
ReadingUnit DefaultReadingUnit(ReadingEvent event);
// The usual precision: 1/64 in (also for no unit) or 0.4 mm of length, 0.5 % of stroke.
double DefaultPlusMinus(ReadingUnit unit, LengthUnit lengthUnit);

// Same angle, end, event and unit: the same row of a record sheet.
bool SameRow(const Reading& a, const Reading& b);

// The figure of the reading on a good run of the engine (the value is not
// read): the lead or largest port opening of that end, or the event's share
// of the stroke from that end's dead centre, or that distance as a length.
// Empty where the run does not make the event.
std::optional<double> ReadingFigure(const Engine& e, const GearRun& run, ReadingEnd end, ReadingEvent event,
                                    ReadingUnit unit);
inline std::optional<double> ReadingFigure(const Engine& e, const GearRun& run, const Reading& r) {
  return ReadingFigure(e, run, r.end, r.event, r.unit);
}
