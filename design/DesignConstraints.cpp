// The start's figures at each notch are kept once as its reference; a design
// is compared with them notch by notch. The search's margins are taken from
// the start's own slack where that is smaller, so the start always meets them.
#include "DesignConstraints.h"

#include <algorithm>
#include <cmath>

#include "NumberFormat.h"

namespace {

constexpr double kDieMargin = 0.002;        // of the link between the pins
constexpr double kMadeDieShare = 0.004;     // of the pin-to-pin arc
constexpr double kLeadMargin = 0.002;       // of the port
constexpr double kCutOffMarginPct = 0.15;   // points of the stroke
constexpr double kPortMarginShare = 0.005;  // of the port-opening floor
constexpr double kLeadCapMargin = 0.005;    // of the lead cap
constexpr double kCapMargin = 0.005;        // of the work and slip limits
constexpr double kDesignMargin = 0.1;       // degrees, points or hundredths of the link
constexpr double kBreachSlack = 1e-9;       // what a strict comparison forgives of rounding

double SmallerPort(const RunResults& r) {
  return std::min(r.portOpenBack, r.portOpenFront);
}

}  // namespace

const char* SideKey(DesignSide side) {
  return side == DesignSide::down ? "down" : side == DesignSide::up ? "up" : "both";
}

std::optional<DesignSide> ParseSide(const std::string& key) {
  for (const DesignSide s : {DesignSide::both, DesignSide::down, DesignSide::up})
    if (key == SideKey(s)) return s;
  return std::nullopt;
}

const char* ObjectiveKey(DesignObjective objective) {
  return objective == DesignObjective::work ? "work" : "cutoff";
}

std::optional<DesignObjective> ParseObjective(const std::string& key) {
  for (const DesignObjective o : {DesignObjective::cutOff, DesignObjective::work})
    if (key == ObjectiveKey(o)) return o;
  return std::nullopt;
}

std::string BreachText(const Breach& b) {
  const std::string at = " at " + FormatGeneral4(b.notchDeg) + " deg.";
  switch (b.kind) {
    case BreachKind::fails:
      return "the gear does not assemble" + at;
    case BreachKind::missesEvent:
      return "a valve event is missing" + at;
    case BreachKind::dieLeavesLink:
      return "the die runs past a rod pin" + at;
    case BreachKind::leadNotPositive:
      return "a lead is not positive" + at;
    case BreachKind::leadTooLarge:
      return "a lead exceeds 1.5 times the start's largest" + at;
    case BreachKind::cutOffMoved:
      return "the mean cut-off moves more than allowed" + at;
    case BreachKind::portNarrowed:
      return "the smaller port opening falls below 90 % of the start's" + at;
    case BreachKind::otherSideWorse:
      return "the other side of mid-gear becomes worse than the start's worst there" + at;
    case BreachKind::fullGearMoved:
      return "the full-gear cut-off moves more than allowed" + at;
    case BreachKind::workingRangeLost:
      return "the mean cut-off no longer reaches 15 or 80 % on a side of mid-gear";
    case BreachKind::midGearMoved:
      return "the lifting arm's mid-gear direction turns more than allowed";
    case BreachKind::weighshaftMoved:
      return "the weighshaft crosses to the other side of the crank axle or of the link";
    case BreachKind::dieNearPin:
      return "the die comes nearer a rod pin than the margin allows" + at;
    case BreachKind::workWorse:
      return "the work imbalance exceeds its limit" + at;
    case BreachKind::dieSlipWorse:
      return "the die slip exceeds 110 % of the start's worst" + at;
    case BreachKind::notMeasured:
      return "the gear cannot be measured: its valves cannot be set or it has no mid-gear";
  }
  return "a constraint is broken" + at;
}

