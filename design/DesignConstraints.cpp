// The start's figures at each notch are kept once as its reference; a design
// is compared with them notch by notch. The search's margins are taken from
// the start's own slack where that is smaller, so the start always meets them.
#include "DesignConstraints.h"

#include <algorithm>
#include <cmath>

#include "NumberFormat.h"

namespace {

constexpr double kDieMargin = 0.002;        // of the link between the pins
constexpr double kLeadMargin = 0.002;       // of the port
constexpr double kCutOffMarginPct = 0.15;   // points of the stroke
constexpr double kPortMarginShare = 0.005;  // of the port-opening floor
constexpr double kLeadCapMargin = 0.005;    // of the lead cap
constexpr double kNotCounted = -1;

double MeanCutOff(const RunResults& r) {
  return (r.eventPct[cutOffBack] + r.eventPct[cutOffFront]) / 2;
}

bool CutOffs(const RunResults& r) {
  return r.eventFound[cutOffBack] && r.eventFound[cutOffFront];
}

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
  }
  return "a constraint is broken" + at;
}

DesignConstraints::DesignConstraints(const DesignRules& rules, const DesignFigures& start, double port)
    : rules_(rules), port_(std::fabs(port) > 0 ? std::fabs(port) : 1) {
  double largestLead = 0;
  for (const NotchFigures& notch : start.notches) {
    Reference ref;
    ref.dieLow = notch.dieLow;
    ref.dieHigh = notch.dieHigh;
    if (notch.row.ok()) {
      const RunResults& r = notch.row.results;
      ref.working = IsWorkingNotch(notch.row);
      ref.events = AllEvents(r);
      ref.meanCutOff = MeanCutOff(r);
      ref.smallerPort = SmallerPort(r);
      ref.leastLead = std::min(r.leadBack, r.leadFront);
      largestLead = std::max({largestLead, r.leadBack, r.leadFront});
      const auto metric = ref.working && OnOtherSide(notch.row.liftArmDeg) ? Metric(r) : std::nullopt;
      if (metric) otherSideWorst_ = std::max(otherSideWorst_.value_or(*metric), *metric);
    }
    reference_.push_back(ref);
  }
  leadCap_ = kLeadGrowth * largestLead;
}

std::optional<double> DesignConstraints::Metric(const RunResults& r) const {
  if (rules_.objective == DesignObjective::work) return WorkImbalanceSize(r, rules_.indicator);
  return std::fabs(r.eventPct[cutOffBack] - r.eventPct[cutOffFront]);
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
    if (!row.ok() || !CutOffs(row.results)) return kFailedValue;
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
  const double least = std::min(r.leadBack, r.leadFront);
  if (!(least > 0) && (strict || !(ref.leastLead <= 0 && least >= ref.leastLead)))
    return BreachKind::leadNotPositive;
  if (std::max(r.leadBack, r.leadFront) > leadCap_) return BreachKind::leadTooLarge;
  if (ref.working && (!CutOffs(r) || std::fabs(MeanCutOff(r) - ref.meanCutOff) > rules_.cutOffShiftPct))
    return BreachKind::cutOffMoved;
  if (ref.working && SmallerPort(r) < kPortOpeningShare * ref.smallerPort) return BreachKind::portNarrowed;
  const auto metric =
      IsWorkingNotch(notch.row) && OnOtherSide(notch.row.liftArmDeg) ? Metric(r) : std::nullopt;
  if (metric && otherSideWorst_ && *metric > *otherSideWorst_) return BreachKind::otherSideWorse;
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

std::vector<Breach> DesignConstraints::Breaches(const DesignFigures& d) const {
  return FirstBreaches(d, false);
}

std::vector<std::size_t> DesignConstraints::BreachedNotches(const DesignFigures& d) const {
  std::vector<std::size_t> notches;
  for (std::size_t i = 0; i < d.notches.size(); ++i)
    if (BreachAt(d, i, i, false)) notches.push_back(i);
  return notches;
}

void DesignConstraints::Values(const DesignFigures& d, std::size_t i, std::size_t fine, double* v) const {
  const NotchFigures& notch = d.notches[i];
  const Reference& ref = reference_[fine];
  std::fill(v, v + kValuesPerNotch, kFailedValue);
  if (!notch.row.ok() || !notch.equalLeadEvents || (!AllEvents(notch.row.results) && ref.events)) return;
  const RunResults& r = notch.row.results;
  const double toPct = 100 / port_;
  v[0] = 100 * (std::min(kDieMargin, ref.dieLow / 2) - notch.dieLow);
  v[1] = 100 * (notch.dieHigh - 1 + std::min(kDieMargin, (1 - ref.dieHigh) / 2));
  // Where the start's own lead is not positive, no worse than the start's.
  const double leadFloor =
      ref.leastLead > 0 ? std::min(ref.leastLead / 2, kLeadMargin * port_) : ref.leastLead;
  v[2] = toPct * (leadFloor - std::min(r.leadBack, r.leadFront));
  v[3] = toPct * (std::max(r.leadBack, r.leadFront) - (1 - kLeadCapMargin) * leadCap_);
  const double shift = rules_.cutOffShiftPct - std::min(kCutOffMarginPct, rules_.cutOffShiftPct / 10);
  if (!ref.working) {
    v[4] = v[5] = v[6] = kNotCounted;
  } else if (CutOffs(r)) {
    v[4] = MeanCutOff(r) - ref.meanCutOff - shift;
    v[5] = ref.meanCutOff - MeanCutOff(r) - shift;
  }
  if (ref.working)
    v[6] = toPct * ((1 + kPortMarginShare) * kPortOpeningShare * ref.smallerPort - SmallerPort(r));
  const auto metric =
      IsWorkingNotch(notch.row) && OnOtherSide(notch.row.liftArmDeg) ? Metric(r) : std::nullopt;
  v[7] = metric && otherSideWorst_ ? *metric - *otherSideWorst_ : kNotCounted;
}
