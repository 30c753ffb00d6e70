// Text figures are in the program's 4-significant-digit format; JSON numbers at
// full precision, an inequality that cannot be measured is null. The runs of
// each design begin with the one at the setting angle, as the sweep's do.
#include "DesignReport.h"

#include <algorithm>
#include <vector>

#include "Cp1252.h"
#include "JsonText.h"
#include "NumberFormat.h"
#include "RangeReport.h"
#include "RecordFields.h"
#include "RunFigures.h"
#include "SweepReport.h"

namespace {

std::string Padded(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

std::string Inequality(const DesignFigures& f) {
  return f.complete ? FormatGeneral4(f.worstInequality) : "none (the design fails)";
}

std::string Pair(bool ok, double back, double front) {
  return ok ? FormatGeneral4(back) + " / " + FormatGeneral4(front) : "fails";
}

// A column of the notch table: a figure of both ends, the back one named.
struct NotchColumn {
  const char* title;
  const char* backKey;
};

constexpr NotchColumn kNotchColumns[] = {{"Cut-off back/front", "cutOffBack"},
                                         {"Lead back/front", "leadBack"},
                                         {"Port back/front", "maxPortOpeningBack"}};
constexpr std::size_t kNotchWidth = 8, kLeastColumn = 20;

std::string Title(const NotchColumn& column, LengthUnit unit) {
  return WithLengthUnit(column.title, FindFigure(column.backKey)->quantity, unit);
}

// Wide enough for every title and a gap of two.
std::size_t ColumnWidth(LengthUnit unit) {
  std::size_t width = kLeastColumn;
  for (const NotchColumn& column : kNotchColumns) width = std::max(width, Title(column, unit).size() + 2);
  return width;
}

// An event the valve never makes reads 0 here, as the run's results hold it.
double Held(const FigureSpec& figure, const RunResults& r) {
  return figure.Of(r).value_or(0);
}

void WriteNotchLine(std::ostream& out, std::size_t width, double notch, const DesignFigures& before,
                    const DesignFigures& after, std::size_t i) {
  out << Padded(FormatGeneral4(notch), kNotchWidth);
  for (const DesignFigures* f : {&before, &after}) {
    const bool ok = i < f->notches.size() && f->notches[i].ok();
    const RunResults& r = ok ? f->notches[i].results : RunResults{};
    for (const NotchColumn& column : kNotchColumns) {
      const FigureSpec& back = *FindFigure(column.backKey);
      out << Padded(Pair(ok, Held(back, r), Held(OtherEnd(back), r)), width);
    }
  }
  out << '\n';
}

void WriteNotchTable(std::ostream& out, const DesignReportInput& report) {
  const std::size_t width = ColumnWidth(report.unit);
  out << Padded("", kNotchWidth) << Padded("Before", std::size(kNotchColumns) * width) << "After\n"
      << Padded("Notch", kNotchWidth);
  for (int i = 0; i < 2; ++i)
    for (const NotchColumn& column : kNotchColumns) out << Padded(Title(column, report.unit), width);
  out << '\n';
  for (std::size_t i = 0; i < report.input.notchesDeg.size(); ++i)
    WriteNotchLine(out, width, report.input.notchesDeg[i], report.result.before, report.result.after, i);
}

void WriteChangedDimensions(std::ostream& out, const DesignReportInput& report) {
  out << "\nChanged dimensions:\n";
  bool any = false;
  for (const FreeDimension& d : report.input.free) {
    const DimensionSpec& dimension = *FindDimension(d.name);
    const double from = report.input.start.*dimension.field, to = report.result.proposal.*dimension.field;
    if (from == to) continue;
    any = true;
    const std::string unit = LengthSuffix(dimension.quantity, report.unit);
    out << "  " << Padded(d.name, 12) << Padded(FormatGeneral4(from) + " -> " + FormatGeneral4(to) + unit, 22)
        << "(bounds " << FormatGeneral4(d.lower) << " .. " << FormatGeneral4(d.upper) << unit << ")\n";
  }
  if (!any) out << "  none\n";
}

// The measuring stops at the first run that fails, which is the last listed.
std::vector<SweepRun> SweepRuns(const DesignFigures& f) {
  std::vector<SweepRun> runs{SweepRunOf(f.setting)};
  runs.front().equalLeadsSet = f.setting.ok();
  for (const StudyRow& row : f.notches) runs.push_back(SweepRunOf(row));
  return runs;
}

void WriteJsonFigures(std::ostream& out, const char* key, const DesignFigures& f) {
  out << "  \"" << key
      << "\": {\"worstCutOffInequality\": " << (f.complete ? JsonNumber(f.worstInequality) : "null")
      << ", \"runs\": [\n";
  const auto runs = SweepRuns(f);
  for (std::size_t i = 0; i < runs.size(); ++i) {
    WriteJsonRun(out, runs[i]);
    out << (i + 1 < runs.size() ? ",\n" : "\n");
  }
  out << "  ]},\n";
}

// Every field of the record, by its name in the data file's description.
void WriteJsonProposal(std::ostream& out, const EngineRecord& r) {
  out << "  \"proposal\": {\"name\": " << JsonString(Cp1252ToUtf8(RecordName(r)));
  for (const RecordField& f : RecordFields())
    out << ", " << JsonString(f.key) << ": "
        << (f.number ? JsonNumber(r.*f.number) : std::to_string(r.*f.whole));
  out << "}\n";
}

}  // namespace

void WriteDesignText(std::ostream& out, const DesignReportInput& report) {
  const DesignResult& r = report.result;
  out << "Engine: " << report.engineName << "\nValves set at " << FormatGeneral4(report.input.setAngleDeg)
      << " deg.; status: " << StatusText(r.status) << " after " << r.evaluations << " evaluations in "
      << FormatGeneral4(r.seconds) << " s\n";
  out << "Worst cut-off inequality (% of stroke): before " << Inequality(r.before) << ", after "
      << Inequality(r.after) << "\n\n";
  WriteNotchTable(out, report);
  WriteChangedDimensions(out, report);
}

void WriteDesignJson(std::ostream& out, const DesignReportInput& report) {
  const DesignResult& r = report.result;
  out << "{\n  \"engine\": " << JsonString(report.engineName) << ",\n"
      << JsonUnitMember(report.unit) << "  \"status\": " << JsonString(StatusText(r.status))
      << ",\n  \"evaluations\": " << r.evaluations << ",\n  \"seconds\": " << JsonNumber(r.seconds)
      << ",\n  \"setAngleDeg\": " << JsonNumber(report.input.setAngleDeg) << ",\n  \"notchesDeg\": [";
  for (std::size_t i = 0; i < report.input.notchesDeg.size(); ++i)
    out << (i ? ", " : "") << JsonNumber(report.input.notchesDeg[i]);
  out << "],\n  \"free\": {";
  for (std::size_t i = 0; i < report.input.free.size(); ++i) {
    const FreeDimension& d = report.input.free[i];
    out << (i ? ", " : "") << JsonString(d.name) << ": [" << JsonNumber(d.lower) << ", "
        << JsonNumber(d.upper) << ']';
  }
  out << "},\n";
  WriteJsonFigures(out, "before", r.before);
  WriteJsonFigures(out, "after", r.after);
  WriteJsonProposal(out, report.proposal);
  out << "}\n";
}
