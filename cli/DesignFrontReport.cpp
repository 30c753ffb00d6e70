// Dimensions are named by their record field, in the fewest digits that read
// back exactly, a bound that stopped the search marked with *; the work
// imbalance reads as the design report's does, with the end that does more.
#include "DesignFrontReport.h"

#include <algorithm>

#include "DesignLimitsReport.h"
#include "EngineConversion.h"
#include "JsonText.h"
#include "NumberFormat.h"

namespace {

constexpr std::size_t kNumberWidth = 8, kCutOffWidth = 24, kWorkWidth = 28;

std::string Changes(const DesignInput& input, const DesignResult& result) {
  std::string text;
  for (const FreeDimension& d : input.free) {
    const auto field = FindDesignDimension(d.name)->field;
    const double from = input.start.*field, to = result.proposal.*field;
    if (from == to) continue;
    const bool onBound =
        std::find(result.atBound.begin(), result.atBound.end(), d.name) != result.atBound.end();
    text += (text.empty() ? "" : ", ") + d.name + " " + FormatFaithful(from) + " -> " + FormatFaithful(to) +
            (onBound ? "*" : "");
  }
  return text.empty() ? "none (the start)" : text;
}

void Line(std::ostream& out, const std::string& number, const std::optional<double>& cutOff,
          const std::optional<double>& work, const std::string& changes) {
  out << Padded(number, kNumberWidth) << Padded(cutOff ? FormatGeneral4(*cutOff) : "none", kCutOffWidth)
      << Padded(SignedWork(work), kWorkWidth) << changes << '\n';
}

std::string Heading(const TradeOffFront& front, const DesignInput& input) {
  return "Trade-off between cut-off equality and work balance: " + std::to_string(front.designs.size()) +
         (front.designs.size() == 1 ? " design" : " designs") + " from " + std::to_string(front.searches) +
         " searches of at most " + std::to_string(input.maxEvaluations) + " evaluations each (" +
         std::to_string(front.evaluations) + " evaluations in " + FormatGeneral4(front.seconds) + " s)\n";
}

}  // namespace

void WriteFrontText(std::ostream& out, const DesignReportInput& report) {
  const TradeOffFront& front = *report.front;
  out << Heading(front, report.input);
  if (front.agreed)
    out << "The work search and the cut-off search agree: one design is best at both counts.\n";
  if (front.status == DesignStatus::noBetterDesign) out << "No design better than the start was found.\n";
  if (front.status == DesignStatus::cancelled) out << "Cancelled: the designs of the searches finished.\n";
  out << Padded("", kNumberWidth) << Padded("Cut-off inequality (%)", kCutOffWidth)
      << Padded("Work imbalance (%)", kWorkWidth) << "Changed dimensions (* at a bound)\n";
  Line(out, "start", front.startCutOffInequality, front.startWorkImbalancePct, "");
  for (std::size_t i = 0; i < front.designs.size(); ++i) {
    const FrontDesign& d = front.designs[i];
    Line(out, std::to_string(i + 1), d.cutOffInequality, d.workImbalancePct, Changes(report.input, d.result));
  }
  out << "\nDesign " << report.picked + 1 << " in full:\n\n";
}

void WriteFrontJson(std::ostream& out, const DesignReportInput& report) {
  const TradeOffFront& front = *report.front;
  out << "  \"pick\": " << report.picked + 1 << ",\n  \"frontAgreed\": " << (front.agreed ? "true" : "false")
      << ",\n  \"front\": [";
  EngineRecord record = report.proposal;
  const std::string name = RecordName(report.proposal);
  for (std::size_t i = 0; i < front.designs.size(); ++i) {
    const FrontDesign& d = front.designs[i];
    ToRecord(d.result.proposal, record);
    SetRecordName(record, name.data(), name.size());
    out << (i ? ",\n" : "\n") << "    {\"worstCutOffInequality\": " << JsonNumber(d.cutOffInequality)
        << ", \"worstWorkImbalancePct\": " << JsonNumber(d.workImbalancePct)
        << ", \"proposal\": " << ProposalJson(record) << "}";
  }
  out << "\n  ],\n";
}
