// The circle crossing is found by algebra (the foot of the common chord and
// its half-length); the program's crossing then turns it about the second
// centre by the small angle its nine-digit pi puts in the direction between
// the centres, so that it is the crossing of the law-of-cosines construction.
#include "Geometry.h"

#include <cmath>

#include "Angles.h"

namespace {

// The crossing with true pi: the foot of the common chord and its half-length.
std::optional<Point> ChordCrossing(int side, Point a, double rA, Point b, double rB) {
  const double dx = a.x - b.x, dy = a.y - b.y;
  const double d = std::sqrt(dx * dx + dy * dy);
  if (rB + rA <= d || std::fabs(rB - rA) >= d) return std::nullopt;
  // The cosine and sine of the angle at b between b->a and b->crossing.
  const double cosine = (rB * rB + d * d - rA * rA) / (2 * rB * d);
  const double sine = std::sqrt(1 - cosine * cosine);
  if (std::isnan(sine)) return std::nullopt;
  const double along = rB * cosine / d, across = (side == 0 ? rB : -rB) * sine / d;
  return Point{b.x + along * dx - across * dy, b.y + along * dy + across * dx};
}

// How far the bearing of b->a, taken as a one-argument arctangent with pi (or
// a right angle) of nine digits added by quadrant, turns from the true one.
constexpr double kPiShortfall = kPi - 3.14159265358979323846;
constexpr double kRightAngleShortfall = kRightAngle - 1.57079632679489661923;

}  // namespace

std::optional<Point> IntersectCircles(int side, Point a, double rA, Point b, double rB) {
  const auto crossing = ChordCrossing(side, a, rA, b, rB);
  if (!crossing) return std::nullopt;
  // Turned about b as the trigonometric construction turns it; the turn is a
  // few thousand-millionths of a radian, so its cosine is 1.
  const double turn = a.x > b.x ? 0 : a.x < b.x ? kPiShortfall : a.y > b.y ? kRightAngleShortfall : -kRightAngleShortfall;
  const double ux = crossing->x - b.x, uy = crossing->y - b.y;
  return Point{b.x + (ux - uy * turn), b.y + (uy + ux * turn)};
}

std::optional<Point> CrossCircles(int side, Point a, double rA, Point b, double rB) {
  return ChordCrossing(side, a, rA, b, rB);
}

std::optional<Point> IntersectLineCircle(int root, Point p1, Point p2, Point c, double r) {
  const double t = root == 0 ? 1.0 : -1.0;
  if (p2.x == p1.x) {
    if (std::fabs(p2.x - c.x) > r) return std::nullopt;
    return Point{p2.x, c.y + t * std::sqrt(r * r - (p2.x - c.x) * (p2.x - c.x))};
  }
  const double u = (p2.y - p1.y) / (p2.x - p1.x);
  const double k = p2.y - u * p2.x;
  const double b = c.x - u * (k - c.y);
  const double d = (1 + u * u) * ((k - c.y) * (k - c.y) + c.x * c.x - r * r);
  if (d >= b * b) return std::nullopt;
  const double x = (b + t * std::sqrt(b * b - d)) / (1 + u * u);
  return Point{x, u * x + k};
}
