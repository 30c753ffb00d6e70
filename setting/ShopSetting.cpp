// The steps run in the fitter's order; the first that cannot go on says why
// and nothing after it is computed.
#include "ShopSetting.h"

#include "NumberFormat.h"

namespace {

std::string RangeText(const UsableRange& r) {
  return FormatFaithful(r.loDeg) + " to " + FormatFaithful(r.hiDeg) + " deg.";
}

std::string OutsideRange(const SettingDesign& design, const std::vector<Reading>& readings) {
  for (const Reading& r : readings)
    if (r.value && (r.angleDeg < design.usable.loDeg || r.angleDeg > design.usable.hiDeg))
      return "the reading " + ReadingName(r) + " lies outside the usable range, " + RangeText(design.usable) +
             "; take it inside the range";
  return {};
}

ShopSetting Fail(ShopSetting s, ShopProblem kind, const std::string& why) {
  s.kind = kind;
  s.problem = why;
  return s;
}

// Counts a stage done; true when the work is to stop.
bool StageDone(const ShopSettingRequest& request) {
  if (request.control == nullptr) return false;
  ++request.control->done;
  return request.control->cancelled();
}

}  // namespace

ShopSetting PrepareShopSetting(const ShopSettingRequest& request) {
  ShopSetting s;
  DesignOutcome d =
      PrepareDesign(request.engine, request.unit, request.settingDeg, request.valveSetting, request.threads);
  if (!d.design) return Fail(s, ShopProblem::engine, d.problem);
  s.design = d.design;
  s.recommended = RecommendedReadings(*s.design);
  return s;
}

ShopSetting RunShopSetting(const ShopSettingRequest& request) {
  if (request.control != nullptr) request.control->total = 3;
  ShopSetting s = PrepareShopSetting(request);
  if (!s.ok()) return s;
  if (StageDone(request)) return Fail(s, ShopProblem::cancelled, "cancelled");
  const SettingDesign& design = *s.design;
  if (const std::string why = OutsideRange(design, request.readings); !why.empty())
    return Fail(s, ShopProblem::readings, why);
  s.fit = FitDeviations(design, request.readings);
  if (!s.fit.ok())
    return Fail(s,
                s.fit.readings.empty() && s.fit.problem == "no reading has a value" ? ShopProblem::readings
                                                                                    : ShopProblem::fit,
                s.fit.problem);
  if (StageDone(request)) return Fail(s, ShopProblem::cancelled, "cancelled");
  for (const InseparableCombination& c : s.fit.inseparable)
    s.inseparable.push_back(InseparableWords(design, c));
  if (!s.fit.inseparable.empty()) s.readingsToAdd = MissingReadings(s.recommended, request.readings);
  CorrectionRequest c;
  c.allowed = request.allowed;
  c.target = request.target;
  c.lengthStep = request.lengthStep.value_or(DefaultStep(rod1Index, request.unit));
  c.angleStep = request.angleStep.value_or(DefaultStep(advance1Index, request.unit));
  c.rows = s.recommended;
  for (const Reading& r : request.readings) {
    bool present = false;
    for (const Reading& row : c.rows) present = present || SameRow(row, r);
    if (r.value && !present) c.rows.push_back(r);
  }
  for (Reading& r : c.rows) r.value.reset();
  s.corrections = FindCorrections(design, s.fit, c, request.threads);
  if (!s.corrections.ok()) return Fail(s, ShopProblem::fit, s.corrections.problem);
  s.order = OrderOfWork(design, s.corrections.options.front());
  StageDone(request);
  return s;
}
