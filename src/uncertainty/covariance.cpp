#include "uncertainty/covariance.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tarsek::unc {

double Cov3::largestEigenvalue() const noexcept {
  // Closed form for a symmetric 3x3 matrix (trigonometric solution of the characteristic cubic).
  const double p1 = ne * ne + nv * nv + ev * ev;
  const double q = (nn + ee + vv) / 3;
  if (p1 <= 1e-30 * (nn * nn + ee * ee + vv * vv)) return std::max({nn, ee, vv});
  const double p2 = (nn - q) * (nn - q) + (ee - q) * (ee - q) + (vv - q) * (vv - q) + 2 * p1;
  const double p = std::sqrt(p2 / 6);
  const double b00 = (nn - q) / p, b11 = (ee - q) / p, b22 = (vv - q) / p;
  const double b01 = ne / p, b02 = nv / p, b12 = ev / p;
  const double det =
      b00 * (b11 * b22 - b12 * b12) - b01 * (b01 * b22 - b12 * b02) + b02 * (b01 * b12 - b11 * b02);
  const double r = std::clamp(det / 2, -1.0, 1.0);
  return q + 2 * p * std::cos(std::acos(r) / 3);
}

Cov3 ToHighSideLateralAlong(const Cov3& c, double inclinationDeg, double azimuthDeg) noexcept {
  const double i = inclinationDeg * std::numbers::pi / 180;
  const double a = azimuthDeg * std::numbers::pi / 180;
  const double si = std::sin(i), ci = std::cos(i), sa = std::sin(a), ca = std::cos(a);
  const Vec3 h{ci * ca, ci * sa, -si};
  const Vec3 l{-sa, ca, 0};
  const Vec3 t{si * ca, si * sa, ci};
  const auto cross = [&](const Vec3& x, const Vec3& y) {
    return x[0] * y[0] * c.nn + x[1] * y[1] * c.ee + x[2] * y[2] * c.vv +
           (x[0] * y[1] + x[1] * y[0]) * c.ne + (x[0] * y[2] + x[2] * y[0]) * c.nv +
           (x[1] * y[2] + x[2] * y[1]) * c.ev;
  };
  Cov3 out;
  out.nn = cross(h, h);
  out.ee = cross(l, l);
  out.vv = cross(t, t);
  out.ne = cross(h, l);
  out.nv = cross(h, t);
  out.ev = cross(l, t);
  return out;
}

HorizontalEllipse EllipseOf(const Cov3& c) noexcept {
  const double mean = (c.nn + c.ee) / 2;
  const double half = std::hypot((c.nn - c.ee) / 2, c.ne);
  HorizontalEllipse e;
  e.semiMajor = std::sqrt(std::max(0.0, mean + half));
  e.semiMinor = std::sqrt(std::max(0.0, mean - half));
  // Angle of the major axis from north towards east.
  double az = 0.5 * std::atan2(2 * c.ne, c.nn - c.ee) * 180 / std::numbers::pi;
  if (az < 0) az += 180;
  if (az >= 180) az -= 180;
  e.azimuth = half > 0 ? az : 0;
  return e;
}

}  // namespace tarsek::unc
