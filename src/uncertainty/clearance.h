#pragma once

// Separation factor between two surveyed wells by the ISCWSA collision-avoidance rule:
// SF = (D − Rr − Ro − Sm) / (k · √(σs² + σpa²)), D the centre-to-centre distance at the offset
// point closest to the reference station, σs the two wells' combined standard deviation along
// the line between the points.

#include <vector>

#include "uncertainty/propagation.h"

namespace tarsek::unc {

struct ClearanceSettings {
  double referenceRadius = 0;  ///< Rr, m
  double offsetRadius = 0;     ///< Ro, m
  double k = 3.5;
  double sm = 0.3;       ///< surface margin, m
  double sigmaPa = 0.5;  ///< project-ahead standard deviation, m
};

/// SF is kept within ±kSeparationCap so that coincident centres with no uncertainty (at the
/// surface, with σpa 0) give a finite figure; far beyond any value a rule looks at.
inline constexpr double kSeparationCap = 9999;

/// One reference station against one offset well.
struct ClearancePoint {
  double md = 0;        ///< reference station's measured depth
  double offsetMd = 0;  ///< measured depth of the offset's closest point
  double distance = 0;  ///< D, m
  double sigmaS = 0;    ///< √(σr² + σo²) along the line between the points, m
  double sf = 0;
  Vec3 reference{};  ///< the two points
  Vec3 offset{};
};

/// SF from the two points, their covariances and the settings.
ClearancePoint SeparationAt(const Vec3& reference, const Cov3& referenceCov, const Vec3& offset,
                            const Cov3& offsetCov, const ClearanceSettings& settings);

/// One ClearancePoint per reference station from its firstSurveyed on, against the offset's closest
/// point, whose covariance is that of a station placed there. Both tracks in the same axes and
/// origin.
std::vector<ClearancePoint> SeparationAlong(const CovarianceTrack& reference,
                                            const CovarianceTrack& offset,
                                            const ClearanceSettings& settings);

}  // namespace tarsek::unc
