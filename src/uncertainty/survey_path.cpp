#include "uncertainty/survey_path.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numbers>

#include "common/angles.h"

namespace tarsek::unc {
namespace {

constexpr double kRad = std::numbers::pi / 180;
// Below this dogleg (radians) a course is treated as straight: the arc formulas divide by it.
constexpr double kStraight = 1e-9;
// Courses per box at the bottom of a path's box tree.
constexpr std::size_t kLeafCourses = 8;

double dot(const Vec3& a, const Vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// The arc of a course: first direction t1, the unit normal towards the centre, radius and
// dogleg. A straight course has dogleg 0 and no normal.
struct Arc {
  Vec3 t1{};
  Vec3 normal{};
  double dogleg = 0;
  double radius = 0;
};

Arc arcOf(const PathStation& a, const PathStation& b) {
  Arc arc;
  arc.t1 = DirectionOf(a.inc, a.azi);
  const Vec3 t2 = DirectionOf(b.inc, b.azi);
  const double c = std::clamp(dot(arc.t1, t2), -1.0, 1.0);
  // atan2 keeps the accuracy of small doglegs that acos loses.
  const Vec3 d{t2[0] - arc.t1[0], t2[1] - arc.t1[1], t2[2] - arc.t1[2]};
  const Vec3 s{t2[0] + arc.t1[0], t2[1] + arc.t1[1], t2[2] + arc.t1[2]};
  arc.dogleg = 2 * std::atan2(std::sqrt(dot(d, d)), std::sqrt(dot(s, s)));
  const double length = b.md - a.md;
  if (arc.dogleg > kStraight && length > 0) {
    const double sn = std::sin(arc.dogleg);
    for (int i = 0; i < 3; ++i) arc.normal[i] = (t2[i] - arc.t1[i] * c) / sn;
    arc.radius = length / arc.dogleg;
  } else {
    arc.dogleg = 0;
  }
  return arc;
}

// Inclination and azimuth of the unit direction t; a vertical direction has no azimuth of its
// own and takes verticalAzimuth (the nearer station's).
void setDirection(CoursePoint& p, const Vec3& t, double verticalAzimuth) {
  p.direction = t;
  p.inc = std::acos(std::clamp(t[2], -1.0, 1.0)) / kRad;
  const double horizontal = std::sqrt(t[0] * t[0] + t[1] * t[1]);
  if (horizontal > 1e-12) {
    p.azi = wrapAzimuthOnce(std::atan2(t[1], t[0]) / kRad);
  } else {
    p.azi = verticalAzimuth;
  }
}

// Position and direction a distance s along a course that starts at ra; the arc is either a
// course's Arc or the path's stored course, which carry the same fields.
template <class CourseArc>
void placeAlong(const CourseArc& arc, const Vec3& ra, double s, double verticalAzimuth,
                CoursePoint& p) {
  Vec3 t{};
  if (arc.dogleg == 0) {
    t = arc.t1;
    for (int i = 0; i < 3; ++i) p.position[i] = ra[i] + s * arc.t1[i];
  } else {
    const double theta = s / arc.radius;
    const double st = std::sin(theta), ct = std::cos(theta);
    for (int i = 0; i < 3; ++i) {
      t[i] = ct * arc.t1[i] + st * arc.normal[i];
      p.position[i] = ra[i] + arc.radius * (st * arc.t1[i] + (1 - ct) * arc.normal[i]);
    }
  }
  setDirection(p, t, verticalAzimuth);
}

std::string depthText(double md) {
  std::array<char, 32> buf{};
  const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), md);
  return std::string(buf.data(), r.ptr);
}

}  // namespace

Vec3 DirectionOf(double incDeg, double aziDeg) noexcept {
  const double i = incDeg * kRad, a = aziDeg * kRad;
  return {std::sin(i) * std::cos(a), std::sin(i) * std::sin(a), std::cos(i)};
}

std::string CheckPath(const SurveyPath& path) {
  if (path.stations.empty()) return "没有测点";
  for (double v : path.tieOn)
    if (!std::isfinite(v)) return "起始点坐标不是有效数字";
  for (std::size_t i = 0; i < path.stations.size(); ++i) {
    const PathStation& s = path.stations[i];
    // Named by its depth: callers may have put a surface point ahead of the stations they read.
    const std::string at = std::isfinite(s.md) ? "测深" + depthText(s.md) + " m处的测点"
                                               : "第" + std::to_string(i + 1) + "个测点";
    if (!std::isfinite(s.md) || !std::isfinite(s.inc) || !std::isfinite(s.azi))
      return at + "有无效数值";
    if (s.md < 0) return at + "的测深为负";
    if (s.inc < 0 || s.inc > 180) return at + "的井斜应在0到180°之间";
    if (i > 0 && !(s.md > path.stations[i - 1].md)) return at + "的测深没有大于上一个测点";
  }
  return {};
}