DesignConstraints::DesignConstraints(const DesignRules& rules, const Engine& startEngine,
                                     const DesignFigures& start)
    : rules_(rules),
      port_(std::fabs(startEngine.port) > 0 ? std::fabs(startEngine.port) : 1),
      scale_(std::fabs(startEngine.linkpins) > 0 ? std::fabs(startEngine.linkpins) : 1) {
  double largestLead = 0;
  std::optional<double> worstWork, worstSlip;
  for (std::size_t i = 0; i < start.notches.size(); ++i) {
    const NotchFigures& notch = start.notches[i];
    Reference ref;
    ref.end = i == 0 || i + 1 == start.notches.size();
    ref.dieLow = notch.dieLow;
    ref.dieHigh = notch.dieHigh;
    ref.arcLow = notch.arcLow;
    ref.arcHigh = notch.arcHigh;
    if (notch.row.ok()) {
      const RunResults& r = notch.row.results;
      ref.working = IsWorkingNotch(notch.row);
      ref.events = AllEvents(r);
      ref.meanCutOff = MeanCutOff(r).value_or(0);
      ref.smallerPort = SmallerPort(r);
      ref.leastLead = std::min(r.leadBack, r.leadFront);
      largestLead = std::max({largestLead, r.leadBack, r.leadFront});
      const auto metric = ref.working && OnOtherSide(notch.row.liftArmDeg) ? Metric(r) : std::nullopt;
      if (metric) otherSideWorst_ = std::max(otherSideWorst_.value_or(*metric), *metric);
      const auto work = ref.working ? WorkImbalanceSize(r, rules.indicator) : std::nullopt;
      if (work) worstWork = std::max(worstWork.value_or(*work), *work);
      if (ref.working) worstSlip = std::max(worstSlip.value_or(r.dieSlip), r.dieSlip);
    }
    reference_.push_back(ref);
  }
  leadCap_ = kLeadGrowth * largestLead;
  if (rules.workLimit == WorkLimit::start) workCap_ = worstWork;
  if (rules.workLimit == WorkLimit::percent) workCap_ = rules.workLimitPct;
  if (worstSlip && *worstSlip > 0) slipCap_ = kDieSlipGrowth * *worstSlip;
  TakeStartDesign(startEngine, start);
}

void DesignConstraints::TakeStartDesign(const Engine& engine, const DesignFigures& start) {
  startDesign_.midGearDeg = start.midGearDeg;
  startDesign_.weighV = engine.ctoweighv;
  startDesign_.weighH = engine.ctoweighh - engine.eccrod;
  const CutOffExtremes extremes = MeanCutOffExtremes(start);
  const auto low = [](std::optional<double> v) { return v && *v <= kWorkingCutOffMinPct ? v : std::nullopt; };
  const auto high = [](std::optional<double> v) {
    return v && *v >= kWorkingCutOffMaxPct ? v : std::nullopt;
  };
  startDesign_.lowDown = low(extremes.lowDown);
  startDesign_.lowUp = low(extremes.lowUp);
  startDesign_.highDown = high(extremes.highDown);
  startDesign_.highUp = high(extremes.highUp);
}

CutOffExtremes MeanCutOffExtremes(const DesignFigures& design) {
  CutOffExtremes e;
  const auto keep = [](std::optional<double>& low, std::optional<double>& high, double value) {
    low = std::min(low.value_or(value), value);
    high = std::max(high.value_or(value), value);
  };
  for (const NotchFigures& notch : design.notches) {
    const auto mean = MeanCutOff(notch.row);
    if (!mean) continue;
    if (notch.row.liftArmDeg >= 0) keep(e.lowDown, e.highDown, *mean);
    if (notch.row.liftArmDeg <= 0) keep(e.lowUp, e.highUp, *mean);
  }
  return e;
}

std::optional<double> DesignConstraints::Metric(const RunResults& r) const {
  if (rules_.objective == DesignObjective::work) return WorkImbalanceSize(r, rules_.indicator);
  const auto difference = CutOffDifference(r);
  return difference ? std::optional(std::fabs(*difference)) : std::nullopt;
}

