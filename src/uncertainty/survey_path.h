#pragma once

// The survey stations the error model works on, and their positions by minimum curvature
// (the model is defined on minimum-curvature positions whatever method the well shows).

#include <string>
#include <vector>

#include "uncertainty/covariance.h"

namespace tarsek::unc {

/// One station: measured depth (m), inclination and azimuth (degrees). The azimuth is the
/// one the positions are drawn in (grid when the well's coordinates are grid).
struct PathStation {
  double md = 0;
  double inc = 0;
  double azi = 0;
};

/// A surveyed well path: its stations in increasing depth and the position of the first one
/// (the tie-on point). A first station at measured depth 0 is the surface, where no
/// measurement is made; a deeper first station carries its measurement error into the
/// course after it.
struct SurveyPath {
  std::vector<PathStation> stations;
  Vec3 tieOn{};
};

/// Empty when the path can be used; otherwise a Chinese message naming the first bad station
/// (1-based): fewer than one station, a value that is not a finite number, depths that do not
/// increase, an inclination outside 0..180.
std::string CheckPath(const SurveyPath& path);

/// Positions of every station by minimum curvature from the tie-on point.
std::vector<Vec3> MinimumCurvaturePositions(const SurveyPath& path);

/// Unit direction (north, east, down) of inclination and azimuth in degrees.
Vec3 DirectionOf(double incDeg, double aziDeg) noexcept;

/// A point inside a minimum-curvature course.
struct CoursePoint {
  double md = 0;
  double inc = 0;  ///< degrees
  double azi = 0;  ///< degrees, 0 <= value < 360
  Vec3 position{};
};

/// The point at measured depth md on the course from a (at position ra) to b, md between
/// their depths.
CoursePoint PointInCourse(const PathStation& a, const Vec3& ra, const PathStation& b,
                          double md) noexcept;

/// Measured depth of the point of the course a..b (a at ra) closest to q; exact on the
/// circular arc, clamped to the course's ends.
double ClosestInCourse(const PathStation& a, const Vec3& ra, const PathStation& b,
                       const Vec3& q) noexcept;

}  // namespace tarsek::unc
