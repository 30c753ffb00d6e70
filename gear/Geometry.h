// Plane geometry of the valve gear: the intersection of two circles and of a
// line with a circle, each giving one chosen branch, and a secant-method root
// finder that reports failure instead of dividing by zero or running away.
#pragma once

#include <functional>
#include <optional>

struct Point {
  double x, y;
};

// The crossing of the circles about a (radius rA) and b (radius rB) that lies
// counter-clockwise of the direction b->a for side 0, clockwise for side 1.
// Touching, concentric and separate circles have no crossing.
std::optional<Point> IntersectCircles(int side, Point a, double rA, Point b, double rB);

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
std::optional<double> SecantSolve(const std::function<double(double)>& f, double xa, double xb, double tol,
                                  int maxIter, double* slope = nullptr);