std::vector<Vec3> MinimumCurvaturePositions(const SurveyPath& path) {
  std::vector<Vec3> out(path.stations.size());
  if (out.empty()) return out;
  out[0] = path.tieOn;
  for (std::size_t k = 1; k < out.size(); ++k) {
    const PathStation& a = path.stations[k - 1];
    const PathStation& b = path.stations[k];
    const Vec3 t1 = DirectionOf(a.inc, a.azi), t2 = DirectionOf(b.inc, b.azi);
    const Arc arc = arcOf(a, b);
    const double half = arc.dogleg / 2;
    const double ratio = half > 1e-7 ? std::tan(half) / half : 1 + half * half / 3;
    const double f = (b.md - a.md) / 2 * ratio;
    for (int i = 0; i < 3; ++i) out[k][i] = out[k - 1][i] + f * (t1[i] + t2[i]);
  }
  return out;
}

CoursePoint PointInCourse(const PathStation& a, const Vec3& ra, const PathStation& b,
                          double md) noexcept {
  const Arc arc = arcOf(a, b);
  const double s = std::clamp(md - a.md, 0.0, b.md - a.md);
  CoursePoint p;
  p.md = a.md + s;
  placeAlong(arc, ra, s, s * 2 < b.md - a.md ? a.azi : b.azi, p);
  return p;
}

void PathGeometry::build(const SurveyPath& path) {
  stations_ = path.stations;
  positions_ = MinimumCurvaturePositions(path);
  courses_.assign(stations_.size(), Course{});
  for (std::size_t j = 1; j < stations_.size(); ++j) {
    const Arc arc = arcOf(stations_[j - 1], stations_[j]);
    courses_[j] = {arc.t1, arc.normal, arc.dogleg, arc.radius, std::cos(arc.dogleg)};
  }
  boxes_.clear();
  if (stations_.size() >= 2) {
    boxes_.reserve(2 * stations_.size() / kLeafCourses + 2);
    addBox(1, stations_.size() - 1);
  }
}

std::size_t PathGeometry::addBox(std::size_t first, std::size_t last) {
  const std::size_t index = boxes_.size();
  boxes_.push_back({});
  Box box;
  box.first = first;
  box.last = last;
  box.lo = box.hi = positions_[first - 1];
  double halfLength = 0;
  for (std::size_t j = first; j <= last; ++j) {
    for (int i = 0; i < 3; ++i) {
      box.lo[i] = std::min(box.lo[i], positions_[j][i]);
      box.hi[i] = std::max(box.hi[i], positions_[j][i]);
    }
    halfLength = std::max(halfLength, (stations_[j].md - stations_[j - 1].md) / 2);
  }
  // A course's points lie within half its length of one of its ends.
  for (int i = 0; i < 3; ++i) {
    box.lo[i] -= halfLength;
    box.hi[i] += halfLength;
  }
  if (last - first + 1 > kLeafCourses) {
    const std::size_t middle = first + (last - first) / 2;
    box.left = addBox(first, middle);
    box.right = addBox(middle + 1, last);
  }
  boxes_[index] = box;
  return index;
}

std::size_t PathGeometry::courseEnding(double md) const noexcept {
  if (stations_.size() < 2 || md <= stations_.front().md) return 0;
  const auto it = std::lower_bound(stations_.begin(), stations_.end(), md,
                                   [](const PathStation& s, double v) { return s.md < v; });
  if (it == stations_.end()) return stations_.size() - 1;
  return static_cast<std::size_t>(it - stations_.begin());
}

CoursePoint PathGeometry::pointAt(double md) const noexcept {
  CoursePoint p;
  if (stations_.empty()) return p;
  const std::size_t k = courseEnding(md);
  const auto at = [&](std::size_t i) {
    p.md = stations_[i].md;
    p.inc = stations_[i].inc;
    p.azi = stations_[i].azi;
    p.position = positions_[i];
    p.direction = DirectionOf(p.inc, p.azi);
    return p;
  };
  if (k == 0) return at(0);
  if (md >= stations_[k].md) return at(k);
  if (md <= stations_[k - 1].md) return at(k - 1);
  const Course& c = courses_[k];
  const Vec3& ra = positions_[k - 1];
  const double s = md - stations_[k - 1].md;
  p.md = md;
  placeAlong(
      c, ra, s,
      s * 2 < stations_[k].md - stations_[k - 1].md ? stations_[k - 1].azi : stations_[k].azi, p);
  return p;
}

