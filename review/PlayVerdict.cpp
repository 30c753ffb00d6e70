// The review's notches are solved once with their levers; every play tried
// afterwards (a joint's clearance searched up or down) only holds the valve
// behind a new dead band and reads the figures again, so the searches cost
// no sweep. A verdict is monotonic in each clearance: more play never makes
// an event earlier or a lead larger, so the clearance at change is bracketed
// by doubling and halved 24 times.
#include "PlayVerdict.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <memory>

#include "CrankSweep.h"
#include "DeadBand.h"
#include "IndicatorDiagram.h"
#include "NotchThreads.h"
#include "NumberFormat.h"

namespace {

constexpr int kHalvings = 24;

// The review's notches solved again, keeping what the rows drop: each run and its levers.
struct SolvedNotches {
  const GearReview& review;
  std::vector<std::shared_ptr<const GearRun>> runs;
  std::vector<PlayLevers> levers;
};

SolvedNotches Solve(const GearReview& review, bool levers, int threads) {
  const std::vector<ReviewNotch>& notches = review.sweep.notches;
  SolvedNotches s{review, std::vector<std::shared_ptr<const GearRun>>(notches.size()),
                  std::vector<PlayLevers>(notches.size())};
  const ItemTask notch = [&](std::size_t i) {
    const RunOutcome o = RunCrankSweep(review.engine, review.sweep.midGearRad, notches[i].row.liftArmDeg,
                                       review.sweep.centring);
    s.runs[i] = o.run;
    if (o.ok() && levers) s.levers[i] = LeversOf(review.engine, *o.run);
  };
  SpreadOverThreads(notches.size(), {threads, {}, {}}, notch);
  return s;
}

ReviewFigures FiguresWith(const SolvedNotches& s, const GearPlay& play) {
  ReviewSweep worn = s.review.sweep;
  for (std::size_t i = 0; i < worn.notches.size(); ++i) {
    if (!s.runs[i]) continue;
    StudyRow& row = worn.notches[i].row;
    row.results = WornResults(s.review.engine, *s.runs[i], LostMotionOf(play, s.levers[i]));
    row.indicator = IndicatorOf(row.results, IndicatorParams{});
  }
  return FiguresOf(s.review.engine, worn, s.review.range);
}

struct Judged {
  PlayVerdictKind kind = PlayVerdictKind::accept;
  std::vector<std::size_t> worse;
  std::optional<std::size_t> deciding;  // the worse check of the lowest grade, the first of equals
};

Judged JudgeAgainst(const ReviewFigures& own, const ReviewFigures& worn) {
  Judged j;
  std::optional<Verdict> lowest;
  for (std::size_t c = 0; c < kChecks; ++c) {
    if (!own[c] || !worn[c]) continue;
    const Verdict before = Judge(ReviewChecks()[c].rule, *own[c]),
                  after = Judge(ReviewChecks()[c].rule, *worn[c]);
    if (after <= before) continue;
    j.worse.push_back(c);
    if (!lowest || after > *lowest) {
      lowest = after;
      j.deciding = c;
    }
  }
  if (lowest) j.kind = *lowest == Verdict::poor ? PlayVerdictKind::rebush : PlayVerdictKind::watch;
  return j;
}

// The play with one joint's clearance (or the total, for joint kPlayJoints) set.
GearPlay WithClearance(const GearPlay& play, std::size_t joint, double clearance) {
  GearPlay p = play;
  (joint == kPlayJoints ? *p.total : p.clearance[joint]) = clearance;
  return p;
}

double ClearanceOf(const GearPlay& play, std::size_t joint) {
  return joint == kPlayJoints ? *play.total : play.clearance[joint];
}

struct Search {
  const SolvedNotches& solved;
  const ReviewFigures& own;
  const GearPlay& play;
  PlayVerdictKind kind;

  PlayVerdictKind KindAt(std::size_t joint, double clearance) const {
    return JudgeAgainst(own, FiguresWith(solved, WithClearance(play, joint, clearance))).kind;
  }

