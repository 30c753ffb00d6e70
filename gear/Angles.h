// The angle constants of the kinematics. pi is deliberately the 9-digit value
// 3.14159265 and every conversion multiplies in a fixed order, so that the
// figures agree to the last printed digit with other programs built the same way.
#pragma once

inline constexpr double kPi = 3.14159265;
inline constexpr double kRightAngle = 1.570796325;
inline constexpr double kInversePi = 0.31830988654751274;

inline double DegreesToRadians(double degrees) {
  return degrees * kPi * (1.0 / 180);
}

inline double RadiansToDegrees(double radians) {
  return radians * 180 * kInversePi;
}

// Crank angle of sweep step k (2 degrees a step) turning in direction runDir.
inline double CrankAngle(int runDir, int step) {
  return runDir * kPi * (1.0 / 90) * step;
}
