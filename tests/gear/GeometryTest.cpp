// The plane primitives at their edge cases: branch choice, vertical lines and
// centres one above the other, tangency, and the secant search's guards.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <random>
#include <vector>

#include "Geometry.h"

TEST(IntersectCircles, PicksTheBranchBySideAndRejectsTouchingOrNestedCircles) {
  // pi is 3.14159265 here, so the points are exact only to about 1e-8.
  const auto ccw = IntersectCircles(0, {0, 0}, 5, {8, 0}, 5);
  const auto cw = IntersectCircles(1, {0, 0}, 5, {8, 0}, 5);
  ASSERT_TRUE(ccw && cw);
  EXPECT_NEAR(ccw->x, 4, 1e-7);
  EXPECT_NEAR(ccw->y, -3, 1e-7);
  EXPECT_NEAR(cw->x, 4, 1e-7);
  EXPECT_NEAR(cw->y, 3, 1e-7);

  // Centres one above the other: the direction comes from the sign of the rise.
  const auto up = IntersectCircles(0, {0, 8}, 5, {0, 0}, 5);
  const auto down = IntersectCircles(0, {0, -8}, 5, {0, 0}, 5);
  ASSERT_TRUE(up && down);
  EXPECT_NEAR(up->x, -3, 1e-7);
  EXPECT_NEAR(up->y, 4, 1e-7);
  EXPECT_NEAR(down->x, 3, 1e-7);
  EXPECT_NEAR(down->y, -4, 1e-7);

  EXPECT_FALSE(IntersectCircles(0, {0, 0}, 5, {10, 0}, 5));  // touching outside
  EXPECT_FALSE(IntersectCircles(0, {0, 0}, 5, {3, 0}, 2));   // touching inside
  EXPECT_FALSE(IntersectCircles(0, {0, 0}, 5, {1, 0}, 1));   // one inside the other
  EXPECT_FALSE(IntersectCircles(0, {0, 0}, 5, {0, 0}, 5));   // concentric
  EXPECT_FALSE(IntersectCircles(1, {0, 0}, 1, {20, 0}, 1));  // apart
}

namespace {

// The law-of-cosines construction with the nine-digit pi: the angle at b added
// to the direction b->a, that direction from a one-argument arctangent.
std::optional<Point> TrigonometricCrossing(int side, Point a, double rA, Point b, double rB) {
  const double d = std::hypot(a.x - b.x, a.y - b.y);
  if (rB + rA <= d || std::fabs(rB - rA) >= d) return std::nullopt;
  const double gamma = std::acos((rB * rB + d * d - rA * rA) / (2 * rB * d));
  if (std::isnan(gamma)) return std::nullopt;
  double beta = a.x != b.x ? std::atan((a.y - b.y) / (a.x - b.x)) : (a.y > b.y ? 1.570796325 : -1.570796325);
  if (a.x < b.x) beta += 3.14159265;
  const double psi = side == 0 ? beta + gamma : beta - gamma;
  return Point{b.x + rB * std::cos(psi), b.y + rB * std::sin(psi)};
}

}  // namespace

TEST(IntersectCircles, IsTheTrigonometricConstructionToRoundingInEveryQuadrant) {
  std::mt19937 random(11);
  std::uniform_real_distribution<double> at(-60, 60), radius(0.5, 80);
  int crossings = 0;
  for (int i = 0; i < 4000; ++i) {
    Point a{at(random), at(random)}, b{at(random), at(random)};
    if (i % 50 == 0) a.x = b.x;  // one centre above the other
    const double rA = radius(random), rB = radius(random);
    for (const int side : {0, 1}) {
      const auto want = TrigonometricCrossing(side, a, rA, b, rB);
      const auto got = IntersectCircles(side, a, rA, b, rB);
      ASSERT_EQ(want.has_value(), got.has_value()) << i;
      if (!want) continue;
      ++crossings;
      EXPECT_NEAR(got->x, want->x, 1e-12 * (rA + rB)) << i;
      EXPECT_NEAR(got->y, want->y, 1e-12 * (rA + rB)) << i;
    }
  }
  EXPECT_GT(crossings, 1000);
}