  // Down for a re-bush: the largest clearance that is no longer one; up
  // otherwise: the least that makes the verdict worse. `kept` keeps the
  // verdict, `changed` changes it.
  std::optional<double> ClearanceAtChange(std::size_t joint, double reach) const {
    double kept = ClearanceOf(play, joint), changed = 0;
    if (kind == PlayVerdictKind::rebush) {
      if (KindAt(joint, 0) == kind) return std::nullopt;
    } else {
      for (changed = std::max(kept, reach / 1024);; changed *= 2) {
        if (changed > reach) return std::nullopt;
        if (KindAt(joint, changed) != kind) break;
        kept = changed;
      }
    }
    for (int i = 0; i < kHalvings; ++i) {
      const double mid = (kept + changed) / 2;
      (KindAt(joint, mid) == kind ? kept : changed) = mid;
    }
    return changed;
  }
};

// The check that changes first as the whole play grows, for a gear accepted.
std::size_t FirstToChange(const SolvedNotches& solved, const ReviewFigures& own, const GearPlay& play) {
  for (double scale = 2; scale <= 64; scale *= 2)
    if (const auto c = JudgeAgainst(own, FiguresWith(solved, play.Scaled(scale))).deciding) return *c;
  return smallestLead;
}

std::vector<JointEffect> Effects(const Search& search, std::size_t check, const ReviewFigures& worn,
                                 const Engine& e) {
  std::vector<JointEffect> effects;
  const double step = 1e-3 * e.port;
  const auto add = [&](std::size_t joint, const char* key, const char* words) {
    JointEffect effect{key, words, ClearanceOf(search.play, joint), 0, std::nullopt};
    const auto moved =
        FiguresWith(search.solved, WithClearance(search.play, joint, effect.clearance + step))[check];
    if (moved && worn[check]) effect.perUnit = (*moved - *worn[check]) / step;
    effect.clearanceAtChange = search.ClearanceAtChange(joint, e.port);
    effects.push_back(effect);
  };
  if (search.play.total) {
    add(kPlayJoints, "total", "total lost motion at the valve");
  } else {
    for (std::size_t j = 0; j < kPlayJoints; ++j)
      if (HasPlayJoint(e, static_cast<PlayJoint>(j))) add(j, PlayJoints()[j].key, PlayJoints()[j].words);
  }
  std::stable_sort(effects.begin(), effects.end(), [](const JointEffect& a, const JointEffect& b) {
    return std::fabs(a.perUnit) > std::fabs(b.perUnit);
  });
  return effects;
}

std::string Figure(const std::optional<double>& value, const CheckSpec& check) {
  return value ? FormatGeneral4(*value) + " " + check.unit : std::string("none");
}

// The loosest new running fit for a pin of about 1 1/2 in, in the engine's unit.
double LoosestRunningFit(LengthUnit unit) {
  return unit == LengthUnit::mm ? 0.15 : 0.006;
}

// The pins (the straps run a looser fit) whose clearance passes the loosest
// new running fit, the most worn first, each with how many times it is.
std::string FitWords(const std::vector<JointEffect>& joints, LengthUnit unit) {
  const std::string u = UnitSuffix(Quantity::length, unit);
  const double loosest = LoosestRunningFit(unit);
  std::vector<const JointEffect*> over;
  for (const JointEffect& j : joints)
    if (j.joint != "total" && j.joint.rfind("strap", 0) != 0 && j.clearance > loosest) over.push_back(&j);
  std::stable_sort(over.begin(), over.end(),
                   [](const JointEffect* a, const JointEffect* b) { return a->clearance > b->clearance; });
  std::string words = " New running fits for pins of about 1 1/2 in are " +
                      std::string(unit == LengthUnit::mm ? "0.05 to 0.15 mm" : "0.002 to 0.006 in") +
                      " diametral, eccentric straps a looser fit";
  for (std::size_t i = 0; i < over.size(); ++i)
    words += std::string(i == 0 ? "; " : ", ") + "the " + over[i]->words + " at " +
             FormatGeneral4(over[i]->clearance) + u + " is " + FormatGeneral4(over[i]->clearance / loosest) +
             " times the loosest";
  return words + (unit == LengthUnit::none ? " (lengths taken as inches)." : ".");
}

// A check's title inside a sentence.
std::string InSentence(const char* title) {
  std::string text = title;
  if (!text.empty()) text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
  return text;
}

std::string VerdictWords(const PlayVerdict& v, LengthUnit unit) {
  const CheckSpec& deciding = ReviewChecks()[v.check];
  const std::string u = UnitSuffix(Quantity::length, unit);
  const JointEffect& first = v.joints.front();
  const std::string change = first.clearanceAtChange ? FormatGeneral4(*first.clearanceAtChange) + u
                                                     : std::string("no clearance in reach");
  const std::string figures =
      " (" + Figure(v.wornFigure, deciding) + " with the play, " + Figure(v.ownFigure, deciding) + " without)";
  std::string words;
  switch (v.verdict) {
    case PlayVerdictKind::rebush:
      words = "Re-bush: with this play the " + InSentence(deciding.title) + " is poor" + figures +
              ". Re-bush the " + first.words + " first: " +
              (first.clearanceAtChange
                   ? "at " + change + " or less there the gear is no longer to be re-bushed."
                   : "no clearance of it alone clears the verdict; the others must be re-bushed too.");
      break;
    case PlayVerdictKind::watch:
      words = "Accept, watch the " + InSentence(deciding.title) + ": it loses a grade with this play" + figures +
              ". It is to be re-bushed when the " + first.words + " reaches " + change + ".";
      break;
    case PlayVerdictKind::accept:
      words = "Accept: no check of the review loses a grade with this play. The first to change is the " +
              InSentence(deciding.title) + figures + ", when the " + first.words + " reaches " + change + ".";
      break;
  }
  return words + FitWords(v.joints, unit);
}

}  // namespace

PlayVerdict JudgePlay(const GearReview& review, const GearPlay& play, LengthUnit unit, int threads) {
  PlayVerdict v;
  if (!review.reviewed()) {
    v.problem = review.problem;
    return v;
  }
  const SolvedNotches solved = Solve(review, !play.total, threads);
  for (const auto& run : solved.runs)
    if (!run) {
      v.problem = "A notch of the review no longer assembles.";
      return v;
    }
  const ReviewFigures own = FiguresWith(solved, GearPlay{}), worn = FiguresWith(solved, play);
  const Judged judged = JudgeAgainst(own, worn);
  v.verdict = judged.kind;
  v.worse = judged.worse;
  v.check = judged.deciding ? *judged.deciding : FirstToChange(solved, own, play);
  v.ownFigure = own[v.check];
  v.wornFigure = worn[v.check];
  v.joints = Effects(Search{solved, own, play, judged.kind}, v.check, worn, review.engine);
  v.words = VerdictWords(v, unit);
  return v;
}

const char* PlayVerdictKey(PlayVerdictKind verdict) {
  switch (verdict) {
    case PlayVerdictKind::accept:
      return "accept";
    case PlayVerdictKind::watch:
      return "watch";
    case PlayVerdictKind::rebush:
      return "rebush";
  }
  return "rebush";
}