void PathGeometry::closestInCourse(std::size_t j, const Vec3& q, double& best2,
                                   double& bestMd) const {
  const Course& c = courses_[j];
  const Vec3& ra = positions_[j - 1];
  const double length = stations_[j].md - stations_[j - 1].md;
  const Vec3 d{q[0] - ra[0], q[1] - ra[1], q[2] - ra[2]};
  if (c.dogleg == 0) {
    const double along = std::clamp(dot(d, c.t1), 0.0, length);
    const Vec3 r{d[0] - along * c.t1[0], d[1] - along * c.t1[1], d[2] - along * c.t1[2]};
    const double d2 = dot(r, r);
    if (d2 < best2) {
      best2 = d2;
      bestMd = stations_[j - 1].md + along;
    }
    return;
  }
  // The arc is centre + R (sin θ t1 − cos θ n), 0 <= θ <= dogleg; the distance to q is least
  // where the arc's radius points most towards q's projection (x, y) on the arc's plane, at
  // θ = atan2(x, y) when that lies on the arc (the dogleg is at most 180°).
  const Vec3 f{d[0] - c.radius * c.normal[0], d[1] - c.radius * c.normal[1],
               d[2] - c.radius * c.normal[2]};
  const double x = dot(f, c.t1);
  const double y = -dot(f, c.normal);
  const double r = std::sqrt(x * x + y * y);
  if (x >= 0 && y >= r * c.cosDogleg && r > 0) {
    // |f − R(sin θ t1 − cos θ n)|² with x sin θ + y cos θ = r at the best θ.
    const double d2 = std::max(0.0, dot(f, f) - 2 * c.radius * r + c.radius * c.radius);
    if (d2 < best2) {
      best2 = d2;
      bestMd = stations_[j - 1].md + std::min(std::atan2(x, y) * c.radius, length);
    }
    return;
  }
  // Off the arc the nearer end is the closest point.
  const Vec3& rb = positions_[j];
  const Vec3 e{q[0] - rb[0], q[1] - rb[1], q[2] - rb[2]};
  const double da = dot(d, d), db = dot(e, e);
  if (std::min(da, db) < best2) {
    best2 = std::min(da, db);
    bestMd = da <= db ? stations_[j - 1].md : stations_[j].md;
  }
}

CourseMatch PathGeometry::closestTo(const Vec3& q) const noexcept {
  CourseMatch best;
  const std::size_t n = stations_.size();
  if (n == 0) return best;
  const auto dist2 = [&](std::size_t i) {
    const Vec3& p = positions_[i];
    const double a = p[0] - q[0], b = p[1] - q[1], c = p[2] - q[2];
    return a * a + b * b + c * c;
  };
  double best2 = dist2(0);
  best.md = stations_[0].md;
  const auto boxDistance2 = [&](const Box& b) {
    double sum = 0;
    for (int i = 0; i < 3; ++i) {
      const double below = b.lo[i] - q[i], above = q[i] - b.hi[i];
      const double gap = below > 0 ? below : (above > 0 ? above : 0);
      sum += gap * gap;
    }
    return sum;
  };
  // Depth-first through the boxes, the nearer child first, skipping a box no nearer than the
  // best found so far.
  std::size_t stack[128];
  std::size_t top = 0;
  if (!boxes_.empty()) stack[top++] = 0;
  while (top > 0) {
    const Box& b = boxes_[stack[--top]];
    if (boxDistance2(b) >= best2) continue;
    if (b.left == 0) {
      for (std::size_t j = b.first; j <= b.last; ++j) {
        // Every point of a course lies within half its length of one of its ends.
        const double reach = std::sqrt(best2) + (stations_[j].md - stations_[j - 1].md) / 2;
        if (std::min(dist2(j - 1), dist2(j)) >= reach * reach) continue;
        closestInCourse(j, q, best2, best.md);
      }
      continue;
    }
    const double dl = boxDistance2(boxes_[b.left]), dr = boxDistance2(boxes_[b.right]);
    // The tree is balanced, so its depth stays far below the stack's size.
    if (dl <= dr) {
      stack[top++] = b.right;
      stack[top++] = b.left;
    } else {
      stack[top++] = b.left;
      stack[top++] = b.right;
    }
  }
  best.distance = std::sqrt(best2);
  return best;
}

}  // namespace tarsek::unc
