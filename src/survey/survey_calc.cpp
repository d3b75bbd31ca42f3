#include "survey/survey_calc.h"

#include <algorithm>
#include <cmath>

#include "common/angles.h"
#include "common/constants.h"
#include "survey/min_curvature.h"
#include "survey/vector_math.h"

namespace tarsek {

namespace {

constexpr double kTolerance = 0.0001;
// The bracket halves at every step, so a double-precision course is exhausted long before this;
// the bound only keeps a value outside the course from hanging the caller.
constexpr int kMaxHalvings = 200;

double finiteOr(double v, double fallback) noexcept { return std::isfinite(v) ? v : fallback; }

/// Dogleg severity in degrees per 30 m from the inclination and azimuth changes (radians), the
/// mean inclination (radians) and the course length; a zero-length course has no dogleg.
double doglegFromSine(double dI, double dA, double sinMeanI, double courseLength) noexcept {
  const double s = dA * dA * sinMeanI * sinMeanI + dI * dI;
  if (s == 0 || courseLength == 0 || !std::isfinite(courseLength)) return 0;
  return finiteOr(toDegrees(std::sqrt(s)) / courseLength * 30, 0);
}

double doglegSeverity(double dI, double dA, double meanI, double courseLength) noexcept {
  return doglegFromSine(dI, dA, std::sin(meanI), courseLength);
}

/// Closure, projection on the design azimuth, from north and east already set.
void setClosure(StationResult& r, const BasicData& block) noexcept {
  r.closureAzimuth = AzimuthOf(r.north, r.east);
  r.closureDistance = std::sqrt(r.east * r.east + r.north * r.north);
  const double delta = toRadians(r.closureAzimuth - block.designAzimuth);
  r.verticalSection = r.closureDistance * std::cos(delta);
  r.lateralOffset = r.closureDistance * std::sin(delta);
}

/// Inclination of the straight line to a target, degrees; a target at the point's own depth
/// and position has no defined direction and reads 0.
double lineInclination(double distance, double depthBelow) noexcept {
  return finiteOr(toDegrees(std::atan(distance / depthBelow)), 0);
}

/// Distance, magnetic azimuth and line inclination from a point to one target. A target at or
/// above the point's depth keeps the azimuth and inclination it had.
void aimAt(const StationResult& r, const BasicData& block, double targetX, double targetY,
           double targetTvd, double& distance, double& azimuth, double& inclination) noexcept {
  const double dN = (targetX - block.wellheadX) - r.north;
  const double dE = (targetY - block.wellheadY) - r.east;
  distance = std::sqrt(dN * dN + dE * dE);
  if (targetTvd - r.tvd > 0) {
    azimuth = AzimuthOf(dN, dE) - block.magDeclination;
    inclination = lineInclination(distance, targetTvd - r.tvd);
  }
}

void setTargets(StationResult& r, const BasicData& block) noexcept {
  aimAt(r, block, block.target1X, block.target1Y, block.target1Tvd, r.target1Distance,
        r.target1Azimuth, r.target1Inclination);
  if (block.targetCount == 2) {
    aimAt(r, block, block.target2X, block.target2Y, block.target2Tvd, r.target2Distance,
          r.target2Azimuth, r.target2Inclination);
  }
}

/// Unit direction of a station from its inclination and grid azimuth.
mincurv::Direction directionOf(const SurveyStation& s) noexcept {
  const double i = s.inclination * kDegree, a = s.gridAzimuth * kDegree;
  return {std::sin(i), std::cos(i), std::sin(a), std::cos(a)};
}

/// One end of the bisection bracket, with the values every trial point between it and the other
/// end needs, each worked out once when first asked for.
struct BracketEnd {
  SurveyStation s;
  double cosI = std::nan("");  // cosine of the inclination, as the trial point takes it
  bool hasDirection = false;
  mincurv::Direction direction;

  BracketEnd() = default;
  explicit BracketEnd(const SurveyStation& station) : s(station) {}
  /// Makes this end the station given, forgetting what was worked out for the one before.
  void reset(const SurveyStation& station) noexcept {
    s = station;
    cosI = std::nan("");
    hasDirection = false;
  }
  double cosInclination() {
    if (std::isnan(cosI)) cosI = std::cos(toRadians(s.inclination));
    return cosI;
  }
  const mincurv::Direction& unitDirection() {
    if (!hasDirection) direction = directionOf(s), hasDirection = true;
    return direction;
  }
};

/// Makes m the trial point between upper and lower: halfway in measured depth and inclination,
/// the azimuth interpolated in the cosine of inclination along the shorter arc. Under minimum
/// curvature it is the middle of the arc instead, so that every trial point lies on the course.
void trialPoint(BracketEnd& u, BracketEnd& l, SurveyMethod calcMethod, BracketEnd& m) noexcept {
  m.reset(u.s);
  m.s.md = (l.s.md + u.s.md) / 2;
  if (calcMethod == SurveyMethod::MinimumCurvature) {
    // A vertical middle keeps the upper end's azimuth: it has none of its own.
    double i = 0, a = std::nan("");
    if (mincurv::arcMiddle(u.unitDirection(), l.unitDirection(), i, a)) {
      m.s.inclination = toDegrees(i);
      if (!std::isnan(a)) m.s.gridAzimuth = a < 0 ? toDegrees(a) + 360 : toDegrees(a);
      return;
    }
  }
  m.s.inclination = (l.s.inclination + u.s.inclination) / 2;
  const double turn = shorterArc(l.s.gridAzimuth - u.s.gridAzimuth);
  double fraction = 0.5;
  if (u.s.inclination != l.s.inclination) {
    const double cu = u.cosInclination();
    const double cl = l.cosInclination();
    const double cm = m.cosInclination();
    if (cu != cl) fraction = finiteOr((cu - cm) / (cu - cl), 0.5);
  }
  m.s.gridAzimuth = u.s.gridAzimuth + turn * fraction;
}

/// Halves the course from an origin station toward a lower one. A trial point's vertical depth
/// needs only the depth increment of its course from the origin, and the origin's share of it is
/// the same at every halving; both are worked out here exactly as IntervalIncrements does.
class Bisection {
 public:
  Bisection(const SurveyStation& upper, const StationResult& upperResult,
            const SurveyStation& lower, SurveyMethod calcMethod)
      : origin_(upper), originTvd_(upperResult.tvd), method_(calcMethod) {
    ends_[kUpper].reset(upper);
    ends_[kLower].reset(lower);
  }

