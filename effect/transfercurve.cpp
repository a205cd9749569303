#include "effect/transfercurve.h"

#include <emmintrin.h>

namespace quillon {

namespace {

// The three branches of the curve computed side by side and selected by
// the two comparisons in the scalar order: above wins over below, and
// neither (including NaN samples) takes the linear segment.
inline __m128 curveVector(__m128 s, __m128 t, __m128 negT, __m128 r, __m128 k, __m128 g,
                          __m128 signBit) {
  __m128 above = _mm_cmpgt_ps(s, t);
  __m128 below = _mm_cmplt_ps(s, negT);
  __m128 upper = _mm_add_ps(k, _mm_mul_ps(_mm_sub_ps(s, t), r));
  __m128 negS = _mm_xor_ps(s, signBit);
  __m128 lower = _mm_xor_ps(_mm_add_ps(k, _mm_mul_ps(_mm_sub_ps(negS, t), r)), signBit);
  __m128 linear = _mm_mul_ps(s, g);
  __m128 result = _mm_or_ps(_mm_and_ps(below, lower), _mm_andnot_ps(below, linear));
  return _mm_or_ps(_mm_and_ps(above, upper), _mm_andnot_ps(above, result));
}

}  // namespace

void curveBlock(const float* in, float* out, size_t n, float threshold, float ratio,
                CurveConstants c) {
  const __m128 t = _mm_set1_ps(threshold);
  const __m128 negT = _mm_set1_ps(-threshold);
  const __m128 r = _mm_set1_ps(ratio);
  const __m128 k = _mm_set1_ps(c.knee);
  const __m128 g = _mm_set1_ps(c.gain);
  const __m128 signBit = _mm_set1_ps(-0.0f);
  size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    __m128 a = _mm_loadu_ps(in + i);
    __m128 b = _mm_loadu_ps(in + i + 4);
    _mm_storeu_ps(out + i, curveVector(a, t, negT, r, k, g, signBit));
    _mm_storeu_ps(out + i + 4, curveVector(b, t, negT, r, k, g, signBit));
  }
  for (; i + 4 <= n; i += 4)
    _mm_storeu_ps(out + i, curveVector(_mm_loadu_ps(in + i), t, negT, r, k, g, signBit));
  for (; i < n; ++i) out[i] = curveSample(in[i], threshold, ratio, c);
}

}  // namespace quillon
