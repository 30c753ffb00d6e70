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

void WriteNotchLine(std::ostream& out, double notch, const DesignFigures& before, const DesignFigures& after,
                    std::size_t i) {
  out << Padded(FormatGeneral4(notch), 8);
  for (const DesignFigures* f : {&before, &after}) {
    const bool ok = i < f->notches.size() && f->notches[i].ok();
    const RunResults& r = ok ? f->notches[i].results : RunResults{};
    out << Padded(Pair(ok, r.eventPct[cutOffBack], r.eventPct[cutOffFront]), 20)
        << Padded(Pair(ok, r.leadBack, r.leadFront), 20)
        << Padded(Pair(ok, r.portOpenBack, r.portOpenFront), 20);
  }
  out << '\n';
}

void WriteChangedDimensions(std::ostream& out, const DesignReportInput& report) {
  out << "\nChanged dimensions:\n";
  bool any = false;
  for (const FreeDimension& d : report.input.free) {
    const auto field = FindDesignDimension(d.name)->field;
    const double from = report.input.start.*field, to = report.result.proposal.*field;
    if (from == to) continue;
    any = true;
    out << "  " << Padded(d.name, 12) << Padded(FormatGeneral4(from) + " -> " + FormatGeneral4(to), 22)
        << "(bounds " << FormatGeneral4(d.lower) << " .. " << FormatGeneral4(d.upper) << ")\n";
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

void WriteJsonProposal(std::ostream& out, const EngineRecord& r) {
  out << "  \"proposal\": {\"name\": " << JsonString(Cp1252ToUtf8(RecordName(r)));
  const std::pair<const char*, double> numbers[] = {{"conrod", r.conrod},
                                                    {"mcrank", r.mcrank},
                                                    {"eccrod", r.eccrod},
                                                    {"eccrad", r.eccrad},
                                                    {"angadv", r.angadv},
                                                    {"pintoslot", r.pintoslot},
                                                    {"ctoweighh", r.ctoweighh},
                                                    {"ctoweighv", r.ctoweighv},
                                                    {"larad", r.larad},
                                                    {"reserved", r.reserved},
                                                    {"liftlink", r.liftlink},
                                                    {"linkpins", r.linkpins},
                                                    {"circdisp", r.circdisp},
                                                    {"raddisp", r.raddisp},
                                                    {"stlap", r.stlap},
                                                    {"exlap", r.exlap},
                                                    {"port", r.port}};
  for (const auto& [key, value] : numbers) out << ", \"" << key << "\": " << JsonNumber(value);
  out << ", \"valveType\": " << r.valveType << ", \"rockerType\": " << r.rockerType
      << ", \"rockerRatio\": " << JsonNumber(r.rockerRatio) << "}\n";
}

}  // namespace

void WriteDesignText(std::ostream& out, const DesignReportInput& report) {
  const DesignResult& r = report.result;
  out << "Engine: " << report.engineName << "\nValves set at " << FormatGeneral4(report.input.setAngleDeg)
      << " deg.; status: " << StatusText(r.status) << " after " << r.evaluations << " evaluations in "
      << FormatGeneral4(r.seconds) << " s\n";
  out << "Worst cut-off inequality (% of stroke): before " << Inequality(r.before) << ", after "
      << Inequality(r.after) << "\n\n";
  out << Padded("", 8) << Padded("Before", 60) << "After\n" << Padded("Notch", 8);
  for (int i = 0; i < 2; ++i)
    out << Padded("Cut-off back/front", 20) << Padded("Lead back/front", 20) << Padded("Port back/front", 20);
  out << '\n';
  for (std::size_t i = 0; i < report.input.notchesDeg.size(); ++i)
    WriteNotchLine(out, report.input.notchesDeg[i], r.before, r.after, i);
  WriteChangedDimensions(out, report);
}

void WriteDesignJson(std::ostream& out, const DesignReportInput& report) {
  const DesignResult& r = report.result;
  out << "{\n  \"engine\": " << JsonString(report.engineName)
      << ",\n  \"status\": " << JsonString(StatusText(r.status)) << ",\n  \"evaluations\": " << r.evaluations
      << ",\n  \"seconds\": " << JsonNumber(r.seconds)
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
