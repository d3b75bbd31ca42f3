#pragma once

#include <optional>

namespace tarsek {

/// The nine numbers of the azimuth-turn frame, in degrees, metres and degrees per 100 m as the
/// boxes show them.
struct TurnInput {
  double md1 = 0;              ///< measured depth before the turn, m
  double inclination1 = 0;     ///< inclination before the turn
  double azimuth1 = 0;         ///< azimuth before the turn
  double md2 = 0;              ///< measured depth after the turn, m
  double inclination2 = 0;     ///< inclination after the turn
  double azimuth2 = 0;         ///< azimuth after the turn
  double orientedAzimuth = 0;  ///< direction the tool is set to
  double toolface = 0;         ///< initial toolface
  double buildRate = 0;        ///< motor build rate, degrees per 100 m
};

/// Dogleg (radians) between the two surveys of `in`, from the inclination change and the
/// azimuth change weighted by the sine of the mean inclination.
double turnDogleg(const TurnInput& in) noexcept;

/// Toolface (radians) that turns the first survey of `in` into the second; nothing when the
/// dogleg or the result is not finite.
std::optional<double> achievedToolface(const TurnInput& in) noexcept;

/// Actual reactive torque angle, degrees: oriented azimuth less first azimuth less the achieved
/// toolface. Nothing where achievedToolface gives nothing.
std::optional<double> findReactiveTorque(const TurnInput& in) noexcept;

/// Predicted survey after the turn, degrees.
struct TurnPrediction {
  double inclination = 0;
  double azimuth = 0;
};

/// Survey after drilling from md1 to md2 at the build rate with the initial toolface; nothing
/// when the result is not finite or the predicted inclination has a zero sine but is not zero.
std::optional<TurnPrediction> predictTurn(const TurnInput& in) noexcept;

/// Reactive torque allowance, degrees, for a motor at measured depth md1 (m): 3, 4 or 5 degrees
/// per 100 m below and from 1200 m and from 1500 m.
double torqueAllowance(double md1) noexcept;

/// What finding the initial toolface shows; an empty field leaves its box as it is.
struct InitialToolface {
  bool badBuildRate = false;              ///< build rate not positive: ask for it again
  std::optional<double> drillToDepth;     ///< depth at which the turn is complete, m
  std::optional<double> toolface;         ///< initial toolface, degrees
  std::optional<double> orientedAzimuth;  ///< direction to set the tool, degrees
};

/// Initial toolface, drill-to depth and oriented azimuth from the surveys before and after and
/// the build rate of `in`.
InitialToolface findInitialToolface(const TurnInput& in) noexcept;

}  // namespace tarsek
