// Built with AVX2 and FMA enabled (see src/CMakeLists.txt) and entered only after
// vecmath::available() said yes. Nothing else lives here, so no shared inline code is ever
// compiled with instructions the processor might lack.

#include <immintrin.h>
#include <sleef.h>

#include "common/constants.h"
#include "survey/vector_math.h"

namespace tarsek::vecmath {

namespace {

/// v where it is finite, 0 where it is infinite or NaN.
inline __m256d finiteOrZero(__m256d v) noexcept {
  const __m256d magnitude = _mm256_andnot_pd(_mm256_set1_pd(-0.0), v);
  return _mm256_and_pd(v, _mm256_cmp_pd(magnitude, _mm256_set1_pd(__builtin_inf()), _CMP_LT_OQ));
}

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

/// AzimuthOf's degrees from an arc tangent r of (east, north) in -pi..pi: an east of 0 reads
/// 180 south of the wellhead and 0 elsewhere, a negative angle turns once, a value that is not
/// finite reads 0.
inline __m256d bearingOf(__m256d r, __m256d north, __m256d east) noexcept {
  const __m256d zero = _mm256_setzero_pd();
  r = _mm256_blendv_pd(r, _mm256_add_pd(r, _mm256_set1_pd(kTwoPi)),
                       _mm256_cmp_pd(r, zero, _CMP_LT_OQ));
  const __m256d deg = _mm256_div_pd(_mm256_mul_pd(r, _mm256_set1_pd(180.0)), _mm256_set1_pd(kPi));
  const __m256d axis = _mm256_and_pd(_mm256_cmp_pd(north, zero, _CMP_LT_OQ), _mm256_set1_pd(180));
  return _mm256_blendv_pd(finiteOrZero(deg), axis, _mm256_cmp_pd(east, zero, _CMP_EQ_OQ));
}

}  // namespace

void closure(const double* north, const double* east, double reference, double* bearing,
             double* distance, double* offset, std::size_t n) noexcept {
  const __m256d ref = _mm256_set1_pd(reference);
  for (std::size_t i = 0; i < n; i += 4) {
    const __m256d N = _mm256_loadu_pd(north + i), E = _mm256_loadu_pd(east + i);
    const __m256d b = bearingOf(Sleef_atan2d4_u35avx2(E, N), N, E);
    _mm256_storeu_pd(bearing + i, b);
    // sqrt(east * east + north * north)
    _mm256_storeu_pd(distance + i,
                     _mm256_sqrt_pd(_mm256_add_pd(_mm256_mul_pd(E, E), _mm256_mul_pd(N, N))));
    // (bearing - reference) * pi / 180
    _mm256_storeu_pd(offset + i,
                     _mm256_div_pd(_mm256_mul_pd(_mm256_sub_pd(b, ref), _mm256_set1_pd(kPi)),
                                   _mm256_set1_pd(180.0)));
  }
}

void dogleg(const double* dI, const double* dA, const double* sinMean, const double* length,
            double* out, std::size_t n) noexcept {
  const __m256d zero = _mm256_setzero_pd();
  for (std::size_t i = 0; i < n; i += 4) {
    const __m256d a = _mm256_loadu_pd(dA + i), d = _mm256_loadu_pd(dI + i);
    const __m256d L = _mm256_loadu_pd(length + i);
    const __m256d sm =
        _mm256_andnot_pd(_mm256_cmp_pd(a, zero, _CMP_EQ_OQ), _mm256_loadu_pd(sinMean + i));
    // dA * dA * sin * sin + dI * dI
    const __m256d s = _mm256_add_pd(_mm256_mul_pd(_mm256_mul_pd(_mm256_mul_pd(a, a), sm), sm),
                                    _mm256_mul_pd(d, d));
    // sqrt(s) * 180 / pi / length * 30
    const __m256d v = _mm256_mul_pd(
        _mm256_div_pd(_mm256_div_pd(_mm256_mul_pd(_mm256_sqrt_pd(s), _mm256_set1_pd(180.0)),
                                    _mm256_set1_pd(kPi)),
                      L),
        _mm256_set1_pd(30));
    const __m256d none = _mm256_or_pd(
        _mm256_or_pd(_mm256_cmp_pd(s, zero, _CMP_EQ_OQ), _mm256_cmp_pd(L, zero, _CMP_EQ_OQ)),
        _mm256_cmp_pd(finiteOrZero(L), L, _CMP_NEQ_UQ));
    _mm256_storeu_pd(out + i, _mm256_andnot_pd(none, finiteOrZero(v)));
  }
}

void aim(const double* north, const double* east, const double* tvd, const Target& target,
         double* distance, double* azimuth, double* inclination, std::size_t n) noexcept {
  const __m256d zero = _mm256_setzero_pd();
  for (std::size_t i = 0; i < n; i += 4) {
    const __m256d dN = _mm256_sub_pd(_mm256_set1_pd(target.north), _mm256_loadu_pd(north + i));
    const __m256d dE = _mm256_sub_pd(_mm256_set1_pd(target.east), _mm256_loadu_pd(east + i));
    const __m256d dist =
        _mm256_sqrt_pd(_mm256_add_pd(_mm256_mul_pd(dN, dN), _mm256_mul_pd(dE, dE)));
    const __m256d below = _mm256_sub_pd(_mm256_set1_pd(target.tvd), _mm256_loadu_pd(tvd + i));
    const __m256d isBelow = _mm256_cmp_pd(below, zero, _CMP_GT_OQ);
    _mm256_storeu_pd(distance + i, dist);
    const __m256d az = _mm256_sub_pd(bearingOf(Sleef_atan2d4_u35avx2(dE, dN), dN, dE),
                                     _mm256_set1_pd(target.declination));
    _mm256_storeu_pd(azimuth + i, _mm256_and_pd(isBelow, az));
    // atan(distance / below) in degrees, for a target below only
    const __m256d t = Sleef_atand4_u35avx2(_mm256_and_pd(isBelow, _mm256_div_pd(dist, below)));
    const __m256d deg = _mm256_div_pd(_mm256_mul_pd(t, _mm256_set1_pd(180.0)), _mm256_set1_pd(kPi));
    _mm256_storeu_pd(inclination + i, _mm256_and_pd(isBelow, finiteOrZero(deg)));
  }
}

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
