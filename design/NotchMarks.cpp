// Going out from mid-gear the mean cut-off rises; the first pair of notches
// that brackets a mark gives its angle by linear interpolation.
#include "NotchMarks.h"

#include <algorithm>

namespace {

constexpr double kFirstMark = 15, kLastMark = 75, kMarkStep = 5;

std::optional<double> MeanCutOff(const NotchFigures& notch) {
  return ::MeanCutOff(notch.row);
}

// The notches of one side in order going out from mid-gear (mid-gear itself first).
std::vector<const NotchFigures*> Side(const DesignFigures& design, bool down) {
  std::vector<const NotchFigures*> side;
  for (const NotchFigures& n : design.notches)
    if (down ? n.row.liftArmDeg >= 0 : n.row.liftArmDeg <= 0) side.push_back(&n);
  std::sort(side.begin(), side.end(), [](const NotchFigures* a, const NotchFigures* b) {
    return std::abs(a->row.liftArmDeg) < std::abs(b->row.liftArmDeg);
  });
  return side;
}

std::optional<double> MarkAngle(const std::vector<const NotchFigures*>& side, double mark) {
  for (std::size_t i = 0; i + 1 < side.size(); ++i) {
    const auto a = MeanCutOff(*side[i]), b = MeanCutOff(*side[i + 1]);
    if (!a || !b) continue;
    if (*a == mark) return side[i]->row.liftArmDeg;
    if ((*a < mark) != (*b < mark) || *b == mark) {
      const double t = (mark - *a) / (*b - *a);
      return side[i]->row.liftArmDeg + t * (side[i + 1]->row.liftArmDeg - side[i]->row.liftArmDeg);
    }
  }
  return std::nullopt;
}

}  // namespace

std::vector<NotchMark> NotchMarks(const DesignFigures& design) {
  const auto down = Side(design, true), up = Side(design, false);
  std::vector<NotchMark> marks;
  for (double mark = kFirstMark; mark <= kLastMark; mark += kMarkStep)
    marks.push_back({mark, MarkAngle(down, mark), MarkAngle(up, mark)});
  return marks;
}

std::array<std::optional<double>, 2> FullGearCutOff(const DesignFigures& design) {
  if (design.notches.empty()) return {};
  const auto [low, high] = std::minmax_element(
      design.notches.begin(), design.notches.end(),
      [](const NotchFigures& a, const NotchFigures& b) { return a.row.liftArmDeg < b.row.liftArmDeg; });
  return {MeanCutOff(*high), MeanCutOff(*low)};
}
