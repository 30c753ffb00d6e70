// Text for a reader at a terminal, JSON for scripts. The text lists the three
// most influential dimensions of each figure; the JSON carries every
// dimension's sensitivity, per unit and per 1 % (with the notches it was taken
// over where a change loses one), or {"lost": true} where it has none, and
// how the usable range's ends move.
#include "ReviewReport.h"

#include <iomanip>

#include "Angles.h"
#include "EngineSchema.h"
#include "JsonText.h"
#include "MidGear.h"
#include "NumberFormat.h"
#include "PlayVerdictReport.h"
#include "ReviewRangeEndsReport.h"
#include "SweepReport.h"

namespace {

constexpr std::size_t kTextRanked = 3;

std::string Figure(const std::optional<double>& value) {
  return value ? FormatGeneral4(*value) : "none";
}

// MidGearText's trailing blank, which the box it was made for pads with.
std::string Trimmed(const std::string& text) {
  return text.substr(0, text.find_last_not_of(' ') + 1);
}

std::string Signed(double value) {
  return (value > 0 ? "+" : "") + FormatGeneral4(value);
}

std::string JsonFigure(const std::optional<double>& value) {
  return value ? JsonNumber(*value) : "null";
}

std::string DimensionValue(std::size_t dimension, double value, LengthUnit unit) {
  return FormatGeneral4(value) + UnitSuffix(EngineDimensions()[dimension].quantity, unit);
}

void WriteChecksText(std::ostream& out, const GearReview& review) {
  out << "\nChecks (verdict, figure, rule good / fair)\n";
  for (std::size_t c = 0; c < kChecks; ++c) {
    const CheckSpec& check = ReviewChecks()[c];
    const auto verdict = review.VerdictOf(c);
    out << "  " << std::left << std::setw(5) << (verdict ? VerdictKey(*verdict) : "-") << ' ' << check.title
        << ": " << Figure(review.figures[c]) << ' ' << check.unit << " (" << RuleText(check.rule) << ")\n";
  }
  out << "\nWhy the rules matter\n";
  for (const CheckSpec& check : ReviewChecks()) out << "  " << check.title << ": " << check.why << '\n';
}

void WriteSensitivityText(std::ostream& out, const ReviewReport& r) {
  out << "\nMost influential dimensions (change of the figure for 1 % of the dimension)\n";
  for (std::size_t c = 0; c < kChecks; ++c) {
    if (!ReviewChecks()[c].sensitive || !r.review.figures[c]) continue;
    out << "  " << ReviewChecks()[c].title << ':';
    const auto ranked = RankedDimensions(r.sensitivity, c, r.review.engine);
    for (std::size_t k = 0; k < ranked.size() && k < kTextRanked; ++k) {
      const DimensionSensitivity& d = r.sensitivity.dimensions[ranked[k]];
      const auto per = d.figures[c]->perPercent;
      out << (k ? "; " : " ") << EngineDimensions()[d.dimension].caption << ' '
          << (per ? Signed(*per) : "(zero, per unit " + Signed(d.figures[c]->perUnit) + ")");
    }
    out << '\n';
  }
  for (const DimensionSensitivity& d : r.sensitivity.dimensions) {
    if (!d.lost) continue;
    out << "  " << EngineDimensions()[d.dimension].caption
        << ": a change of it loses a notch of the usable range";
    if (d.kept)
      out << "; its figures are taken over the notches both changes keep, " << FormatGeneral4(d.kept->loDeg)
          << " to " << FormatGeneral4(d.kept->hiDeg) << " deg.";
    out << '\n';
  }
}

void WriteFixesText(std::ostream& out, const ReviewReport& r) {
  out << "\nSuggested fixes\n";
  if (r.fixes.empty()) out << "  none: every check is good, or no dimension moves the ones that are not\n";
  for (const ReviewFix& fix : r.fixes) {
    const CheckSpec& check = ReviewChecks()[fix.check];
    out << "  " << check.title << ": " << EngineDimensions()[fix.dimension].caption << ' '
        << FormatGeneral4(fix.from) << " -> " << DimensionValue(fix.dimension, fix.to, r.unit);
    if (!fix.after.reviewed()) {
      out << ": the changed engine cannot be reviewed: " << fix.after.problem << '\n';
      continue;
    }
    const auto verdict = fix.after.VerdictOf(fix.check);
    out << " gives " << Figure(fix.after.figures[fix.check]) << ' ' << check.unit << ", "
        << (verdict ? VerdictKey(*verdict) : "-") << (fix.reachesGood() ? "" : " (the nearest within 15 %)");
    if (fix.breaksAnother()) out << "; BREAKS";
    for (const std::size_t c : fix.worsened)
      out << ' ' << ReviewChecks()[c].key << " -> "
          << VerdictKey(fix.after.VerdictOf(c).value_or(Verdict::poor));
    if (!fix.improved.empty()) out << "; improves";
    for (const std::size_t c : fix.improved) out << ' ' << ReviewChecks()[c].key;
    out << '\n';
  }
}

void WriteChecksJson(std::ostream& out, const GearReview& review) {
  out << "\"checks\": [";
  for (std::size_t c = 0; c < kChecks; ++c) {
    const CheckSpec& s = ReviewChecks()[c];
    const auto verdict = review.VerdictOf(c);
    const bool band = s.rule.sense == CheckSense::band;
    const auto limit = [&](double lo, double hi) {
      return band ? "[" + JsonNumber(lo) + ", " + JsonNumber(hi) + "]" : JsonNumber(lo);
    };
    out << (c ? ", " : "") << "{\"key\": " << JsonString(s.key) << ", \"title\": " << JsonString(s.title)
        << ", \"value\": " << JsonFigure(review.figures[c]) << ", \"unit\": " << JsonString(s.unit)
        << ", \"better\": "
        << JsonString(s.rule.sense == CheckSense::lower    ? "lower"
                      : s.rule.sense == CheckSense::higher ? "higher"
                                                           : "within")
        << ", \"good\": " << limit(s.rule.good, s.rule.goodHi)
        << ", \"fair\": " << limit(s.rule.fair, s.rule.fairHi)
        << ", \"verdict\": " << (verdict ? JsonString(VerdictKey(*verdict)) : "null")
        << ", \"why\": " << JsonString(s.why) << '}';
  }
  out << ']';
}

void WriteSensitivityJson(std::ostream& out, const SensitivityTable& table) {
  out << "\"sensitivity\": {";
  bool firstFigure = true;
  for (std::size_t c = 0; c < kChecks; ++c) {
    if (!ReviewChecks()[c].sensitive) continue;
    out << (firstFigure ? "" : ", ") << JsonString(ReviewChecks()[c].key) << ": {";
    firstFigure = false;
    bool first = true;
    for (const DimensionSensitivity& d : table.dimensions) {
      const bool none = d.lost && !d.kept;
      if (!d.used || (!none && !d.figures[c])) continue;
      out << (first ? "" : ", ") << JsonString(EngineDimensions()[d.dimension].key) << ": ";
      first = false;
      if (none) {
        out << "{\"lost\": true}";
        continue;
      }
      const auto& s = *d.figures[c];
      out << "{\"perUnit\": " << JsonNumber(s.perUnit) << ", \"perPercent\": " << JsonFigure(s.perPercent);
      if (d.kept)
        out << ", \"notchesKeptDeg\": [" << JsonNumber(d.kept->loDeg) << ", " << JsonNumber(d.kept->hiDeg)
            << ']';
      out << '}';
    }
    out << '}';
  }
  out << '}';
}

void WriteFixesJson(std::ostream& out, const std::vector<ReviewFix>& fixes) {
  out << "\"fixes\": [";
  for (std::size_t i = 0; i < fixes.size(); ++i) {
    const ReviewFix& f = fixes[i];
    const auto verdict = f.after.VerdictOf(f.check);
    out << (i ? ", " : "") << "{\"check\": " << JsonString(ReviewChecks()[f.check].key)
        << ", \"dimension\": " << JsonString(EngineDimensions()[f.dimension].key)
        << ", \"from\": " << JsonNumber(f.from) << ", \"to\": " << JsonNumber(f.to)
        << ", \"valueAfter\": " << JsonFigure(f.after.figures[f.check])
        << ", \"verdictAfter\": " << (verdict ? JsonString(VerdictKey(*verdict)) : "null")
        << ", \"reachesGood\": " << (f.reachesGood() ? "true" : "false")
        << ", \"breaksAnother\": " << (f.breaksAnother() ? "true" : "false");
    if (!f.after.reviewed()) out << ", \"error\": " << JsonString(f.after.problem);
    out << ", \"worsened\": [";
    for (std::size_t k = 0; k < f.worsened.size(); ++k)
      out << (k ? ", " : "") << JsonString(ReviewChecks()[f.worsened[k]].key);
    out << "], \"effects\": {";
    bool first = true;
    for (std::size_t c = 0; c < kChecks; ++c) {
      if (c == f.check) continue;
      out << (first ? "" : ", ") << JsonString(ReviewChecks()[c].key) << ": "
          << JsonFigure(f.after.figures[c]);
      first = false;
    }
    out << "}}";
  }
  out << ']';
}

}  // namespace