  /// The first trial point whose vertical depth (byTvd) or measured depth lies within the
  /// tolerance of value; when none does in kMaxHalvings, the trial point after the last halving.
  SurveyStation solve(double value, bool byTvd) {
    if (isStraight(ends_[kUpper].s, ends_[kLower].s, method_)) return solveStraight(value, byTvd);
    for (int step = 0; step < kMaxHalvings; ++step) {
      const double reached = byTvd ? depthOf(current()) : current().s.md;
      if (std::fabs(reached - value) < kTolerance) break;
      keepTrialAs(reached > value);
    }
    return current().s;
  }

 private:
  static constexpr int kUpper = 0, kLower = 1;

  /// A course whose ends point exactly the same way gives every trial point the upper end's
  /// inclination and azimuth, to the bit (a zero turn moves no azimuth but a negative zero, and
  /// the arc's middle is recomputed, so those are left to the general case): only the measured
  /// depth needs halving.
  static bool isStraight(const SurveyStation& u, const SurveyStation& l,
                         SurveyMethod calcMethod) noexcept {
    return calcMethod != SurveyMethod::MinimumCurvature && std::isfinite(u.inclination) &&
           u.inclination == l.inclination &&
           std::signbit(u.inclination) == std::signbit(l.inclination) &&
           std::isfinite(u.gridAzimuth) && u.gridAzimuth == l.gridAzimuth &&
           !(u.gridAzimuth == 0 && std::signbit(u.gridAzimuth));
  }

  /// solve on a straight course: the same trial points, made from two measured depths, with the
  /// method's depth formula chosen once rather than at every halving.
  SurveyStation solveStraight(double value, bool byTvd) {
    switch (method_) {
      case SurveyMethod::AverageAngle:
        return halveStraight<SurveyMethod::AverageAngle>(value, byTvd);
      case SurveyMethod::CorrectedAverageAngle:
        return halveStraight<SurveyMethod::CorrectedAverageAngle>(value, byTvd);
      case SurveyMethod::BalancedTangential:
        return halveStraight<SurveyMethod::BalancedTangential>(value, byTvd);
      case SurveyMethod::Tangential:
        return halveStraight<SurveyMethod::Tangential>(value, byTvd);
      default:
        return halveStraight<SurveyMethod::ChordStep>(value, byTvd);
    }
  }

  template <SurveyMethod Method>
  SurveyStation halveStraight(double value, bool byTvd) {
    BracketEnd p(ends_[kUpper].s);
    double upperMd = ends_[kUpper].s.md;
    double lowerMd = ends_[kLower].s.md;
    for (int step = 0; step < kMaxHalvings; ++step) {
      p.s.md = (lowerMd + upperMd) / 2;
      const double reached = byTvd ? depthAs<Method>(p) : p.s.md;
      if (std::fabs(reached - value) < kTolerance) return p.s;
      (reached > value ? lowerMd : upperMd) = p.s.md;
    }
    p.s.md = (lowerMd + upperMd) / 2;
    return p.s;
  }

  /// The current trial point, made from the bracket when asked for first.
  BracketEnd& current() {
    BracketEnd& m = ends_[trialSlot_];
    if (!hasTrial_) {
      trialPoint(ends_[slot_[kUpper]], ends_[slot_[kLower]], method_, m);
      hasTrial_ = true;
    }
    return m;
  }

  /// The trial point becomes the lower end (it lies too deep) or the upper end. The ends trade
  /// places rather than values: the old end's place takes the next trial point.
  void keepTrialAs(bool lower) {
    std::swap(slot_[lower ? kLower : kUpper], trialSlot_);
    hasTrial_ = false;
  }

  /// Vertical depth of the point m inside the course.
  double depthOf(BracketEnd& m) {
    switch (method_) {
      case SurveyMethod::AverageAngle:
        return depthAs<SurveyMethod::AverageAngle>(m);
      case SurveyMethod::CorrectedAverageAngle:
        return depthAs<SurveyMethod::CorrectedAverageAngle>(m);
      case SurveyMethod::BalancedTangential:
        return depthAs<SurveyMethod::BalancedTangential>(m);
      case SurveyMethod::Tangential:
        return depthAs<SurveyMethod::Tangential>(m);
      case SurveyMethod::MinimumCurvature:
        return depthAs<SurveyMethod::MinimumCurvature>(m);
      default:
        return depthAs<SurveyMethod::ChordStep>(m);
    }
  }

  /// depthOf under one method; the chord step stands for any method without a shortcut of its
  /// own, whose course is taken whole by IntervalIncrements.
  template <SurveyMethod Method>
  double depthAs(BracketEnd& m) {
    const SurveyStation& o = origin_.s;
    const SurveyStation& p = m.s;
    const double dL = p.md - o.md;
    if constexpr (Method == SurveyMethod::AverageAngle) {
      return originTvd_ + dL * cosOf((o.inclination + p.inclination) * kPi / 360);
    } else if constexpr (Method == SurveyMethod::CorrectedAverageAngle) {
      const double dI = (p.inclination - o.inclination) * kDegree;
      const double f = 1 - dI * dI / 24;
      return originTvd_ + dL * f * cosOf((p.inclination / 2 + o.inclination / 2) * kDegree);
    } else if constexpr (Method == SurveyMethod::BalancedTangential) {
      if (std::isnan(originCos_)) originCos_ = std::cos(o.inclination * kDegree);
      return originTvd_ + dL / 2 * (originCos_ + cosOf(p.inclination * kDegree));
    } else if constexpr (Method == SurveyMethod::Tangential) {
      return originTvd_ + dL * cosOf(p.inclination * kDegree);
    } else if constexpr (Method == SurveyMethod::MinimumCurvature) {
      return originTvd_ + mincurv::arcCourse(dL, origin_.unitDirection(), m.unitDirection()).tvd;
    } else {
      SurveyStation a = o, b = p;
      return originTvd_ + IntervalIncrements(a, b, method_).tvd;
    }
  }