bool DesignConstraints::OnOptimisedSide(double angle) const {
  return rules_.side == DesignSide::both || (rules_.side == DesignSide::down ? angle > 0 : angle < 0);
}

bool DesignConstraints::OnOtherSide(double angle) const {
  return rules_.side == DesignSide::down ? angle < 0 : rules_.side == DesignSide::up && angle > 0;
}

std::optional<double> DesignConstraints::ObjectivePart(const DesignFigures& d, std::size_t i,
                                                       std::size_t fine) const {
  const StudyRow& row = d.notches[i].row;
  if (!OnOptimisedSide(row.liftArmDeg)) return std::nullopt;
  if (!IsWorkingNotch(row)) {
    if (!reference_[fine].working) return std::nullopt;
    // A working notch of the start without cut-offs cannot be judged: it counts as failed.
    if (!row.ok() || !HasBothCutOffs(row.results)) return kFailedValue;
    // Where the notches may move, a notch that left the working range adds nothing.
    if (!rules_.keepNotches) return std::nullopt;
  }
  return Metric(row.results).value_or(kFailedValue);
}

std::optional<double> DesignConstraints::Objective(const DesignFigures& d) const {
  std::optional<double> worst;
  for (std::size_t i = 0; i < d.notches.size(); ++i)
    if (const auto part = ObjectivePart(d, i, i)) worst = std::max(worst.value_or(*part), *part);
  return worst;
}

std::optional<double> DesignConstraints::Reported(const DesignFigures& d) const {
  std::optional<double> worst;
  for (const NotchFigures& notch : d.notches) {
    if (!IsWorkingNotch(notch.row) || !OnOptimisedSide(notch.row.liftArmDeg)) continue;
    if (const auto metric = Metric(notch.row.results)) worst = std::max(worst.value_or(*metric), *metric);
  }
  return worst;
}

std::optional<BreachKind> DesignConstraints::BreachAt(const DesignFigures& d, std::size_t i, std::size_t fine,
                                                      bool strict) const {
  const NotchFigures& notch = d.notches[i];
  const Reference& ref = reference_[fine];
  if (!notch.row.ok()) return BreachKind::fails;
  const RunResults& r = notch.row.results;
  if (!notch.equalLeadEvents || (!AllEvents(r) && (strict || ref.events))) return BreachKind::missesEvent;
  if (!(notch.dieLow >= 0 && notch.dieHigh <= 1)) return BreachKind::dieLeavesLink;
  const double margin = rules_.dieMarginPct / 100;
  if (notch.arcLow < std::min(margin, ref.arcLow) - kBreachSlack ||
      notch.arcHigh > 1 - std::min(margin, 1 - ref.arcHigh) + kBreachSlack)
    return BreachKind::dieNearPin;
  const double least = std::min(r.leadBack, r.leadFront);
  if (!(least > 0) && (strict || !(ref.leastLead <= 0 && least >= ref.leastLead)))
    return BreachKind::leadNotPositive;
  if (std::max(r.leadBack, r.leadFront) > leadCap_) return BreachKind::leadTooLarge;
  const auto mean = MeanCutOff(r);
  const bool cutOffKept = mean && std::fabs(*mean - ref.meanCutOff) <= rules_.cutOffShiftPct;
  if (rules_.keepNotches && ref.working && !cutOffKept) return BreachKind::cutOffMoved;
  if (!rules_.keepNotches && ref.end && !cutOffKept) return BreachKind::fullGearMoved;
  if (ref.working && SmallerPort(r) < kPortOpeningShare * ref.smallerPort) return BreachKind::portNarrowed;
  const bool working = IsWorkingNotch(notch.row);
  const auto metric = working && OnOtherSide(notch.row.liftArmDeg) ? Metric(r) : std::nullopt;
  if (metric && otherSideWorst_ && *metric > *otherSideWorst_) return BreachKind::otherSideWorse;
  const auto work = working && workCap_ ? WorkImbalanceSize(r, rules_.indicator) : std::nullopt;
  if (work && *work > *workCap_ + kBreachSlack) return BreachKind::workWorse;
  if (working && slipCap_ && r.dieSlip > *slipCap_) return BreachKind::dieSlipWorse;
  return std::nullopt;
}

