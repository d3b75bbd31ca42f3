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

}  // namespace tarsek::vecmath
