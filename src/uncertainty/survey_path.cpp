#include "uncertainty/survey_path.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tarsek::unc {
namespace {

constexpr double kRad = std::numbers::pi / 180;
// Below this dogleg (radians) a course is treated as straight: the arc formulas divide by it.
constexpr double kStraight = 1e-9;

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
    const std::string at = "第" + std::to_string(i + 1) + "个测点";
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
  p.inc = std::acos(std::clamp(t[2], -1.0, 1.0)) / kRad;
  const double horizontal = std::hypot(t[0], t[1]);
  if (horizontal > 1e-12) {
    p.azi = std::atan2(t[1], t[0]) / kRad;
    if (p.azi < 0) p.azi += 360;
    if (p.azi >= 360) p.azi -= 360;
  } else {
    // A vertical point has no azimuth of its own: keep the nearer station's.
    p.azi = s * 2 < b.md - a.md ? a.azi : b.azi;
  }
  return p;
}

double ClosestInCourse(const PathStation& a, const Vec3& ra, const PathStation& b,
                       const Vec3& q) noexcept {
  const Arc arc = arcOf(a, b);
  const double length = b.md - a.md;
  if (length <= 0) return a.md;
  const Vec3 d{q[0] - ra[0], q[1] - ra[1], q[2] - ra[2]};
  if (arc.dogleg == 0) return a.md + std::clamp(dot(d, arc.t1), 0.0, length);
  // The arc is centre + R (sin θ t1 − cos θ n), 0 <= θ <= dogleg; the distance to q is least
  // where the arc's radius points most towards q's projection on the arc's plane.
  const Vec3 fromCentre{d[0] - arc.radius * arc.normal[0], d[1] - arc.radius * arc.normal[1],
                        d[2] - arc.radius * arc.normal[2]};
  const double x = dot(fromCentre, arc.t1);
  const double y = -dot(fromCentre, arc.normal);
  double theta = std::atan2(x, y);
  if (theta < 0 || theta > arc.dogleg) {
    // Outside the arc: the nearer end in angle around the circle is the nearer end in space.
    const auto gap = [](double t) {
      const double g = std::fabs(std::remainder(t, 2 * std::numbers::pi));
      return g;
    };
    theta = gap(theta) <= gap(theta - arc.dogleg) ? 0 : arc.dogleg;
  }
  return a.md + std::clamp(theta * arc.radius, 0.0, length);
}

}  // namespace tarsek::unc
