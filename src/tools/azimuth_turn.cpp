#include "tools/azimuth_turn.h"

#include <cmath>

#include "common/angles.h"
#include "common/constants.h"
#include "survey/survey_calc.h"

namespace tarsek {
namespace {

std::optional<double> finite(double v) noexcept {
  return std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
}

}  // namespace

double turnDogleg(const TurnInput& in) noexcept {
  const double deltaI = toRadians(in.inclination2) - toRadians(in.inclination1);
  const double deltaA = toRadians(in.azimuth2) - toRadians(in.azimuth1);
  const double sinMean = std::sin((toRadians(in.inclination1) + toRadians(in.inclination2)) / 2);
  return std::sqrt(deltaI * deltaI + sinMean * sinMean * deltaA * deltaA);
}

std::optional<double> achievedToolface(const TurnInput& in) noexcept {
  const double gamma = turnDogleg(in);
  const double deltaI = toRadians(in.inclination2) - toRadians(in.inclination1);
  const double deltaA = toRadians(in.azimuth2) - toRadians(in.azimuth1);
  if (gamma == 0)
    return finite(2 * std::atan(std::cos(toRadians(in.inclination1)) * std::tan(deltaA)));
  // Absurd angles overflow the dogleg; its sine would then be NaN, which ArcSine reads as 0.
  if (!std::isfinite(gamma)) return std::nullopt;
  const double s = std::sin(deltaA) * std::sin(toRadians(in.inclination2)) / std::sin(gamma);
  const double omega = deltaI > 0 ? ArcSine(s) : kPi - ArcSine(s);
  return finite(omega);
}

std::optional<double> findReactiveTorque(const TurnInput& in) noexcept {
  const std::optional<double> omega = achievedToolface(in);
  if (!omega) return std::nullopt;
  return finite(toDegrees(toRadians(in.orientedAzimuth) - toRadians(in.azimuth1) - *omega));
}

std::optional<TurnPrediction> predictTurn(const TurnInput& in) noexcept {
  const double i1 = toRadians(in.inclination1);
  const double a1 = toRadians(in.azimuth1);
  const double toolface = toRadians(in.toolface);
  const double gamma = (in.md2 - in.md1) * toRadians(in.buildRate) / 100;
  const double i2 = ArcCosine(std::cos(i1) * std::cos(gamma) -
                              std::sin(gamma) * std::sin(i1) * std::cos(toolface));
  double deltaA = 0;
  if (i2 != 0) {
    const double sinI2 = std::sin(i2);
    if (sinI2 == 0) return std::nullopt;
    deltaA = ArcSine(std::sin(toolface) * std::sin(gamma) / sinI2);
  }
  const TurnPrediction p{toDegrees(i2), toDegrees(a1 + deltaA)};
  if (!std::isfinite(p.inclination) || !std::isfinite(p.azimuth)) return std::nullopt;
  return p;
}

double torqueAllowance(double md1) noexcept {
  if (md1 < 1200) return md1 / 100 * 3;
  if (md1 < 1500) return md1 / 100 * 4;
  return md1 / 100 * 5;
}

InitialToolface findInitialToolface(const TurnInput& in) noexcept {
  InitialToolface r;
  const double gamma = turnDogleg(in);
  const double rate = toRadians(in.buildRate);
  if (in.buildRate <= 0 || !std::isfinite(rate)) {
    r.badBuildRate = true;
  } else {
    r.drillToDepth = finite(in.md1 + gamma * 100 / rate);
  }
  const std::optional<double> omega = achievedToolface(in);
  if (!omega) return r;
  r.toolface = finite(toDegrees(*omega));
  r.orientedAzimuth =
      finite(toDegrees(toRadians(in.azimuth1)) + toDegrees(*omega) + torqueAllowance(in.md1));
  return r;
}

}  // namespace tarsek
