#include "uncertainty/clearance.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarsek::unc {
namespace {

double distance2(const Vec3& a, const Vec3& b) {
  const double dn = a[0] - b[0], de = a[1] - b[1], dv = a[2] - b[2];
  return dn * dn + de * de + dv * dv;
}

}  // namespace

ClearancePoint SeparationAt(const Vec3& reference, const Cov3& referenceCov, const Vec3& offset,
                            const Cov3& offsetCov, const ClearanceSettings& s) {
  ClearancePoint c;
  c.reference = reference;
  c.offset = offset;
  c.distance = std::sqrt(distance2(reference, offset));
  double variance = 0;
  if (c.distance > 1e-9) {
    const Vec3 u{(offset[0] - reference[0]) / c.distance, (offset[1] - reference[1]) / c.distance,
                 (offset[2] - reference[2]) / c.distance};
    variance = referenceCov.along(u) + offsetCov.along(u);
  } else {
    // Coincident centres leave no line between them: take the worst direction instead.
    Cov3 sum = referenceCov;
    sum += offsetCov;
    variance = sum.largestEigenvalue();
  }
  c.sigmaS = std::sqrt(std::max(0.0, variance));
  const double denominator = s.k * std::sqrt(c.sigmaS * c.sigmaS + s.sigmaPa * s.sigmaPa);
  const double numerator = c.distance - s.referenceRadius - s.offsetRadius - s.sm;
  if (denominator > 0)
    c.sf = std::clamp(numerator / denominator, -kSeparationCap, kSeparationCap);
  else
    c.sf = numerator >= 0 ? kSeparationCap : -kSeparationCap;
  return c;
}

std::vector<ClearancePoint> SeparationAlong(const CovarianceTrack& reference,
                                            const CovarianceTrack& offset,
                                            const ClearanceSettings& settings) {
  std::vector<ClearancePoint> out;
  if (reference.empty() || offset.empty()) return out;
  out.reserve(reference.size());
  for (std::size_t i = reference.firstSurveyed(); i < reference.size(); ++i) {
    const Vec3& q = reference.position(i);
    const CourseMatch m = offset.geometry().closestTo(q);
    const CovarianceTrack::Point p = offset.at(m.md);
    ClearancePoint c =
        SeparationAt(q, reference.covariance(i), p.point.position, p.covariance, settings);
    c.md = reference.station(i).md;
    c.offsetMd = p.point.md;
    out.push_back(c);
  }
  return out;
}

}  // namespace tarsek::unc
