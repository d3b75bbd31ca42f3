#include "survey/guidance.h"

#include <cmath>
#include <limits>

#include "common/angles.h"
#include "common/constants.h"
#include "survey/survey_calc.h"

namespace tarsek {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double sinDeg(double degrees) { return std::sin(toRadians(degrees)); }
double cosDeg(double degrees) { return std::cos(toRadians(degrees)); }
double atanDeg(double x) { return toDegrees(std::atan(x)); }

// True for an angle lying exactly on a multiple of `step` plus `offset` degrees. The program's
// pi is not the machine's, so cos(90 deg) comes out as 1e-13 rather than 0 and the quotients
// built on it are huge but finite: those cases must be caught by the angle itself.
bool exactlyAt(double degrees, double step, double offset) {
  if (!std::isfinite(degrees)) return false;
  return std::fabs(std::fmod(degrees - offset, step)) == 0;
}

// Straight course length from a vertical depth difference and the inclination it is drilled at.
double chord(double deltaTvd, double inclination) {
  if (!std::isfinite(inclination) || exactlyAt(inclination, 180, 90)) return kNaN;
  return deltaTvd / cosDeg(inclination);
}

// Inclination, degrees, of the straight line to a point deltaTvd lower and d metres away.
double inclinationTo(double deltaTvd, double d) {
  if (!std::isfinite(d)) return kNaN;
  return AzimuthOf(deltaTvd, d);
}

// Where the plan-view line N = a * E - b meets the circle of radius r around (nt, et): the two
// east coordinates, larger root first. A line that misses the circle gives NaN.
struct Roots {
  double e1, e2;
};
Roots lineCircle(double a, double b, double nt, double et, double r) {
  const double bb = 2 * (et + a * (b + nt));
  const double cc = (b + nt) * (b + nt) + et * et - r * r;
  const double aa = 1 + a * a;
  const double disc = bb * bb - 4 * aa * cc;
  if (!(disc >= 0)) return {kNaN, kNaN};
  const double root = std::sqrt(disc);
  return {(bb + root) / (2 * aa), (bb - root) / (2 * aa)};
}

double finiteOrNaN(double v) { return std::isfinite(v) ? v : kNaN; }

}  // namespace

double rate(double angleTo, double angleFrom, double length) noexcept {
  const double q = 36000 * sinDeg(shorterArcOnce(angleTo - angleFrom)) / (kPi * length);
  return std::isfinite(q) ? q : kNaN;
}

