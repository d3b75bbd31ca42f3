#pragma once

#include <cmath>

#include "common/constants.h"

namespace tarsek {

/// Degrees to radians with the program's pi: multiplied, then divided.
constexpr double toRadians(double degrees) noexcept { return degrees * kPi / 180.0; }
/// Radians to degrees with the program's pi: multiplied, then divided.
constexpr double toDegrees(double radians) noexcept { return radians * 180.0 / kPi; }

/// One degree in radians. `x * kDegree` rounds once where `toRadians(x)` rounds twice, so the
/// two can differ in the last bit: each calculation keeps the form it has always used.
inline constexpr double kDegree = kPi / 180;

/// An azimuth in degrees brought into 0 <= result < 360 by whole turns, however far outside it
/// lies. -0 stays -0; an infinite or NaN value gives NaN.
inline double wrapAzimuth(double degrees) noexcept {
  double r = std::fmod(degrees, 360.0);
  if (r < 0) r += 360;
  // A tiny negative value comes back as 360 after the addition.
  return r >= 360 ? r - 360 : r;
}

/// An azimuth in degrees moved by at most one turn, for a value known to lie within a turn of
/// 0..360 (an azimuth plus a declination, a bearing from atan2): -360 <= value < 720 comes back
/// within 0 <= result < 360, and -360 as +0 where wrapAzimuth keeps -0. Anything further out is
/// left one turn nearer; NaN stays NaN.
constexpr double wrapAzimuthOnce(double degrees) noexcept {
  if (degrees < 0) degrees += 360;
  if (degrees >= 360) degrees -= 360;
  return degrees;
}

/// The shorter arc of an azimuth difference in degrees, -180 <= result <= 180, so that 350° to 10°
/// is a 20° turn; a NaN or infinite difference is no turn (0).
inline double shorterArc(double difference) noexcept {
  if (!std::isfinite(difference)) return 0;
  if (difference >= -180 && difference <= 180) return difference;  // what the remainder gives
  difference = std::fmod(difference, 360.0);
  if (difference > 180) difference -= 360;
  if (difference < -180) difference += 360;
  return difference;
}

/// The shorter arc of a difference already within a turn (-540..540 degrees) by one step: -360
/// comes back as +0 where shorterArc keeps -0, and NaN and infinities pass through unchanged.
constexpr double shorterArcOnce(double difference) noexcept {
  if (difference > 180) return difference - 360;
  if (difference < -180) return difference + 360;
  return difference;
}

}  // namespace tarsek