  /// The cosine of x, taken again only when x changes: along a hold or a vertical run every
  /// trial point has the inclination of the one before.
  double cosOf(double x) {
    if (!(x == lastAngle_)) lastCos_ = std::cos(x), lastAngle_ = x;
    return lastCos_;
  }

  BracketEnd origin_;
  double originTvd_;
  double originCos_ = std::nan("");
  SurveyMethod method_;
  BracketEnd ends_[3];
  int slot_[2] = {kUpper, kLower};
  int trialSlot_ = 2;
  bool hasTrial_ = false;
  double lastAngle_ = std::nan("");
  double lastCos_ = 0;
};

}  // namespace

double AzimuthOf(double north, double east) noexcept {
  double r = 0;
  if (north > 0) {
    if (east > 0) {
      r = std::atan(east / north);
    } else if (east < 0) {
      r = std::atan(east / north) + kTwoPi;
    }
  } else if (north == 0) {
    if (east > 0) {
      r = kPi / 2;
    } else if (east < 0) {
      r = kThreeHalfPi;
    }
  } else if (north < 0) {
    if (east == 0) return 180;
    r = std::atan(east / north) + kPi;
  }
  return finiteOr(toDegrees(r), 0);
}

double FoldAzimuth(double a) noexcept {
  if (!std::isfinite(a)) return a;
  return wrapAzimuth(a);
}

double ArcSine(double x) noexcept {
  if (!std::isfinite(x) || std::fabs(x) > 1) return 0;
  if (x == 1) return kPi / 2;
  if (x == -1) return 9.42477796077 / 2;
  return std::atan(x / std::sqrt(1 - x * x));
}

double ArcCosine(double x) noexcept {
  if (!std::isfinite(x) || std::fabs(x) > 1) return 0;
  if (x == 1) return 0;
  // x = -1 divides by zero inside the arctangent, which then gives pi/2 + pi/2 = pi.
  return std::atan(-x / std::sqrt(1 - x * x)) + 2 * std::atan(1.0);
}

StationResult IntervalIncrements(SurveyStation& prev, SurveyStation& cur, SurveyMethod calcMethod) {
  StationResult inc;
  const double dL = cur.md - prev.md;
  switch (calcMethod) {
    case SurveyMethod::AverageAngle: {
      if (prev.inclination == 0) prev.gridAzimuth = cur.gridAzimuth;
      if (cur.inclination == 0) cur.gridAzimuth = prev.gridAzimuth;
      const double i = (prev.inclination + cur.inclination) * kPi / 360;
      double a = (prev.gridAzimuth + cur.gridAzimuth) * kPi / 360;
      if (std::fabs(cur.gridAzimuth - prev.gridAzimuth) > 180) a += kPi;
      inc.tvd = dL * std::cos(i);
      inc.planLength = dL * std::sin(i);
      inc.north = dL * std::sin(i) * std::cos(a);
      inc.east = dL * std::sin(i) * std::sin(a);
      break;
    }
    case SurveyMethod::CorrectedAverageAngle: {
      const double dI = (cur.inclination - prev.inclination) * kDegree;
      // Azimuths on both sides of north: the raw difference would square to a huge turn and
      // the raw mean would point the opposite way, so both are taken along the shorter arc.
      const double rawTurn = cur.gridAzimuth - prev.gridAzimuth;
      const double dA = shorterArc(rawTurn) * kDegree;
      const double i = (cur.inclination / 2 + prev.inclination / 2) * kDegree;
      double a = (prev.gridAzimuth / 2 + cur.gridAzimuth / 2) * kDegree;
      if (std::fabs(rawTurn) > 180) a += kPi;
      const double f = 1 - dI * dI / 24;
      const double g = 1 - dI * dI / 24 - dA * dA / 24;
      inc.tvd = dL * f * std::cos(i);
      inc.planLength = dL * f * std::sin(i);
      inc.north = dL * g * std::sin(i) * std::cos(a);
      inc.east = dL * g * std::sin(i) * std::sin(a);
      break;
    }
    case SurveyMethod::ChordStep: {
      const double i1 = prev.inclination * kDegree, i2 = cur.inclination * kDegree;
      const double a1 = prev.gridAzimuth * kDegree, a2 = cur.gridAzimuth * kDegree;
      const double cosBeta = std::clamp(
          std::cos(i1) * std::cos(i2) + std::sin(i1) * std::sin(i2) * std::cos(a2 - a1), -1.0, 1.0);
      // A course that turns right back on itself has no chord direction: it adds nothing.
      if (1 + cosBeta <= 1e-15) break;
      const double k = std::sqrt(2 / (1 + cosBeta));
      const double h = dL / 2 * k;
      const double across = std::sin(i1) * std::sin(i1) + std::sin(i2) * std::sin(i2) +
                            2 * std::sin(i1) * std::sin(i2) * std::cos(a2 - a1);
      inc.tvd = h * (std::cos(i1) + std::cos(i2));
      inc.planLength = h * std::sqrt(std::max(0.0, across));
      inc.north = h * (std::sin(i1) * std::cos(a1) + std::sin(i2) * std::cos(a2));
      inc.east = h * (std::sin(i1) * std::sin(a1) + std::sin(i2) * std::sin(a2));
      break;
    }
    case SurveyMethod::BalancedTangential: {
      double a1 = prev.gridAzimuth, a2 = cur.gridAzimuth;
      if (prev.inclination == 0) a1 = a2;
      if (cur.inclination == 0) a2 = a1;
      const double i1 = prev.inclination * kDegree, i2 = cur.inclination * kDegree;
      a1 *= kDegree;
      a2 *= kDegree;
      inc.tvd = dL / 2 * (std::cos(i1) + std::cos(i2));
      inc.planLength = dL / 2 * (std::sin(i1) + std::sin(i2));
      inc.north = dL / 2 * (std::sin(i1) * std::cos(a1) + std::sin(i2) * std::cos(a2));
      inc.east = dL / 2 * (std::sin(i1) * std::sin(a1) + std::sin(i2) * std::sin(a2));
      break;
    }
    case SurveyMethod::Tangential: {
      const double i2 = cur.inclination * kDegree, a2 = cur.gridAzimuth * kDegree;
      inc.tvd = dL * std::cos(i2);
      inc.planLength = dL * std::sin(i2);
      inc.north = dL * std::sin(i2) * std::cos(a2);
      inc.east = dL * std::sin(i2) * std::sin(a2);
      break;
    }
    case SurveyMethod::MinimumCurvature: {
      const mincurv::Course c = mincurv::arcCourse(dL, directionOf(prev), directionOf(cur));
      inc.tvd = c.tvd;
      inc.planLength = c.planLength;
      inc.north = c.north;
      inc.east = c.east;
      break;
    }
    default:
      break;
  }
  return inc;
}

namespace {

struct CourseAngles {
  double dI, dA, meanI;  ///< inclination change, shorter azimuth change, mean inclination; radians
};

/// The course's angles for the dogleg, taken before the increments (method 0 may rewrite the
/// grid azimuths of both ends); the step and the full pass share them to stay bit-identical.
CourseAngles courseAngles(const SurveyStation& p, const SurveyStation& c) noexcept {
  double dA = toRadians(c.gridAzimuth - p.gridAzimuth);
  if (std::fabs(dA) > kPi) dA += dA > 0 ? -kTwoPi : kTwoPi;
  return {toRadians(c.inclination - p.inclination), dA,
          (p.inclination + c.inclination) * kPi / 360};
}

}  // namespace

void ComputeTrajectoryStep(std::vector<SurveyStation>& stations, const BasicData& block,
                           std::vector<StationResult>& results, int i, SurveyMethod calcMethod) {
  SurveyStation& p = stations[static_cast<std::size_t>(i - 1)];
  SurveyStation& c = stations[static_cast<std::size_t>(i)];
  const auto [dI, dA, meanI] = courseAngles(p, c);
  const StationResult inc = IntervalIncrements(p, c, calcMethod);
  const StationResult& before = results[static_cast<std::size_t>(i - 1)];
  StationResult r;
  r.tvd = inc.tvd + before.tvd;
  r.planLength = inc.planLength + before.planLength;
  r.north = inc.north + before.north;
  r.east = inc.east + before.east;
  setClosure(r, block);
  r.doglegSeverity = doglegSeverity(dI, dA, meanI, c.md - p.md);
  setTargets(r, block);
  results[static_cast<std::size_t>(i)] = r;
}

namespace {

/// Increments of one course for the full pass: the values IntervalIncrements gives, with the
/// sines and cosines of each station's own angles taken once per station instead of once per
/// course end. Also hands back the sine of the mean inclination when the method computes it
/// for the course anyway, so that the dogleg need not compute it again.
class CourseIncrements {
 public:
  CourseIncrements(SurveyMethod calcMethod) : method_(calcMethod) {}