std::string RuleText(const CheckRule& rule) {
  switch (rule.sense) {
    case CheckSense::lower:
      return "<= " + FormatGeneral4(rule.good) + " / <= " + FormatGeneral4(rule.fair);
    case CheckSense::higher:
      return ">= " + FormatGeneral4(rule.good) + " / >= " + FormatGeneral4(rule.fair);
    case CheckSense::band:
      return FormatGeneral4(rule.good) + " to " + FormatGeneral4(rule.goodHi) + " / " +
             FormatGeneral4(rule.fair) + " to " + FormatGeneral4(rule.fairHi);
  }
  return "";
}

void WriteReviewText(std::ostream& out, const ReviewReport& r) {
  const GearReview& review = r.review;
  out << "Engine: " << r.engineName << "\nValves set for "
      << (review.setting.valve == ValveSetting::equalLeads ? "equal leads" : "equal cut-offs") << " at "
      << FormatGeneral4(review.setting.angleDeg) << " deg.; usable range "
      << FormatGeneral4(review.range.loDeg) << " to " << FormatGeneral4(review.range.hiDeg)
      << " deg. (mid-gear" << Trimmed(MidGearText(DegreesToRadians(review.sweep.midGearDeg)))
      << "), figures every " << FormatGeneral4(kReviewStepDeg) << " deg.\n";
  WriteChecksText(out, review);
  WriteSensitivityText(out, r);
  WriteRangeEndsText(out, r.sensitivity, r.unit);
  WriteFixesText(out, r);
  if (r.play) WritePlayVerdictText(out, *r.play, r.unit);
}

void WriteReviewJson(std::ostream& out, const ReviewReport& r) {
  out << "{\"engine\": " << JsonString(r.engineName);
  if (r.unit != LengthUnit::none)
    out << ", \"lengthUnit\": " << JsonString(std::string(LengthUnitKey(r.unit)));
  out << ", \"setAngleDeg\": " << JsonNumber(r.review.setting.angleDeg)
      << ", \"valveSetting\": " << JsonString(std::string(ValveSettingKey(r.review.setting.valve)))
      << ", \"usableRangeDeg\": [" << JsonNumber(r.review.range.loDeg) << ", "
      << JsonNumber(r.review.range.hiDeg) << "], \"midGearDeg\": " << JsonNumber(r.review.sweep.midGearDeg)
      << ", \"sensitivityStep\": " << JsonNumber(kSensitivityStep) << ", ";
  WriteChecksJson(out, r.review);
  out << ", ";
  WriteSensitivityJson(out, r.sensitivity);
  WriteRangeEndsJson(out, r.sensitivity);
  out << ", ";
  WriteFixesJson(out, r.fixes);
  if (r.play) out << ", \"play\": " << PlayVerdictJson(*r.play);
  out << "}\n";
}