TargetGuidance computeTargetGuidance(const WellRecord& well, int target) {
  TargetGuidance g;
  const int n = well.stationCount;
  if (n < 1 || static_cast<int>(well.results.size()) < n ||
      static_cast<int>(well.stations.size()) < n)
    return g;
  const bool second = target == 2;
  const StationResult& s = well.results[static_cast<std::size_t>(n - 1)];
  const SurveyStation& p = well.stations[static_cast<std::size_t>(n - 1)];
  const double alpha = p.inclination;
  const double az = p.azimuth;
  const double phi = p.gridAzimuth;
  const double n0 = s.north;
  const double e0 = s.east;
  const double t = second ? well.target2Tvd : well.target1Tvd;
  const double r = well.targetRadius;
  const double dd = second ? well.designDisplacement2 : well.designDisplacement1;
  const double nt = (second ? well.target2X : well.target1X) - well.wellheadX;
  const double et = (second ? well.target2Y : well.target1Y) - well.wellheadY;
  const double thetaC = second ? s.target2Inclination : s.target1Inclination;
  const double thetaA = second ? s.target2Azimuth : s.target1Azimuth;
  const double d = second ? s.target2Distance : s.target1Distance;

  const double dv = t - s.tvd;
  g.remainingTvd = dv;
  g.remainingDisplacement = dd - s.verticalSection;
  g.lateralOffset = s.lateralOffset;
  g.centreInclination = thetaC;
  g.centreAzimuth = thetaA;

  if (d > r) {
    const double w = toDegrees(ArcSine(r / d));
    g.azimuthMin = thetaA - w;
    g.azimuthMax = thetaA + w;
    g.inclinationMax = atanDeg((d + r) / dv);
    g.inclinationMin = atanDeg((d - r) / dv);
  } else {
    g.insideCircle = true;
    g.azimuthMin = 0;
    g.azimuthMax = 360;
    g.inclinationMin = 0;
    g.inclinationMax = s.verticalSection < dd ? atanDeg((r + d) / dv) : atanDeg((r - d) / dv);
  }

  // The arc that leaves the station tangent to its inclination and ends at the target centre.
  const double c = chord(dv, thetaC);
  if (alpha != thetaC) {
    const double delta = toRadians(thetaC - alpha);
    g.remainingLength = c * delta / std::sin(delta);
  } else {
    g.remainingLength = c;
  }
  g.centreBuildRate = rate(thetaC, alpha, g.remainingLength);
  g.buildRateHigh = rate(g.inclinationMax, alpha, chord(dv, g.inclinationMax));
  g.buildRateLow = rate(g.inclinationMin, alpha, chord(dv, g.inclinationMin));

  // Holding the azimuth: the well runs on along its plan-view line, so the reachable part of
  // the circle is the chord that line cuts.
  if (g.azimuthMax - g.azimuthMin <= 180 && g.azimuthMin <= az && az <= g.azimuthMax) {
    g.holdAzimuth = true;
    double e1, e2, n1, n2;
    if (az == 0 || az == 180) {
      const double half = std::sqrt(r * r - (et - e0) * (et - e0));
      e1 = e2 = e0;
      n1 = nt + half;
      n2 = nt - half;
    } else if (exactlyAt(phi, 180, 0)) {
      e1 = e2 = n1 = n2 = kNaN;  // a north-south grid line has no slope a
    } else {
      const double a = cosDeg(phi) / sinDeg(phi);
      const double b = a * e0 - n0;
      const Roots roots = lineCircle(a, b, nt, et, r);
      e1 = roots.e1;
      e2 = roots.e2;
      n1 = a * (e1 - e0) + n0;
      n2 = a * (e2 - e0) + n0;
    }
    const auto buildTo = [&](double ni, double ei) {
      const double di = std::hypot(ni - n0, ei - e0);
      const double ii = inclinationTo(dv, di);
      return rate(ii, alpha, chord(dv, ii));
    };
    g.buildRateHigh = buildTo(n1, e1);
    g.buildRateLow = buildTo(n2, e2);
  }

  g.centreTurnRate = rate(thetaA, az, g.remainingLength);
  g.turnRateHigh = rate(g.azimuthMax, az, g.remainingLength);
  g.turnRateLow = rate(g.azimuthMin, az, g.remainingLength);

  // Holding the inclination: at the target depth the well lies somewhere on the line across
  // its own direction through the point it would reach going straight on.
  if (std::fabs(phi - well.designAzimuth) < 180 && s.verticalSection < dd - r && alpha != 0 &&
      g.inclinationMin <= alpha && alpha <= g.inclinationMax) {
    g.holdInclination = true;
    double e1 = kNaN, e2 = kNaN, n1 = kNaN, n2 = kNaN;
    if (!exactlyAt(phi, 180, 90)) {
      const double h = dv * std::tan(toRadians(alpha));
      const double np = n0 + h * cosDeg(phi);
      const double ep = e0 + h * sinDeg(phi);
      const double m = -std::tan(toRadians(phi));
      const double b = m * ep - np;
      const Roots roots = lineCircle(m, b, nt, et, r);
      e1 = roots.e1;
      e2 = roots.e2;
      n1 = np + m * (e1 - ep);
      n2 = np + m * (e2 - ep);
    }
    const auto turnTo = [&](double ni, double ei) {
      if (!std::isfinite(ni) || !std::isfinite(ei)) return kNaN;
      const double di = std::hypot(ni - n0, ei - e0);
      const double ii = inclinationTo(dv, di);
      const double ai = AzimuthOf(ni - n0, ei - e0);
      double li = chord(dv, ii);
      // The turn to the crossing point is the short way round the compass.
      const double delta = toRadians(shorterArcOnce(ai - phi));
      if (delta != 0) li = li * delta / std::sin(delta);
      return rate(ai, phi, li);
    };
    g.turnRateHigh = turnTo(n1, e1);
    g.turnRateLow = turnTo(n2, e2);
  }

  for (double* v : {&g.remainingTvd, &g.remainingLength, &g.remainingDisplacement, &g.lateralOffset,
                    &g.centreInclination, &g.centreAzimuth, &g.inclinationMin, &g.inclinationMax,
                    &g.azimuthMin, &g.azimuthMax, &g.centreBuildRate, &g.buildRateLow,
                    &g.buildRateHigh, &g.centreTurnRate, &g.turnRateLow, &g.turnRateHigh})
    *v = finiteOrNaN(*v);
  return g;
}

bool guidesTarget(const WellState& session, int target) noexcept {
  const WellRecord& w = session.well;
  const int n = w.stationCount;
  if (w.wellNo.empty() || n < 1 || static_cast<int>(w.results.size()) < n) return false;
  const double tvd = w.results[static_cast<std::size_t>(n - 1)].tvd;
  const bool guides1 = 0 <= tvd && tvd < w.target1Tvd;
  if (target == 1) return guides1;
  return target == 2 && w.targetCount == 2 && !guides1 && tvd < w.target2Tvd;
}

}  // namespace tarsek
