// The keys are one table each, so the file, the JSON and the words agree; a
// figure is read off the run's results as the results window shows them.
#include "Readings.h"

#include <cmath>
#include <string>

namespace {

constexpr std::string_view kEndKeys[] = {"front", "back"};
constexpr std::string_view kEventKeys[] = {"lead",    "maxOpening",  "cutOff",
                                           "release", "compression", "admission"};

// The run's event for each reading event at each end (front, back).
constexpr ValveEvent kRunEvents[][2] = {{admissionFront, admissionBack},     {admissionFront, admissionBack},
                                        {cutOffFront, cutOffBack},           {exhaustFront, exhaustBack},
                                        {compressionFront, compressionBack}, {admissionFront, admissionBack}};

}  // namespace

std::string_view ReadingEndKey(ReadingEnd end) {
  return kEndKeys[static_cast<int>(end)];
}

std::string_view ReadingEventKey(ReadingEvent event) {
  return kEventKeys[static_cast<int>(event)];
}

std::optional<ReadingEnd> ParseReadingEnd(std::string_view key) {
  for (const ReadingEnd end : {ReadingEnd::front, ReadingEnd::back})
    if (key == ReadingEndKey(end)) return end;
  return std::nullopt;
}

std::optional<ReadingEvent> ParseReadingEvent(std::string_view key) {
  for (int i = 0; i < 6; ++i)
    if (key == kEventKeys[i]) return static_cast<ReadingEvent>(i);
  return std::nullopt;
}

std::string ReadingUnitText(ReadingUnit unit, LengthUnit lengthUnit) {
  if (unit == ReadingUnit::percent) return "%";
  return lengthUnit == LengthUnit::none ? "length" : std::string(LengthUnitKey(lengthUnit));
}

bool IsLengthOnlyEvent(ReadingEvent event) {
  return event == ReadingEvent::lead || event == ReadingEvent::maxOpening;
}

ReadingUnit DefaultReadingUnit(ReadingEvent event) {
  return IsLengthOnlyEvent(event) ? ReadingUnit::length : ReadingUnit::percent;
}

double DefaultPlusMinus(ReadingUnit unit, LengthUnit lengthUnit) {
  if (unit == ReadingUnit::percent) return 0.5;
  return lengthUnit == LengthUnit::mm ? 0.4 : 1.0 / 64;
}

bool SameRow(const Reading& a, const Reading& b) {
  return a.angleDeg == b.angleDeg && a.end == b.end && a.event == b.event && a.unit == b.unit;
}

std::optional<double> ReadingFigure(const Engine& e, const GearRun& run, ReadingEnd end, ReadingEvent event,
                                    ReadingUnit unit) {
  const RunResults& r = run.results;
  const bool front = end == ReadingEnd::front;
  if (event == ReadingEvent::lead) return front ? r.leadFront : r.leadBack;
  if (event == ReadingEvent::maxOpening) return front ? r.portOpenFront : r.portOpenBack;
  const ValveEvent runEvent = kRunEvents[static_cast<int>(event)][front ? 0 : 1];
  if (!r.eventFound[runEvent]) return std::nullopt;
  const double pct = r.eventPct[runEvent];
  return unit == ReadingUnit::percent ? pct : pct / 100 * 2 * std::fabs(e.mcrank);
}
