#pragma once

// Element-wise sine, cosine and arc functions over arrays, four values at a time with AVX2.
// Each result is within 3.5 units in the last place of the exact value (the C library's within
// one), far below anything the program shows, but not always the same last bits. Callers must check
// available() first: the routines use instructions older processors lack.

#include <cstddef>

namespace tarsek::vecmath {

/// True when the processor runs the routines below.
bool available() noexcept;

void sinCos(const double* x, double* sine, double* cosine, std::size_t n) noexcept;
void sin(const double* x, double* out, std::size_t n) noexcept;
void cos(const double* x, double* out, std::size_t n) noexcept;
void tan(const double* x, double* out, std::size_t n) noexcept;
void asin(const double* x, double* out, std::size_t n) noexcept;
void atan(const double* x, double* out, std::size_t n) noexcept;
void atan2(const double* y, const double* x, double* out, std::size_t n) noexcept;

// The routines below work on whole groups of four: every array they read or write must have
// room for n rounded up to a multiple of four. Each value is the one the scalar expression in
// the comment gives, operation for operation, to the bit (with the arc tangent above).

/// Closure of points (north, east) from the wellhead: the bearing in degrees as AzimuthOf gives
/// it for the arc tangent of east over north, the distance, and the bearing's angle from
/// reference (degrees) in radians.
void closure(const double* north, const double* east, double reference, double* bearing,
             double* distance, double* offset, std::size_t n) noexcept;

/// Dogleg severity, degrees per 30 m: sqrt(dA² sin² + dI²) in degrees over the course length,
/// times 30; 0 without a turn or course, or when the value is not finite. sinMean counts only
/// where dA is not 0.
void dogleg(const double* dI, const double* dA, const double* sinMean, const double* length,
            double* out, std::size_t n) noexcept;

/// Where a target lies from points (north, east, tvd): its horizontal distance and, for a target
/// below the point, the magnetic bearing (the grid one less declination) and the inclination of
/// the straight line in degrees; both read 0 for a target at or above the point.
struct Target {
  double north, east, tvd, declination;
};
void aim(const double* north, const double* east, const double* tvd, const Target& target,
         double* distance, double* azimuth, double* inclination, std::size_t n) noexcept;

}  // namespace tarsek::vecmath