std::optional<BreachKind> DesignConstraints::DesignBreach(const Engine& engine,
                                                          const DesignFigures& d) const {
  if (std::fabs(d.midGearDeg - startDesign_.midGearDeg) > rules_.midGearShiftDeg + kBreachSlack)
    return BreachKind::midGearMoved;
  const auto sameSide = [](double start, double now) { return start == 0 || start * now > 0; };
  if (!sameSide(startDesign_.weighV, engine.ctoweighv) ||
      !sameSide(startDesign_.weighH, engine.ctoweighh - engine.eccrod))
    return BreachKind::weighshaftMoved;
  const CutOffExtremes e = MeanCutOffExtremes(d);
  const auto lost = [](std::optional<double> start, std::optional<double> now, bool low) {
    if (!start) return false;
    if (!now) return true;
    return low ? *now > kWorkingCutOffMinPct : *now < kWorkingCutOffMaxPct;
  };
  if (lost(startDesign_.lowDown, e.lowDown, true) || lost(startDesign_.lowUp, e.lowUp, true) ||
      lost(startDesign_.highDown, e.highDown, false) || lost(startDesign_.highUp, e.highUp, false))
    return BreachKind::workingRangeLost;
  return std::nullopt;
}

std::vector<Breach> DesignConstraints::FirstBreaches(const DesignFigures& d, bool strict) const {
  std::vector<Breach> breaches;
  for (std::size_t i = 0; i < d.notches.size(); ++i) {
    const auto kind = BreachAt(d, i, i, strict);
    if (!kind) continue;
    const bool known =
        std::any_of(breaches.begin(), breaches.end(), [&](const Breach& b) { return b.kind == *kind; });
    if (!known) breaches.push_back({*kind, d.notches[i].row.liftArmDeg});
  }
  return breaches;
}

std::vector<Breach> DesignConstraints::StartBreaches(const DesignFigures& start) const {
  return FirstBreaches(start, true);
}

std::vector<Breach> DesignConstraints::Breaches(const Engine& engine, const DesignFigures& d) const {
  std::vector<Breach> breaches = FirstBreaches(d, false);
  // A whole design's breach has no notch: it is given at mid-gear.
  if (const auto kind = d.measured() ? DesignBreach(engine, d) : std::nullopt) breaches.push_back({*kind, 0});
  return breaches;
}

std::vector<std::size_t> DesignConstraints::BreachedNotches(const DesignFigures& d) const {
  std::vector<std::size_t> notches;
  for (std::size_t i = 0; i < d.notches.size(); ++i)
    if (BreachAt(d, i, i, false)) notches.push_back(i);
  return notches;
}

double DesignConstraints::WorkValue(const NotchFigures& notch) const {
  const auto work = workCap_ && IsWorkingNotch(notch.row)
                        ? WorkImbalanceSize(notch.row.results, rules_.indicator)
                        : std::nullopt;
  return work ? *work - (1 - kCapMargin) * *workCap_ : kNotCounted;
}

double DesignConstraints::SlipValue(const NotchFigures& notch) const {
  if (!slipCap_ || !IsWorkingNotch(notch.row)) return kNotCounted;
  return 100 * (notch.row.results.dieSlip / *slipCap_ - (1 - kCapMargin));
}