  /// Called for the courses in order; p and c are the course's two stations.
  StationResult next(SurveyStation& p, SurveyStation& c, double meanI, double& sinMean,
                     bool& haveSinMean) {
    haveSinMean = false;
    switch (method_) {
      case SurveyMethod::AverageAngle: {
        // The same expressions as IntervalIncrements; the mean inclination is the dogleg's.
        StationResult inc;
        const double dL = c.md - p.md;
        if (p.inclination == 0) p.gridAzimuth = c.gridAzimuth;
        if (c.inclination == 0) c.gridAzimuth = p.gridAzimuth;
        const double i = (p.inclination + c.inclination) * kPi / 360;
        double a = (p.gridAzimuth + c.gridAzimuth) * kPi / 360;
        if (std::fabs(c.gridAzimuth - p.gridAzimuth) > 180) a += kPi;
        const double si = std::sin(i), ci = std::cos(i);
        inc.tvd = dL * ci;
        inc.planLength = dL * si;
        inc.north = dL * si * std::cos(a);
        inc.east = dL * si * std::sin(a);
        sinMean = si;
        haveSinMean = i == meanI;
        return inc;
      }
      case SurveyMethod::ChordStep:
      case SurveyMethod::BalancedTangential:
      case SurveyMethod::Tangential:
      case SurveyMethod::MinimumCurvature:
        break;
      default:
        return IntervalIncrements(p, c, method_);
    }
    // The lower station's angles become the upper station's for the next course.
    if (!haveUpper_) upper_ = directionOf(p);
    const mincurv::Direction lower = directionOf(c);
    const StationResult inc = fromDirections(p, c, upper_, lower);
    upper_ = lower;
    haveUpper_ = true;
    return inc;
  }

 private:
  StationResult fromDirections(const SurveyStation& p, const SurveyStation& c,
                               const mincurv::Direction& u, const mincurv::Direction& l) const {
    StationResult inc;
    const double dL = c.md - p.md;
    switch (method_) {
      case SurveyMethod::ChordStep: {
        const double cosTurn = std::cos(c.gridAzimuth * kDegree - p.gridAzimuth * kDegree);
        const double cosBeta = std::clamp(u.cosI * l.cosI + u.sinI * l.sinI * cosTurn, -1.0, 1.0);
        if (1 + cosBeta <= 1e-15) break;
        const double k = std::sqrt(2 / (1 + cosBeta));
        const double h = dL / 2 * k;
        const double across = u.sinI * u.sinI + l.sinI * l.sinI + 2 * u.sinI * l.sinI * cosTurn;
        inc.tvd = h * (u.cosI + l.cosI);
        inc.planLength = h * std::sqrt(std::max(0.0, across));
        inc.north = h * (u.sinI * u.cosA + l.sinI * l.cosA);
        inc.east = h * (u.sinI * u.sinA + l.sinI * l.sinA);
        break;
      }
      case SurveyMethod::BalancedTangential: {
        // A vertical end takes the other end's azimuth, as in IntervalIncrements.
        double sinA1 = u.sinA, cosA1 = u.cosA, sinA2 = l.sinA, cosA2 = l.cosA;
        if (p.inclination == 0) sinA1 = l.sinA, cosA1 = l.cosA;
        if (c.inclination == 0) sinA2 = sinA1, cosA2 = cosA1;
        inc.tvd = dL / 2 * (u.cosI + l.cosI);
        inc.planLength = dL / 2 * (u.sinI + l.sinI);
        inc.north = dL / 2 * (u.sinI * cosA1 + l.sinI * cosA2);
        inc.east = dL / 2 * (u.sinI * sinA1 + l.sinI * sinA2);
        break;
      }
      case SurveyMethod::Tangential:
        inc.tvd = dL * l.cosI;
        inc.planLength = dL * l.sinI;
        inc.north = dL * l.sinI * l.cosA;
        inc.east = dL * l.sinI * l.sinA;
        break;
      default: {
        const mincurv::Course arc = mincurv::arcCourse(dL, u, l);
        inc.tvd = arc.tvd;
        inc.planLength = arc.planLength;
        inc.north = arc.north;
        inc.east = arc.east;
        break;
      }
    }
    return inc;
  }

