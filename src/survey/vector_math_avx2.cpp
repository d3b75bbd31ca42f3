// Built with AVX2 and FMA enabled (see src/CMakeLists.txt) and entered only after
// vecmath::available() said yes. Nothing else lives here, so no shared inline code is ever
// compiled with instructions the processor might lack.

#include <immintrin.h>
#include <sleef.h>

#include "survey/vector_math.h"

namespace tarsek::vecmath {

namespace {

/// Runs a four-wide function over n values; the last partial group goes through a padded copy.
template <typename F>
inline void unary(const double* x, double* out, std::size_t n, F f) noexcept {
  std::size_t i = 0;
  for (; i + 4 <= n; i += 4) _mm256_storeu_pd(out + i, f(_mm256_loadu_pd(x + i)));
  if (i == n) return;
  alignas(32) double in[4] = {0, 0, 0, 0}, res[4];
  for (std::size_t k = 0; i + k < n; ++k) in[k] = x[i + k];
  _mm256_store_pd(res, f(_mm256_load_pd(in)));
  for (std::size_t k = 0; i + k < n; ++k) out[i + k] = res[k];
}

}  // namespace

void sinCos(const double* x, double* sine, double* cosine, std::size_t n) noexcept {
  std::size_t i = 0;
  for (; i + 4 <= n; i += 4) {
    const Sleef___m256d_2 r = Sleef_sincosd4_u35avx2(_mm256_loadu_pd(x + i));
    _mm256_storeu_pd(sine + i, r.x);
    _mm256_storeu_pd(cosine + i, r.y);
  }
  if (i == n) return;
  alignas(32) double in[4] = {0, 0, 0, 0}, s[4], c[4];
  for (std::size_t k = 0; i + k < n; ++k) in[k] = x[i + k];
  const Sleef___m256d_2 r = Sleef_sincosd4_u35avx2(_mm256_load_pd(in));
  _mm256_store_pd(s, r.x);
  _mm256_store_pd(c, r.y);
  for (std::size_t k = 0; i + k < n; ++k) sine[i + k] = s[k], cosine[i + k] = c[k];
}

void sin(const double* x, double* out, std::size_t n) noexcept {
  unary(x, out, n, [](__m256d v) { return Sleef_sind4_u35avx2(v); });
}

void cos(const double* x, double* out, std::size_t n) noexcept {
  unary(x, out, n, [](__m256d v) { return Sleef_cosd4_u35avx2(v); });
}

void tan(const double* x, double* out, std::size_t n) noexcept {
  unary(x, out, n, [](__m256d v) { return Sleef_tand4_u35avx2(v); });
}

void asin(const double* x, double* out, std::size_t n) noexcept {
  unary(x, out, n, [](__m256d v) { return Sleef_asind4_u35avx2(v); });
}

void atan(const double* x, double* out, std::size_t n) noexcept {
  unary(x, out, n, [](__m256d v) { return Sleef_atand4_u35avx2(v); });
}

void atan2(const double* y, const double* x, double* out, std::size_t n) noexcept {
  std::size_t i = 0;
  for (; i + 4 <= n; i += 4)
    _mm256_storeu_pd(out + i,
                     Sleef_atan2d4_u35avx2(_mm256_loadu_pd(y + i), _mm256_loadu_pd(x + i)));
  if (i == n) return;
  alignas(32) double a[4] = {0, 0, 0, 0}, b[4] = {1, 1, 1, 1}, res[4];
  for (std::size_t k = 0; i + k < n; ++k) a[k] = y[i + k], b[k] = x[i + k];
  _mm256_store_pd(res, Sleef_atan2d4_u35avx2(_mm256_load_pd(a), _mm256_load_pd(b)));
  for (std::size_t k = 0; i + k < n; ++k) out[i + k] = res[k];
}

}  // namespace tarsek::vecmath
