// Plane geometry of the valve gear: the intersection of two circles and of a
// line with a circle, each giving one chosen branch, and a secant-method root
// finder that reports failure instead of dividing by zero or running away.
#pragma once

#include <cmath>
#include <optional>

struct Point {
  double x, y;
};

// The crossing of the circles about a (radius rA) and b (radius rB) that lies
// counter-clockwise of the direction b->a for side 0, clockwise for side 1, as
// the law-of-cosines construction with pi taken as 3.14159265 places it.
// Touching, concentric and separate circles have no crossing.
std::optional<Point> IntersectCircles(int side, Point a, double rA, Point b, double rB);
// The same crossing with true pi: it differs from the above by a few parts in
// a thousand million of a radius where the direction b->a points left.
std::optional<Point> CrossCircles(int side, Point a, double rA, Point b, double rB);

// The crossing of the line through p1 and p2 with the circle about c: root 0
// is the one with the larger x (the upper one on a vertical line). A line that
// only touches the circle has no crossing.
std::optional<Point> IntersectLineCircle(int root, Point p1, Point p2, Point c, double r);

// The secant method from xa and xb, stopping when a step is shorter than tol.
// The last call of f is always at the returned root, so f may store whatever
// it computed there. Empty when maxIter + 1 steps do not converge, when two
// successive values of f are equal, or when f gives a value that is not finite.
// When slope is given it receives the slope of the secant that made the last
// step, which tells on which flank of f the root was found.
template <class Function>
std::optional<double> SecantSolve(Function&& f, double xa, double xb, double tol, int maxIter,
                                  double* slope = nullptr) {
  const double fa = f(xa);
  const double fb = f(xb);
  if (!std::isfinite(fa) || !std::isfinite(fb)) return std::nullopt;
  // The start nearer the root is the current iterate; a tie keeps xa.
  const bool aNearer = std::fabs(fa) <= std::fabs(fb);
  double current = aNearer ? xa : xb, fCurrent = aNearer ? fa : fb;
  double previous = aNearer ? xb : xa, fPrevious = aNearer ? fb : fa;
  for (int i = 0; i <= maxIter; ++i) {
    if (fCurrent == fPrevious) {
      if (fCurrent != 0) return std::nullopt;
      f(current);  // both starts are roots: leave f's results at the current one
      if (slope != nullptr) *slope = NAN;
      return current;
    }
    const double dx = (previous - current) * fCurrent / (fCurrent - fPrevious);
    // This secant spans the step before (or the starts), never shorter than
    // tol, so its slope is not lost in rounding as the last step's would be.
    const double secantSlope = (fCurrent - fPrevious) / (current - previous);
    previous = current;
    fPrevious = fCurrent;
    current = current + dx;
    fCurrent = f(current);
    if (!std::isfinite(fCurrent)) return std::nullopt;
    if (std::fabs(dx) < tol || fCurrent == 0) {
      if (slope != nullptr) *slope = secantSlope;
      return current;
    }
  }
  return std::nullopt;
}