  SurveyMethod method_;
  bool haveUpper_ = false;
  mincurv::Direction upper_;
};

}  // namespace

void ComputeTrajectoryInto(std::vector<SurveyStation>& stations, const BasicData& block, int count,
                           SurveyMethod calcMethod, std::vector<StationResult>& results) {
  count = std::clamp(count, 0, static_cast<int>(stations.size()));
  const auto size = static_cast<std::size_t>(count) + 1;
  if (count < 2) {
    results.assign(size, StationResult{});
    if (count == 0) return;
    StationResult& r = results[0];
    r.tvd = stations[0].md;
    const double dN = block.target1X - block.wellheadX;
    const double dE = block.target1Y - block.wellheadY;
    r.target1Distance = std::sqrt(dN * dN + dE * dE);
    r.target1Inclination = lineInclination(r.target1Distance, block.target1Tvd - r.tvd);
    r.target1Azimuth = AzimuthOf(dN, dE) - block.magDeclination;
    return;
  }
  // Every entry is written below, so the storage of the previous pass is reused as it is.
  results.resize(size);
  results[size - 1] = StationResult{};
  for (int i = 0; i < count; ++i) {
    auto& st = stations[static_cast<std::size_t>(i)];
    st.gridAzimuth = st.azimuth + block.magDeclination;
  }
  StationResult first;
  first.tvd = stations[0].md;
  results[0] = first;
  CourseIncrements courses(calcMethod);
  for (int i = 1; i < count; ++i) {
    SurveyStation& p = stations[static_cast<std::size_t>(i - 1)];
    SurveyStation& c = stations[static_cast<std::size_t>(i)];
    // The same steps as ComputeTrajectoryStep, in the same order.
    const auto [dI, dA, meanI] = courseAngles(p, c);
    double sinMean = 0;
    bool haveSinMean = false;
    const StationResult inc = courses.next(p, c, meanI, sinMean, haveSinMean);
    const StationResult& before = results[static_cast<std::size_t>(i - 1)];
    StationResult r;
    r.tvd = inc.tvd + before.tvd;
    r.planLength = inc.planLength + before.planLength;
    r.north = inc.north + before.north;
    r.east = inc.east + before.east;
    setClosure(r, block);
    // Without a turn the mean inclination drops out of the dogleg: its sine is not needed.
    if (dA == 0) {
      sinMean = 0;
    } else if (!haveSinMean) {
      sinMean = std::sin(meanI);
    }
    r.doglegSeverity = doglegFromSine(dI, dA, sinMean, c.md - p.md);
    setTargets(r, block);
    results[static_cast<std::size_t>(i)] = r;
  }
}

std::vector<StationResult> ComputeTrajectory(std::vector<SurveyStation>& stations,
                                             const BasicData& block, int count,
                                             SurveyMethod calcMethod) {
  std::vector<StationResult> results;
  ComputeTrajectoryInto(stations, block, count, calcMethod, results);
  return results;
}

namespace {

/// StationAtDepth; without the closure and dogleg of the point when only its position is asked
/// for.
TargetCrossing locateAtDepth(double value, const SurveyStation& upper,
                             const StationResult& upperResult, const BasicData& block,
                             const SurveyStation& lower, bool byTvd, SurveyMethod calcMethod,
                             bool wholeResult) {
  TargetCrossing out;
  if (!(value > 0)) return out;
  const SurveyStation origin = upper;
  const StationResult originResult = upperResult;

  // Bisect on the value the returned point will report, so that the point handed back is the
  // one that met the tolerance and its depth is the one the caller asked for.
  SurveyStation found = upper;
  const double reached = byTvd ? upperResult.tvd : upper.md;
  if (std::fabs(reached - value) >= kTolerance)
    found = Bisection(upper, upperResult, lower, calcMethod).solve(value, byTvd);
  found.gridAzimuth = FoldAzimuth(found.gridAzimuth);
  // The survey azimuth is shown as a bearing like any entered one; taking the declination off
  // a folded grid azimuth can leave it just outside 0..360.
  found.azimuth = FoldAzimuth(found.gridAzimuth - block.magDeclination);

  SurveyStation o = origin;
  SurveyStation f = found;
  const StationResult inc = IntervalIncrements(o, f, calcMethod);
  StationResult r = originResult;
  r.tvd += inc.tvd;
  r.planLength += inc.planLength;
  r.north += inc.north;
  r.east += inc.east;
  if (wholeResult) {
    setClosure(r, block);
    const double dI = toRadians(found.inclination - origin.inclination);
    const double dA = toRadians(shorterArc(found.azimuth - origin.azimuth));
    const double meanI = (found.inclination + origin.inclination) * kPi / 360;
    r.doglegSeverity = doglegSeverity(dI, dA, meanI, found.md - origin.md);
  }
  out.station = found;
  out.result = r;
  return out;
}

}  // namespace

TargetCrossing StationAtDepth(double value, SurveyStation upper, StationResult upperResult,
                              const BasicData& block, SurveyStation lower, bool byTvd,
                              SurveyMethod calcMethod) {
  return locateAtDepth(value, upper, upperResult, block, lower, byTvd, calcMethod, true);
}

TargetCrossing PositionAtDepth(double value, const SurveyStation& upper,
                               const StationResult& upperResult, const BasicData& block,
                               const SurveyStation& lower, SurveyMethod calcMethod) {
  return locateAtDepth(value, upper, upperResult, block, lower, true, calcMethod, false);
}

TargetCrossing FindTargetCrossing(const WellState& session, int target) {
  const WellRecord& w = session.well;
  TargetCrossing none;
  if (target == 2 && w.targetCount != 2) return none;
  if (target != 1 && target != 2) return none;
  const double t = target == 1 ? w.target1Tvd : w.target2Tvd;
  const int count = std::min<int>(w.stationCount,
                                  static_cast<int>(std::min(w.stations.size(), w.results.size())));
  if (count < 1 || w.results[static_cast<std::size_t>(count - 1)].tvd < t) return none;
  const auto at = [](int i) { return static_cast<std::size_t>(i); };
  TargetCrossing x;
  bool found = false;
  for (int i = 0; i < count && !found; ++i) {
    const StationResult& r = w.results[at(i)];
    if (r.tvd == t) {
      // A station right at the target's depth is the crossing itself.
      x.station = w.stations[at(i)];
      x.result = r;
      found = true;
    } else if (i > 0 && w.results[at(i - 1)].tvd < t && t < r.tvd) {
      x = StationAtDepth(t, w.stations[at(i - 1)], w.results[at(i - 1)], w.basic(),
                         w.stations[at(i)], true, session.calcMethod);
      found = true;
    }
  }
  // A survey that starts below the target never showed where it passed the target's depth.
  if (!found) return none;
  const double tx = (target == 1 ? w.target1X : w.target2X) - w.wellheadX;
  const double ty = (target == 1 ? w.target1Y : w.target2Y) - w.wellheadY;
  const double m2 =
      (x.result.north - tx) * (x.result.north - tx) + (x.result.east - ty) * (x.result.east - ty);
  x.hitRadius = m2 > 0 ? std::sqrt(m2) : 0;
  if (target == 1) {
    x.result.target1Inclination = x.hitRadius;
  } else {
    x.result.target2Inclination = x.hitRadius;
  }
  x.crossed = true;
  return x;
}

namespace {

/// Courses per block of the vectorised pass: the block's arrays stay in the first-level cache.
/// A multiple of four, so that entries 1..m of every array below, rounded up to whole groups of
/// four, still lie inside it.
constexpr std::size_t kBlock = 256;
static_assert(kBlock % 4 == 0);

/// The arrays of one block of courses. Entry 0 is the station above the block, entries
/// 1..kBlock the block's own stations.
struct Lanes {
  static constexpr std::size_t N = kBlock + 1;
  double dL[N], dI[N], dA[N], meanI[N], sinMean[N];
  double angI[N], angA[N], sI[N], cI[N], sA[N], cA[N], turn[N], cosTurn[N], scratch[N];
  double incT[N], incH[N], incN[N], incE[N];
  double tvd[N], plan[N], north[N], east[N], az[N], dist[N], delta[N], sinD[N], cosD[N];
  double dogleg[N], tN[N], tAz[2][N], tDist[2][N], tIncl[2][N];
};

bool allFinite(const std::vector<SurveyStation>& stations, const BasicData& b, int count) {
  for (int i = 0; i < count; ++i) {
    const SurveyStation& s = stations[static_cast<std::size_t>(i)];
    if (!std::isfinite(s.md) || !std::isfinite(s.inclination) || !std::isfinite(s.azimuth))
      return false;
  }
  for (double v : {b.magDeclination, b.designAzimuth, b.wellheadX, b.wellheadY, b.target1X,
                   b.target1Y, b.target1Tvd, b.target2X, b.target2Y, b.target2Tvd})
    if (!std::isfinite(v)) return false;
  return true;
}

/// Distance, bearing and line inclination to one target for entries 1..m, as aimAt, into the
/// target's slot of w.
void aimAllAt(Lanes& w, std::size_t m, const BasicData& block, int slot, double targetX,
              double targetY, double targetTvd) {
  const vecmath::Target t{targetX - block.wellheadX, targetY - block.wellheadY, targetTvd,
                          block.magDeclination};
  vecmath::aim(w.north + 1, w.east + 1, w.tvd + 1, t, w.tDist[slot] + 1, w.tAz[slot] + 1,
               w.tIncl[slot] + 1, m);
}

/// The courses ending at stations k0 .. k0+m-1 (st points at station k0-1). Entry 0 of w holds
/// the station above, with its sines, cosines and running sums; on return entry 0 holds the
/// block's last station, ready for the next block.
void vectorBlock(SurveyStation* st, StationResult* out, std::size_t m, bool first,
                 const BasicData& block, SurveyMethod calcMethod, Lanes& w) {
  // The dogleg's angle changes, taken before method 0 rewrites the azimuths of vertical ends;
  // that rewrite runs course by course, as each course sees the one before it.
  for (std::size_t j = 1; j <= m; ++j) {
    SurveyStation& p = st[j - 1];
    SurveyStation& c = st[j];
    w.dL[j] = c.md - p.md;
    w.dI[j] = toRadians(c.inclination - p.inclination);
    double dA = toRadians(c.gridAzimuth - p.gridAzimuth);
    if (std::fabs(dA) > kPi) dA += dA > 0 ? -kTwoPi : kTwoPi;
    w.dA[j] = dA;
    w.meanI[j] = (p.inclination + c.inclination) * kPi / 360;
    if (calcMethod == SurveyMethod::AverageAngle) {
      if (p.inclination == 0) p.gridAzimuth = c.gridAzimuth;
      if (c.inclination == 0) c.gridAzimuth = p.gridAzimuth;
      w.angI[j] = (p.inclination + c.inclination) * kPi / 360;
      double a = (p.gridAzimuth + c.gridAzimuth) * kPi / 360;
      if (std::fabs(c.gridAzimuth - p.gridAzimuth) > 180) a += kPi;
      w.angA[j] = a;
    } else if (calcMethod == SurveyMethod::CorrectedAverageAngle) {
      w.angI[j] = (c.inclination / 2 + p.inclination / 2) * kDegree;
      double a = (p.gridAzimuth / 2 + c.gridAzimuth / 2) * kDegree;
      if (std::fabs(c.gridAzimuth - p.gridAzimuth) > 180) a += kPi;
      w.angA[j] = a;
    }
  }
  const bool perCourse =
      calcMethod == SurveyMethod::AverageAngle || calcMethod == SurveyMethod::CorrectedAverageAngle;
  // Per-station angles: the station above comes from the block before, except at the top.
  const std::size_t from = perCourse || !first ? 1 : 0;
  if (!perCourse) {
    for (std::size_t j = from; j <= m; ++j) {
      w.angI[j] = st[j].inclination * kDegree;
      w.angA[j] = st[j].gridAzimuth * kDegree;
    }
  }
  vecmath::sinCos(w.angI + from, w.sI + from, w.cI + from, m + 1 - from);
  // Method 0's mean inclination is the dogleg's own.
  if (calcMethod == SurveyMethod::AverageAngle) {
    std::copy(w.sI + 1, w.sI + m + 1, w.sinMean + 1);
  } else {
    vecmath::sin(w.meanI + 1, w.sinMean + 1, m);
  }
  vecmath::sinCos(w.angA + from, w.sA + from, w.cA + from, m + 1 - from);

  switch (calcMethod) {
    // One straight course along the angles prepared above: the mean ones for 平均角法, the
    // lower station's for 正切法.
    case SurveyMethod::AverageAngle:
    case SurveyMethod::Tangential:
      for (std::size_t j = 1; j <= m; ++j) {
        const double dL = w.dL[j], si = w.sI[j];
        w.incT[j] = dL * w.cI[j];
        w.incH[j] = dL * si;
        w.incN[j] = dL * si * w.cA[j];
        w.incE[j] = dL * si * w.sA[j];
      }
      break;
    case SurveyMethod::CorrectedAverageAngle:
      for (std::size_t j = 1; j <= m; ++j) {
        const double dL = w.dL[j], dI = w.dI[j];
        const double dA = shorterArc(st[j].gridAzimuth - st[j - 1].gridAzimuth) * kDegree;
        const double f = 1 - dI * dI / 24;
        const double g = 1 - dI * dI / 24 - dA * dA / 24;
        w.incT[j] = dL * f * w.cI[j];
        w.incH[j] = dL * f * w.sI[j];
        w.incN[j] = dL * g * w.sI[j] * w.cA[j];
        w.incE[j] = dL * g * w.sI[j] * w.sA[j];
      }
      break;
    case SurveyMethod::ChordStep:
      for (std::size_t j = 1; j <= m; ++j) w.turn[j] = w.angA[j] - w.angA[j - 1];
      vecmath::cos(w.turn + 1, w.cosTurn + 1, m);
      for (std::size_t j = 1; j <= m; ++j) {
        const double uS = w.sI[j - 1], uC = w.cI[j - 1], lS = w.sI[j], lC = w.cI[j];
        const double cosTurn = w.cosTurn[j];
        const double cosBeta = std::clamp(uC * lC + uS * lS * cosTurn, -1.0, 1.0);
        if (1 + cosBeta <= 1e-15) {
          w.incT[j] = w.incH[j] = w.incN[j] = w.incE[j] = 0;
          continue;
        }
        const double h = w.dL[j] / 2 * std::sqrt(2 / (1 + cosBeta));
        const double across = uS * uS + lS * lS + 2 * uS * lS * cosTurn;
        w.incT[j] = h * (uC + lC);
        w.incH[j] = h * std::sqrt(std::max(0.0, across));
        w.incN[j] = h * (uS * w.cA[j - 1] + lS * w.cA[j]);
        w.incE[j] = h * (uS * w.sA[j - 1] + lS * w.sA[j]);
      }
      break;
    case SurveyMethod::BalancedTangential:
      for (std::size_t j = 1; j <= m; ++j) {
        // A vertical end takes the other end's azimuth.
        double sinA1 = w.sA[j - 1], cosA1 = w.cA[j - 1], sinA2 = w.sA[j], cosA2 = w.cA[j];
        if (st[j - 1].inclination == 0) sinA1 = w.sA[j], cosA1 = w.cA[j];
        if (st[j].inclination == 0) sinA2 = sinA1, cosA2 = cosA1;
        const double dL = w.dL[j], uS = w.sI[j - 1], lS = w.sI[j];
        w.incT[j] = dL / 2 * (w.cI[j - 1] + w.cI[j]);
        w.incH[j] = dL / 2 * (uS + lS);
        w.incN[j] = dL / 2 * (uS * cosA1 + lS * cosA2);
        w.incE[j] = dL / 2 * (uS * sinA1 + lS * sinA2);
      }
      break;
    case SurveyMethod::MinimumCurvature: {
      // The half chord between the two unit directions is the sine of half the dogleg angle,
      // the half sum its cosine: their ratio is the tangent the ratio factor needs.
      for (std::size_t j = 1; j <= m; ++j) {
        const double uN = w.sI[j - 1] * w.cA[j - 1], uE = w.sI[j - 1] * w.sA[j - 1];
        const double lN = w.sI[j] * w.cA[j], lE = w.sI[j] * w.sA[j];
        const double dn = lN - uN, de = lE - uE, dv = w.cI[j] - w.cI[j - 1];
        const double sn = uN + lN, se = uE + lE, sv = w.cI[j - 1] + w.cI[j];
        w.scratch[j] = std::min(1.0, std::sqrt(dn * dn + de * de + dv * dv) / 2);
        w.tN[j] = std::sqrt(sn * sn + se * se + sv * sv) / 2;
        w.incN[j] = sn, w.incE[j] = se, w.incT[j] = sv;
      }
      vecmath::asin(w.scratch + 1, w.turn + 1, m);
      for (std::size_t j = 1; j <= m; ++j) {
        const double sn = w.incN[j], se = w.incE[j], sv = w.incT[j];
        if (w.tN[j] < mincurv::kOpposed) {
          w.incT[j] = w.incH[j] = w.incN[j] = w.incE[j] = 0;
          continue;
        }
        const double beta = 2 * w.turn[j];
        const double rf = beta < mincurv::kSeriesBelow ? 1 + beta * beta / 12
                                                       : 2 / beta * (w.scratch[j] / w.tN[j]);
        const double h = w.dL[j] / 2 * rf;
        w.incT[j] = h * sv;
        w.incH[j] = h * (w.sI[j - 1] + w.sI[j]);
        w.incN[j] = h * sn;
        w.incE[j] = h * se;
      }
      break;
    }
    default:
      for (std::size_t j = 1; j <= m; ++j) w.incT[j] = w.incH[j] = w.incN[j] = w.incE[j] = 0;
      break;
  }

  // The running sums, in the order of the scalar pass.
  for (std::size_t j = 1; j <= m; ++j) {
    w.tvd[j] = w.incT[j] + w.tvd[j - 1];
    w.plan[j] = w.incH[j] + w.plan[j - 1];
    w.north[j] = w.incN[j] + w.north[j - 1];
    w.east[j] = w.incE[j] + w.east[j - 1];
  }
  vecmath::closure(w.north + 1, w.east + 1, block.designAzimuth, w.az + 1, w.dist + 1, w.delta + 1,
                   m);
  vecmath::sinCos(w.delta + 1, w.sinD + 1, w.cosD + 1, m);
  vecmath::dogleg(w.dI + 1, w.dA + 1, w.sinMean + 1, w.dL + 1, w.dogleg + 1, m);
  aimAllAt(w, m, block, 0, block.target1X, block.target1Y, block.target1Tvd);
  const bool two = block.targetCount == 2;
  if (two) aimAllAt(w, m, block, 1, block.target2X, block.target2Y, block.target2Tvd);

  // Every field is written, so nothing is cleared first.
  for (std::size_t j = 1; j <= m; ++j) {
    StationResult& r = out[j];
    r.tvd = w.tvd[j];
    r.planLength = w.plan[j];
    r.closureDistance = w.dist[j];
    r.north = w.north[j];
    r.east = w.east[j];
    r.closureAzimuth = w.az[j];
    r.doglegSeverity = w.dogleg[j];
    r.lateralOffset = w.dist[j] * w.sinD[j];
    r.verticalSection = w.dist[j] * w.cosD[j];
    r.target1Inclination = w.tIncl[0][j];
    r.target1Azimuth = w.tAz[0][j];
    r.target1Distance = w.tDist[0][j];
    r.target2Inclination = two ? w.tIncl[1][j] : 0;
    r.target2Azimuth = two ? w.tAz[1][j] : 0;
    r.target2Distance = two ? w.tDist[1][j] : 0;
  }

  // The last station becomes the one above the next block.
  for (double* a : {w.angA, w.sI, w.cI, w.sA, w.cA, w.tvd, w.plan, w.north, w.east}) a[0] = a[m];
}

/// ComputeTrajectoryInto for at least two finite stations, block by block.
void vectorTrajectory(std::vector<SurveyStation>& stations, const BasicData& block, int count,
                      SurveyMethod calcMethod, std::vector<StationResult>& results) {
  static thread_local Lanes w;
  const auto n = static_cast<std::size_t>(count);
  for (std::size_t i = 0; i < n; ++i)
    stations[i].gridAzimuth = stations[i].azimuth + block.magDeclination;
  results.resize(n + 1);
  results[n] = StationResult{};
  StationResult first;
  first.tvd = stations[0].md;
  results[0] = first;
  w.tvd[0] = stations[0].md;
  w.plan[0] = w.north[0] = w.east[0] = 0;
  for (std::size_t k0 = 1; k0 < n; k0 += kBlock) {
    const std::size_t m = std::min(kBlock, n - k0);
    vectorBlock(&stations[k0 - 1], &results[k0 - 1], m, k0 == 1, block, calcMethod, w);
  }
}

}  // namespace

void ComputeTrajectoryFast(std::vector<SurveyStation>& stations, const BasicData& block, int count,
                           SurveyMethod calcMethod, std::vector<StationResult>& results) {
  static const bool vectors = vecmath::available();
  const int n = std::clamp(count, 0, static_cast<int>(stations.size()));
  if (vectors && n >= 2 && allFinite(stations, block, n)) {
    vectorTrajectory(stations, block, n, calcMethod, results);
  } else {
    ComputeTrajectoryInto(stations, block, count, calcMethod, results);
  }
}

namespace vecmath {
bool available() noexcept {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
}
}  // namespace vecmath

void RecalculateAll(WellState& session) {
  WellRecord& w = session.well;
  if (w.stationCount <= 0) {
    // Without stations there is no crossing, whatever the stations deleted last had shown.
    session.target1Hit = TargetCrossing{};
    session.target2Hit = TargetCrossing{};
  }
  if (!HasStations(w)) return;
  ComputeTrajectoryFast(w.stations, w.basic(), w.stationCount, session.calcMethod, w.results);
  session.target1Hit = FindTargetCrossing(session, 1);
  session.target2Hit = FindTargetCrossing(session, 2);
  for (WellRecord& n : session.neighbourWells) {
    if (n.stationCount == 0) continue;
    ComputeTrajectoryFast(n.stations, n.basic(), n.stationCount, session.calcMethod, n.results);
  }
}

void RecalculateDesignTrajectory(WellState& session) {
  WellRecord& w = session.well;
  if (w.wellNo.empty() || w.designPointCount <= 0) return;
  w.designResults =
      ComputeTrajectory(w.designPoints, w.basic(), w.designPointCount, session.calcMethod);
}

const char* MethodName(SurveyMethod calcMethod) noexcept {
  switch (calcMethod) {
    case SurveyMethod::AverageAngle:
      return "平均角法";
    case SurveyMethod::CorrectedAverageAngle:
      return "校正平均角法";
    case SurveyMethod::ChordStep:
      return "弦步法";
    case SurveyMethod::BalancedTangential:
      return "平衡正切法";
    case SurveyMethod::Tangential:
      return "正切法";
    case SurveyMethod::MinimumCurvature:
      return "最小曲率法";
    default:
      return "";
  }
}

}  // namespace tarsek
