#pragma once

// The minimum-curvature course: the hole between two stations is a circular arc. Everything is
// written in the stations' unit direction vectors, so a vertical end needs no azimuth of its own.

#include <algorithm>
#include <cmath>

namespace tarsek::mincurv {

/// Below this dogleg angle (radians) the ratio factor comes from its series, so that a straight
/// course gives exactly the straight-line result and tiny angles lose no digits.
inline constexpr double kSeriesBelow = 1e-4;
/// Two directions whose half-sum is shorter than this oppose each other: no single arc joins
/// them, and the course adds nothing.
inline constexpr double kOpposed = 1e-12;

/// A unit direction from the sines and cosines of inclination and azimuth: north, east, down.
struct Direction {
  double sinI = 0;
  double cosI = 1;
  double sinA = 0;
  double cosA = 1;
  double north() const noexcept { return sinI * cosA; }
  double east() const noexcept { return sinI * sinA; }
  double down() const noexcept { return cosI; }
};

/// Angle between two directions, radians: twice the arc sine of half their chord, which stays
/// accurate where the arc cosine of the dot product loses every digit.
inline double doglegAngle(const Direction& a, const Direction& b) noexcept {
  const double dn = b.north() - a.north();
  const double de = b.east() - a.east();
  const double dv = b.down() - a.down();
  const double halfChord = std::sqrt(dn * dn + de * de + dv * dv) / 2;
  return 2 * std::asin(std::min(1.0, halfChord));
}

/// Ratio factor of the arc over the balanced-tangential sum: (2 / beta) tan(beta / 2).
inline double ratioFactor(double beta) noexcept {
  if (beta < kSeriesBelow) return 1 + beta * beta / 12;
  return 2 / beta * std::tan(beta / 2);
}

/// Increments of one arc of course length dL from direction a to direction b.
struct Course {
  double tvd = 0;
  double planLength = 0;
  double north = 0;
  double east = 0;
};

inline Course arcCourse(double dL, const Direction& a, const Direction& b) noexcept {
  Course c;
  const double sn = a.north() + b.north();
  const double se = a.east() + b.east();
  const double sv = a.down() + b.down();
  if (std::sqrt(sn * sn + se * se + sv * sv) / 2 < kOpposed) return c;
  const double h = dL / 2 * ratioFactor(doglegAngle(a, b));
  c.tvd = h * sv;
  c.planLength = h * (a.sinI + b.sinI);
  c.north = h * sn;
  c.east = h * se;
  return c;
}

/// The middle of the arc from a to b: the normalised sum of the two directions. Sets the
/// inclination (radians) and, unless the middle is vertical, the azimuth (radians, -pi .. pi).
/// False when the sum vanishes (opposed directions).
inline bool arcMiddle(const Direction& a, const Direction& b, double& inclination,
                      double& azimuth) noexcept {
  const double sn = a.north() + b.north();
  const double se = a.east() + b.east();
  const double sv = a.down() + b.down();
  const double across = std::hypot(sn, se);
  if (std::hypot(across, sv) / 2 < kOpposed) return false;
  inclination = std::atan2(across, sv);
  if (across > 0) azimuth = std::atan2(se, sn);
  return true;
}

}  // namespace tarsek::mincurv
