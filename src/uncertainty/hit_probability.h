#pragma once

// Probability that the true position of the well lies inside the target circle, from the
// bivariate normal distribution of its horizontal position where it crosses the target depth.

#include "uncertainty/propagation.h"

namespace tarsek::unc {

/// Probability that a horizontal position, normally distributed about a mean lying (dn, de)
/// metres from the target centre with covariance nn, ee, ne (m²), falls within radius of the
/// centre. Accurate to 1e-6 or better.
double HitProbability(double dn, double de, double nn, double ee, double ne, double radius);

/// The crossing of a target depth and its probability.
struct TargetHit {
  bool crossed = false;       ///< false when the path does not reach the depth (nothing else set)
  CovarianceTrack::Point at;  ///< the crossing point and its covariance
  double missDistance = 0;    ///< horizontal distance from the target centre, m
  double probability = 0;
};

/// Where the path first reaches vertical depth tvd, and the probability of lying within
/// radius of the target centre (north, east) there. Same axes and origin as the track.
TargetHit HitAtDepth(const CovarianceTrack& track, double tvd, double targetNorth,
                     double targetEast, double radius);

/// The path extended from its last station, holding that station's inclination and azimuth,
/// down to vertical depth tvd: one more station. Unchanged when the path already reaches tvd,
/// has no stations, or is not heading down (inclination 90 or more).
SurveyPath ProjectToDepth(const SurveyPath& path, double tvd);

}  // namespace tarsek::unc
