#pragma once

// Element-wise sine, cosine and arc functions over arrays, four values at a time with AVX2.
// Each result is within one unit in the last place of the exact value, as the C library's is,
// but not always the same last bit. Callers must check available() first: the routines use
// instructions older processors lack.

#include <cstddef>

namespace tarsek::vecmath {

/// True when the processor runs the routines below.
bool available() noexcept;

void sinCos(const double* x, double* sine, double* cosine, std::size_t n) noexcept;
void sin(const double* x, double* out, std::size_t n) noexcept;
void tan(const double* x, double* out, std::size_t n) noexcept;
void asin(const double* x, double* out, std::size_t n) noexcept;
void atan(const double* x, double* out, std::size_t n) noexcept;
void atan2(const double* y, const double* x, double* out, std::size_t n) noexcept;

}  // namespace tarsek::vecmath
