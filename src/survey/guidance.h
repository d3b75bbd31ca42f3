#pragma once

#include "model/well_record.h"
#include "model/well_state.h"

namespace tarsek {

/// How the open well still reaches one target: distances in metres, angles in degrees, rates in
/// degrees per 100 m. A value that cannot be computed for the well's geometry (an angle of
/// exactly 90 degrees under a cosine, a line that misses the target circle, ...) is NaN and is
/// shown as "--".
struct TargetGuidance {
  double remainingTvd = 0;           ///< vertical depth still to drill to the target, m
  double remainingLength = 0;        ///< hole length along the arc to the target centre, m
  double remainingDisplacement = 0;  ///< design displacement minus the current vertical section, m
  double lateralOffset = 0;          ///< current offset from the design line, m
  double centreInclination = 0;      ///< inclination of the line to the target centre
  double centreAzimuth = 0;          ///< magnetic azimuth of that line
  double inclinationMin = 0;         ///< inclination window that still reaches the circle
  double inclinationMax = 0;
  double azimuthMin = 0;  ///< azimuth window that still reaches the circle
  double azimuthMax = 0;
  double centreBuildRate = 0;  ///< build rate that aims at the target centre
  double buildRateLow = 0;     ///< allowed build-rate range
  double buildRateHigh = 0;
  double centreTurnRate = 0;  ///< turn rate that aims at the target centre
  double turnRateLow = 0;     ///< allowed turn-rate range
  double turnRateHigh = 0;
  bool insideCircle = false;     ///< the plan projection of the station lies in the target circle
  bool holdAzimuth = false;      ///< the build-rate range is for holding the current azimuth
  bool holdInclination = false;  ///< the turn-rate range is for holding the current inclination
};

/// Rate of change, degrees per 100 m, that turns angleFrom into angleTo (degrees) over length
/// metres of circular arc.
double rate(double angleTo, double angleFrom, double length) noexcept;

/// Guidance of the well's last survey station towards target 1 or 2 (target); reads only the
/// record and its computed results. A well without stations gives an all-zero record.
TargetGuidance computeTargetGuidance(const WellRecord& well, int target);

/// True when the guidance panel guides the well to target 1 or 2 (target) rather than giving
/// its verdict or leaving it out.
bool guidesTarget(const WellState& session, int target) noexcept;

}  // namespace tarsek
