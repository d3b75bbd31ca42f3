#include "uncertainty/hit_probability.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tarsek::unc {
namespace {

double normalCdf(double x) { return 0.5 * std::erfc(-x / std::numbers::sqrt2); }

// Adaptive Simpson on [a, b]; whole is Simpson's estimate over the interval.
template <class F>
double simpson(const F& f, double a, double fa, double m, double fm, double b, double fb,
               double whole, double tol, int depth) {
  const double lm = (a + m) / 2, rm = (m + b) / 2;
  const double flm = f(lm), frm = f(rm);
  const double left = (m - a) / 6 * (fa + 4 * flm + fm);
  const double right = (b - m) / 6 * (fm + 4 * frm + fb);
  const double delta = left + right - whole;
  if (depth <= 0 || std::fabs(delta) <= 15 * tol) return left + right + delta / 15;
  return simpson(f, a, fa, lm, flm, m, fm, left, tol / 2, depth - 1) +
         simpson(f, m, fm, rm, frm, b, fb, right, tol / 2, depth - 1);
}

}  // namespace

// Method: turn to the principal axes of the covariance (u along the larger standard deviation
// σu, v across it, σv), with the circle's centre at (cu, cv) relative to the mean. Then
//   P = ∫ φ(u/σu)/σu · [Φ((cv + h)/σv) − Φ((cv − h)/σv)] du,   h = √(r² − (u − cu)²),
// the inner integral over v being exact through the normal distribution function. With
// u = cu + r sin θ the chord's square root disappears (h = r cos θ, du = r cos θ dθ) and the
// integrand is smooth; θ runs only over the part of the circle within 9 σu of the mean, outside
// which the density is below 1e-18. Adaptive Simpson to 1e-9 on that range.
double HitProbability(double dn, double de, double nn, double ee, double ne, double radius) {
  if (!(radius > 0) || !std::isfinite(dn) || !std::isfinite(de)) return 0;
  nn = std::max(0.0, nn);
  ee = std::max(0.0, ee);
  const double mean = (nn + ee) / 2;
  const double half = std::hypot((nn - ee) / 2, ne);
  const double su = std::sqrt(std::max(0.0, mean + half));
  const double sv = std::sqrt(std::max(0.0, mean - half));
  const double inside = dn * dn + de * de <= radius * radius ? 1.0 : 0.0;
  if (su < 1e-9 * radius) return inside;
  const double angle = 0.5 * std::atan2(2 * ne, nn - ee);
  const double cu0 = std::cos(angle), su0 = std::sin(angle);
  // Target centre relative to the mean, in the principal axes.
  const double cu = -(dn * cu0 + de * su0);
  const double cv = -(-dn * su0 + de * cu0);
  const double lo = std::max(-1.0, (-9 * su - cu) / radius);
  const double hi = std::min(1.0, (9 * su - cu) / radius);
  if (lo >= hi) return 0;
  const auto f = [&](double theta) {
    const double u = cu + radius * std::sin(theta);
    const double h = radius * std::cos(theta);
    const double density =
        std::exp(-0.5 * (u / su) * (u / su)) / (su * std::sqrt(2 * std::numbers::pi));
    double across = 0;
    if (sv < 1e-12 * radius)
      across = (cv - h <= 0 && 0 <= cv + h) ? 1.0 : 0.0;
    else
      across = normalCdf((cv + h) / sv) - normalCdf((cv - h) / sv);
    return density * across * h;
  };
  const double a = std::asin(lo), b = std::asin(hi), m = (a + b) / 2;
  const double fa = f(a), fm = f(m), fb = f(b);
  const double whole = (b - a) / 6 * (fa + 4 * fm + fb);
  const double p = simpson(f, a, fa, m, fm, b, fb, whole, 1e-10, 40);
  return std::clamp(p, 0.0, 1.0);
}

TargetHit HitAtDepth(const CovarianceTrack& track, double tvd, double targetNorth,
                     double targetEast, double radius) {
  TargetHit hit;
  if (track.empty() || track.position(0)[2] > tvd) return hit;
  std::size_t k = 1;
  while (k < track.size() && track.position(k)[2] < tvd) ++k;
  if (k >= track.size()) {
    // A path projected down to the depth may end a rounding error short of it.
    if (track.size() < 2 || track.position(track.size() - 1)[2] < tvd - 1e-6) return hit;
    k = track.size() - 1;
  }
  // Bisection on measured depth inside the course: its depth rises monotonically there
  // unless the course turns up, when the first reach is still found.
  double lo = track.station(k - 1).md, hi = track.station(k).md;
  for (int i = 0; i < 100 && hi - lo > 1e-7; ++i) {
    const double mid = (lo + hi) / 2;
    const CoursePoint p = track.geometry().pointAt(mid);
    (p.position[2] < tvd ? lo : hi) = mid;
  }
  hit.crossed = true;
  hit.at = track.at(hi);
  const double dn = hit.at.point.position[0] - targetNorth;
  const double de = hit.at.point.position[1] - targetEast;
  hit.missDistance = std::hypot(dn, de);
  hit.probability = HitProbability(dn, de, hit.at.covariance.nn, hit.at.covariance.ee,
                                   hit.at.covariance.ne, radius);
  return hit;
}

SurveyPath ProjectToDepth(const SurveyPath& path, double tvd) {
  if (path.stations.empty()) return path;
  const std::vector<Vec3> positions = MinimumCurvaturePositions(path);
  const PathStation& last = path.stations.back();
  const double below = tvd - positions.back()[2];
  const double cosInc = std::cos(last.inc * std::numbers::pi / 180);
  if (below <= 0 || cosInc < 1e-6) return path;
  SurveyPath out = path;
  PathStation next = last;
  next.md = last.md + below / cosInc;
  out.stations.push_back(next);
  return out;
}

}  // namespace tarsek::unc
