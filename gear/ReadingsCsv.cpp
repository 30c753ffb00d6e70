// Rows are split on commas (a quoted field may hold none, spreadsheets quote
// only to be safe); numbers are read in the program's own format, so a file
// reads the same in every locale.
#include "ReadingsCsv.h"

#include <cmath>

#include "CsvFields.h"
#include "NumberFormat.h"

namespace {

constexpr const char* kColumnNames[] = {"angleDeg", "end", "event", "value", "unit", "plusMinus"};
constexpr int kColumns = 6;

struct RowReader {
  int line;
  LengthUnit lengthUnit;
  std::optional<ReadingsTextProblem> problem;

  void Fail(int column, const std::string& message) {
    if (!problem) problem = ReadingsTextProblem{line, column, message};
  }
  std::optional<double> Number(const std::string& text, int column) {
    const auto value = ParseFloat(text);
    if (!value || !std::isfinite(*value)) Fail(column, "not a number: \"" + text + "\"");
    return value;
  }
  std::optional<ReadingUnit> Unit(const std::string& text, ReadingEvent event) {
    if (text.empty()) return DefaultReadingUnit(event);
    if (text == "%") {
      if (!IsLengthOnlyEvent(event)) return ReadingUnit::percent;
      Fail(5, std::string(ReadingEventKey(event)) + " is a length, not a share of the stroke");
      return std::nullopt;
    }
    if (text == ReadingUnitText(ReadingUnit::length, lengthUnit) || text == "length")
      return ReadingUnit::length;
    Fail(5, "the unit \"" + text + "\" is neither % nor the engine's length unit (" +
                ReadingUnitText(ReadingUnit::length, lengthUnit) + ")");
    return std::nullopt;
  }
  std::optional<Reading> Row(const std::vector<std::string>& f) {
    if (f.size() != kColumns) {
      Fail(0, "has " + std::to_string(f.size()) + " fields, not 6 (" + kReadingsHeader + ")");
      return std::nullopt;
    }
    Reading r;
    const auto angle = Number(f[0], 1);
    const auto end = ParseReadingEnd(f[1]);
    if (!end) Fail(2, "the end is neither front nor back: \"" + f[1] + "\"");
    const auto event = ParseReadingEvent(f[2]);
    if (!event)
      Fail(3, "the event is none of lead, maxOpening, cutOff, release, compression, admission: \"" + f[2] +
                  "\"");
    if (problem) return std::nullopt;
    if (!f[3].empty()) r.value = Number(f[3], 4);
    const auto unit = Unit(f[4], *event);
    if (problem) return std::nullopt;
    r.plusMinus = DefaultPlusMinus(*unit, lengthUnit);
    if (!f[5].empty()) {
      const auto pm = Number(f[5], 6);
      if (pm && !(*pm > 0)) Fail(6, "the precision must be above 0: \"" + f[5] + "\"");
      if (pm) r.plusMinus = *pm;
    }
    if (problem) return std::nullopt;
    r.angleDeg = *angle;
    r.end = *end;
    r.event = *event;
    r.unit = *unit;
    return r;
  }
};

bool IsHeader(const std::vector<std::string>& f) {
  if (f.size() != kColumns) return false;
  for (int i = 0; i < kColumns; ++i)
    if (f[i] != kColumnNames[i]) return false;
  return true;
}

}  // namespace

std::string ReadingsCsvText(const std::vector<Reading>& readings, LengthUnit lengthUnit) {
  std::string text = std::string(kReadingsHeader) + "\n";
  for (const Reading& r : readings) {
    text += FormatFaithful(r.angleDeg) + "," + std::string(ReadingEndKey(r.end)) + "," +
            std::string(ReadingEventKey(r.event)) + "," + (r.value ? FormatFaithful(*r.value) : "") + "," +
            ReadingUnitText(r.unit, lengthUnit) + "," + FormatFaithful(r.plusMinus) + "\n";
  }
  return text;
}

std::variant<std::vector<Reading>, ReadingsTextProblem> ParseReadingsCsv(const std::string& text,
                                                                         LengthUnit lengthUnit) {
  std::vector<Reading> readings;
  bool headerSeen = false;
  int line = 0;
  // A spreadsheet may begin its UTF-8 file with a byte-order mark.
  const std::size_t first = text.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
  for (std::size_t start = first; start < text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    const std::string row = text.substr(start, end - start);
    start = end + 1;
    ++line;
    const std::vector<std::string> fields = CsvFields(row);
    if (fields.size() == 1 && fields[0].empty()) continue;
    if (!headerSeen) {
      if (!IsHeader(fields))
        return ReadingsTextProblem{line, 0, std::string("the header is not ") + kReadingsHeader};
      headerSeen = true;
      continue;
    }
    if (readings.size() == kMostReadingRows)
      return ReadingsTextProblem{line, 0, "more than " + std::to_string(kMostReadingRows) + " readings"};
    RowReader reader{line, lengthUnit, std::nullopt};
    const auto reading = reader.Row(fields);
    if (!reading) return *reader.problem;
    readings.push_back(*reading);
  }
  if (!headerSeen) return ReadingsTextProblem{1, 0, std::string("no header ") + kReadingsHeader};
  return readings;
}

std::string ReadingsProblemText(const ReadingsTextProblem& p) {
  std::string where = "line " + std::to_string(p.line);
  if (p.column > 0) where += ", column " + std::to_string(p.column) + " (" + kColumnNames[p.column - 1] + ")";
  return where + ": " + p.message;
}