void DesignConstraints::Values(const DesignFigures& d, std::size_t i, std::size_t fine, double* v) const {
  const NotchFigures& notch = d.notches[i];
  const Reference& ref = reference_[fine];
  std::fill(v, v + kValuesPerNotch, kFailedValue);
  if (!notch.row.ok() || !notch.equalLeadEvents || (!AllEvents(notch.row.results) && ref.events)) return;
  const RunResults& r = notch.row.results;
  const double toPct = 100 / port_, margin = rules_.dieMarginPct / 100;
  // Where the start sets the floor, the search keeps clear of it by what a made gear may lose.
  v[0] = 100 * std::max(std::min(kDieMargin, ref.dieLow / 2) - notch.dieLow,
                        std::min(margin, ref.arcLow + kMadeDieShare) - notch.arcLow);
  v[1] = 100 * std::max(notch.dieHigh - 1 + std::min(kDieMargin, (1 - ref.dieHigh) / 2),
                        notch.arcHigh - 1 + std::min(margin, 1 - ref.arcHigh + kMadeDieShare));
  // Where the start's own lead is not positive, no worse than the start's.
  const double leadFloor =
      ref.leastLead > 0 ? std::min(ref.leastLead / 2, kLeadMargin * port_) : ref.leastLead;
  v[2] = toPct * (leadFloor - std::min(r.leadBack, r.leadFront));
  v[3] = toPct * (std::max(r.leadBack, r.leadFront) - (1 - kLeadCapMargin) * leadCap_);
  const double shift = rules_.cutOffShiftPct - std::min(kCutOffMarginPct, rules_.cutOffShiftPct / 10);
  const bool judged = rules_.keepNotches ? ref.working : ref.end;
  if (!judged) {
    v[4] = v[5] = kNotCounted;
  } else if (const auto mean = MeanCutOff(r)) {
    v[4] = *mean - ref.meanCutOff - shift;
    v[5] = ref.meanCutOff - *mean - shift;
  }
  v[6] = ref.working ? toPct * ((1 + kPortMarginShare) * kPortOpeningShare * ref.smallerPort - SmallerPort(r))
                     : kNotCounted;
  const auto metric =
      IsWorkingNotch(notch.row) && OnOtherSide(notch.row.liftArmDeg) ? Metric(r) : std::nullopt;
  v[7] = metric && otherSideWorst_ ? *metric - *otherSideWorst_ : kNotCounted;
  v[8] = WorkValue(notch);
  v[9] = SlipValue(notch);
}

void DesignConstraints::DesignValues(const Engine& engine, const DesignFigures& d, double* v) const {
  std::fill(v, v + kDesignValues, kFailedValue);
  if (!d.measured()) return;
  const StartDesign& s = startDesign_;
  v[0] = std::fabs(d.midGearDeg - s.midGearDeg) - rules_.midGearShiftDeg + kDesignMargin;
  const auto side = [&](double start, double now) {
    const double kept = 100 * std::fabs(start) / scale_;
    return start == 0 ? kNotCounted
                      : std::min(kDesignMargin, kept / 2) - 100 * now * (start > 0 ? 1 : -1) / scale_;
  };
  v[1] = side(s.weighV, engine.ctoweighv);
  v[2] = side(s.weighH, engine.ctoweighh - engine.eccrod);
  const CutOffExtremes e = MeanCutOffExtremes(d);
  const auto low = [](std::optional<double> start, std::optional<double> now) {
    return !start ? kNotCounted
           : now  ? *now - std::max(*start, kWorkingCutOffMinPct - kDesignMargin)
                  : kFailedValue;
  };
  const auto high = [](std::optional<double> start, std::optional<double> now) {
    return !start ? kNotCounted
           : now  ? std::min(*start, kWorkingCutOffMaxPct + kDesignMargin) - *now
                  : kFailedValue;
  };
  v[3] = low(s.lowDown, e.lowDown);
  v[4] = low(s.lowUp, e.lowUp);
  v[5] = high(s.highDown, e.highDown);
  v[6] = high(s.highUp, e.highUp);
}
