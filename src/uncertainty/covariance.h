#pragma once

// Position covariance of one point and the figures drawn from it.

#include <array>

namespace tarsek::unc {

/// A position or direction in north, east, vertical (down) axes, metres.
using Vec3 = std::array<double, 3>;

/// Symmetric 3x3 covariance, m²; in north-east-vertical axes unless stated.
struct Cov3 {
  double nn = 0, ee = 0, vv = 0, ne = 0, nv = 0, ev = 0;

  Cov3& operator+=(const Cov3& o) noexcept {
    nn += o.nn;
    ee += o.ee;
    vv += o.vv;
    ne += o.ne;
    nv += o.nv;
    ev += o.ev;
    return *this;
  }
  /// Adds e eᵀ.
  void addOuter(const Vec3& e) noexcept {
    nn += e[0] * e[0];
    ee += e[1] * e[1];
    vv += e[2] * e[2];
    ne += e[0] * e[1];
    nv += e[0] * e[2];
    ev += e[1] * e[2];
  }
  /// uᵀ C u: the variance along the unit vector u.
  double along(const Vec3& u) const noexcept {
    return u[0] * u[0] * nn + u[1] * u[1] * ee + u[2] * u[2] * vv +
           2 * (u[0] * u[1] * ne + u[0] * u[2] * nv + u[1] * u[2] * ev);
  }
  /// Largest eigenvalue: the variance in the worst direction.
  double largestEigenvalue() const noexcept;
};

/// The covariance in high-side, lateral, along-hole axes of a hole pointing at inclination
/// and azimuth (degrees); the fields read hh, ll, aa, hl, ha, la in place of nn .. ev.
Cov3 ToHighSideLateralAlong(const Cov3& nev, double inclinationDeg, double azimuthDeg) noexcept;

/// The 1-sigma horizontal error ellipse.
struct HorizontalEllipse {
  double semiMajor = 0;  ///< m
  double semiMinor = 0;  ///< m
  double azimuth = 0;    ///< bearing of the major axis, degrees, 0 <= value < 180
};

HorizontalEllipse EllipseOf(const Cov3& nev) noexcept;

}  // namespace tarsek::unc
