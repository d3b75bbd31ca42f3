#pragma once

// The survey stations the error model works on, and their positions by minimum curvature
// (the model is defined on minimum-curvature positions whatever method the well shows).

#include <cstddef>
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
  /// Index of the first station the survey itself holds: 1 when a surface point was put ahead
  /// of a survey that starts below the surface, else 0. Listings start here.
  std::size_t firstSurveyed = 0;
};

/// Empty when the path can be used; otherwise a Chinese message naming the first bad station
/// by its measured depth: fewer than one station, a value that is not a finite number, depths that
/// do not increase, an inclination outside 0..180.
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
  Vec3 direction{};  ///< unit tangent (north, east, down)
};

/// The point at measured depth md on the course from a (at position ra) to b, md between
/// their depths.
CoursePoint PointInCourse(const PathStation& a, const Vec3& ra, const PathStation& b,
                          double md) noexcept;

/// Where a path passes closest to a point.
struct CourseMatch {
  double md = 0;
  double distance = 0;
};

/// A path's stations, positions and the circular arc of every course, kept for the many point
/// queries of a clearance scan.
class PathGeometry {
 public:
  /// The path must pass CheckPath.
  void build(const SurveyPath& path);

  std::size_t size() const noexcept { return stations_.size(); }
  const PathStation& station(std::size_t i) const noexcept { return stations_[i]; }
  const Vec3& position(std::size_t i) const noexcept { return positions_[i]; }

  /// Index of the station that ends the course holding md (1 .. size − 1), or 0 when md is at
  /// or above the first station.
  std::size_t courseEnding(double md) const noexcept;

  /// The point at measured depth md, clamped to the path.
  CoursePoint pointAt(double md) const noexcept;

  /// The point of the path closest to q, searched along every course (exact on each arc).
  CourseMatch closestTo(const Vec3& q) const noexcept;

 private:
  struct Course {
    Vec3 t1{};
    Vec3 normal{};      // unit, towards the arc's centre; zero for a straight course
    double dogleg = 0;  // radians; 0 for a straight course
    double radius = 0;
    double cosDogleg = 1;
  };
  // The closest point of course j (stations j − 1 .. j) to q, when nearer than best2 (squared
  // distance): best2 and bestMd become its squared distance and measured depth.
  void closestInCourse(std::size_t j, const Vec3& q, double& best2, double& bestMd) const;
  std::vector<PathStation> stations_;
  std::vector<Vec3> positions_;
  std::vector<Course> courses_;  // courses_[j] runs from station j − 1 to j; [0] unused
  // Boxes over runs of consecutive courses, each holding every point of its courses, so that a
  // closest-point search skips the runs that cannot beat what it has found.
  struct Box {
    Vec3 lo{}, hi{};
    std::size_t first = 0, last = 0;  // courses first .. last
    std::size_t left = 0, right = 0;  // children; 0 for a leaf
  };
  std::size_t addBox(std::size_t first, std::size_t last);
  std::vector<Box> boxes_;
};

}  // namespace tarsek::unc
