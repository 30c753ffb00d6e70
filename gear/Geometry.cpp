// The circle crossing is built from the angle at the second centre (law of
// cosines) added to the direction between the centres, that direction taken
// from a one-argument arctangent with the quadrant settled by comparisons.
#include "Geometry.h"

#include <cmath>

#include "Angles.h"

namespace {

// Direction of the vector from b to a.
double Bearing(Point a, Point b) {
  double beta;
  if (a.x != b.x)
    beta = std::atan((a.y - b.y) / (a.x - b.x));
  else
    beta = (a.y - b.y) * kRightAngle / std::fabs(a.y - b.y);
  return a.x >= b.x ? beta : beta + kPi;
}

}  // namespace

std::optional<Point> IntersectCircles(int side, Point a, double rA, Point b, double rB) {
  const double d = std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y));
  if (rB + rA <= d || std::fabs(rB - rA) >= d) return std::nullopt;
  const double gamma = std::acos((rB * rB + d * d - rA * rA) / (2 * rB * d));
  // Rounding can push the cosine a hair past 1 for all but touching circles.
  if (std::isnan(gamma)) return std::nullopt;
  const double theta = Bearing(a, b);
  const double psi = side == 0 ? theta + gamma : theta - gamma;
  return Point{b.x + rB * std::cos(psi), b.y + rB * std::sin(psi)};
}

std::optional<Point> CrossCircles(int side, Point a, double rA, Point b, double rB) {
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