TEST(CrossCircles, AgreesWithIntersectCirclesOnEitherSideAndRefusesTheSameCircles) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> at(-60, 60), radius(0.5, 80);
  int crossings = 0;
  for (int i = 0; i < 2000; ++i) {
    const Point a{at(random), at(random)}, b{at(random), at(random)};
    const double rA = radius(random), rB = radius(random);
    for (const int side : {0, 1}) {
      const auto trig = IntersectCircles(side, a, rA, b, rB);
      const auto algebra = CrossCircles(side, a, rA, b, rB);
      ASSERT_EQ(trig.has_value(), algebra.has_value()) << i;
      if (!trig) continue;
      ++crossings;
      // The trigonometric crossing turns by pi as 3.14159265: a few parts in 1e9 of a radius.
      EXPECT_NEAR(algebra->x, trig->x, 1e-8 * (rA + rB)) << i;
      EXPECT_NEAR(algebra->y, trig->y, 1e-8 * (rA + rB)) << i;
    }
  }
  EXPECT_GT(crossings, 500);
  EXPECT_FALSE(CrossCircles(0, {0, 0}, 5, {10, 0}, 5));
  EXPECT_FALSE(CrossCircles(0, {0, 0}, 5, {0, 0}, 5));
}

TEST(IntersectLineCircle, RootZeroIsTheLargerXOrTheUpperPointOnAVerticalLine) {
  const auto right = IntersectLineCircle(0, {0, 0}, {1, 0}, {0, 0}, 2);
  const auto left = IntersectLineCircle(1, {0, 0}, {1, 0}, {0, 0}, 2);
  ASSERT_TRUE(right && left);
  EXPECT_DOUBLE_EQ(right->x, 2);
  EXPECT_DOUBLE_EQ(right->y, 0);
  EXPECT_DOUBLE_EQ(left->x, -2);

  const auto slanted = IntersectLineCircle(0, {0, 1}, {2, 3}, {1, 1}, 5);  // y = x + 1
  ASSERT_TRUE(slanted);
  EXPECT_NEAR(slanted->y, slanted->x + 1, 1e-12);
  EXPECT_NEAR(std::hypot(slanted->x - 1, slanted->y - 1), 5, 1e-12);
  EXPECT_GT(slanted->x, 1);

  const auto top = IntersectLineCircle(0, {3, -7}, {3, 9}, {0, 1}, 5);
  const auto bottom = IntersectLineCircle(1, {3, -7}, {3, 9}, {0, 1}, 5);
  ASSERT_TRUE(top && bottom);
  EXPECT_DOUBLE_EQ(top->y, 5);
  EXPECT_DOUBLE_EQ(bottom->y, -3);

  EXPECT_FALSE(IntersectLineCircle(0, {0, 2}, {1, 2}, {0, 0}, 2));  // touches
  EXPECT_FALSE(IntersectLineCircle(0, {0, 3}, {1, 3}, {0, 0}, 2));  // misses
  EXPECT_FALSE(IntersectLineCircle(0, {6, 0}, {6, 1}, {0, 0}, 5));  // vertical, misses
}

TEST(SecantSolve, ConvergesLeavingTheLastCallAtTheRoot) {
  std::vector<double> calls;
  const auto f = [&](double x) {
    calls.push_back(x);
    return x * x - 2;
  };
  double slope = 0;
  const auto root = SecantSolve(f, 1, 2, 1e-9, 50, &slope);
  ASSERT_TRUE(root);
  EXPECT_NEAR(*root, std::sqrt(2.0), 1e-12);
  EXPECT_EQ(calls.back(), *root);
  EXPECT_NEAR(slope, 2 * std::sqrt(2.0), 1e-5);

  // A start that is already a root still takes one step (of length 0).
  const auto g = [&](double x) {
    calls.push_back(x);
    return x - 3;
  };
  calls.clear();
  EXPECT_EQ(SecantSolve(g, 3, 5, 1e-9, 50), 3.0);
  EXPECT_EQ(calls, (std::vector<double>{3, 5, 3}));
}

TEST(SecantSolve, ReportsFailureInsteadOfDividingByZeroOrRunningAway) {
  const auto flat = [](double) { return 1.0; };
  EXPECT_FALSE(SecantSolve(flat, 0, 1, 1e-9, 50));
  const auto even = [](double x) { return x * x + 1; };  // f(-1) = f(1)
  EXPECT_FALSE(SecantSolve(even, -1, 1, 1e-9, 50));
  const auto noRoot = [](double x) { return std::exp(x); };
  EXPECT_FALSE(SecantSolve(noRoot, 0, 1, 1e-12, 50));
  const auto undefined = [](double x) { return std::sqrt(1 - x); };
  EXPECT_FALSE(SecantSolve(undefined, -3, -2, 1e-12, 50));
}
