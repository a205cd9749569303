// The compressor's transfer curve, in single 32-bit float steps.
#include "effect/transfercurve.h"

#include <immintrin.h>

#include <cstring>

namespace quillon {

namespace {

// Arithmetic in the written operand order, for blocks where a NaN setting
// makes the order visible.
struct InOrder {
  static __m128 mul(__m128 a, __m128 b) {
    asm("mulps %1, %0" : "+x"(a) : "x"(b));
    return a;
  }
  static __m128 add(__m128 a, __m128 b) {
    asm("addps %1, %0" : "+x"(a) : "x"(b));
    return a;
  }
};

// Arithmetic the compiler may schedule freely. The operand order only
// decides which NaN comes out when both operands are NaN; with threshold,
// ratio, knee and gain all numbers, at most the sample side is NaN.
struct AnyOrder {
  static __m128 mul(__m128 a, __m128 b) { return _mm_mul_ps(a, b); }
  static __m128 add(__m128 a, __m128 b) { return _mm_add_ps(a, b); }
};

inline __m128 select(__m128 mask, __m128 whenSet, __m128 otherwise) {
  return _mm_or_ps(_mm_and_ps(mask, whenSet), _mm_andnot_ps(mask, otherwise));
}

struct Lanes {
  __m128 t, negT, r, k, g, sign, magnitude;
  Lanes(float threshold, float ratio, CurveConstants c)
      : t(_mm_set1_ps(threshold)),
        negT(_mm_set1_ps(-threshold)),
        r(_mm_set1_ps(ratio)),
        k(_mm_set1_ps(c.knee)),
        g(_mm_set1_ps(c.gain)),
        sign(_mm_set1_ps(-0.0f)),
        magnitude(_mm_castsi128_ps(_mm_set1_epi32(0x7FFFFFFF))) {}
};

// For a threshold that is not negative (zero included) the curve is odd:
// above +T and below -T take the same segment on |s| with s's sign, since
// -s is exactly |s| wherever s < -T. One comparison instead of two, and NaN
// samples fail it as they fail both.
template <class Ops>
inline __m128 oddCurve(__m128 s, const Lanes& l) {
  __m128 a = _mm_and_ps(s, l.magnitude);
  __m128 outside = _mm_cmpgt_ps(a, l.t);
  __m128 segment = Ops::add(l.k, Ops::mul(_mm_sub_ps(a, l.t), l.r));
  segment = _mm_xor_ps(segment, _mm_and_ps(s, l.sign));
  return select(outside, segment, Ops::mul(s, l.g));
}

// Any threshold (negative, NaN): both comparisons in their order, above
// winning over below.
template <class Ops>
inline __m128 generalCurve(__m128 s, const Lanes& l) {
  __m128 above = _mm_cmpgt_ps(s, l.t);
  __m128 below = _mm_cmplt_ps(s, l.negT);
  __m128 upper = Ops::add(l.k, Ops::mul(_mm_sub_ps(s, l.t), l.r));
  __m128 negS = _mm_xor_ps(s, l.sign);
  __m128 lower = _mm_xor_ps(Ops::add(l.k, Ops::mul(_mm_sub_ps(negS, l.t), l.r)), l.sign);
  return select(above, upper, select(below, lower, Ops::mul(s, l.g)));
}

template <__m128 (*Curve)(__m128, const Lanes&)>
void run(const float* in, float* out, size_t n, const Lanes& l) {
  size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    __m128 a = _mm_loadu_ps(in + i);
    __m128 b = _mm_loadu_ps(in + i + 4);
    _mm_storeu_ps(out + i, Curve(a, l));
    _mm_storeu_ps(out + i + 4, Curve(b, l));
  }
  for (; i + 4 <= n; i += 4) _mm_storeu_ps(out + i, Curve(_mm_loadu_ps(in + i), l));
  if (i < n) {
    // The last few samples through the same lanes, so that no second
    // (scalar) formulation has to agree with this one.
    float tail[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    std::memcpy(tail, in + i, (n - i) * sizeof(float));
    _mm_storeu_ps(tail, Curve(_mm_loadu_ps(tail), l));
    std::memcpy(out + i, tail, (n - i) * sizeof(float));
  }
}

// Eight lanes where the processor has them. The same operations as above,
// so the same bits; only used for settings that are all numbers.
struct WideLanes {
  __m256 t, r, k, g, sign, magnitude;
};

__attribute__((target("avx"))) inline __m256 oddCurveWide(__m256 s, const WideLanes& l) {
  __m256 a = _mm256_and_ps(s, l.magnitude);
  __m256 outside = _mm256_cmp_ps(a, l.t, _CMP_GT_OQ);
  __m256 segment = _mm256_add_ps(l.k, _mm256_mul_ps(_mm256_sub_ps(a, l.t), l.r));
  segment = _mm256_xor_ps(segment, _mm256_and_ps(s, l.sign));
  return _mm256_or_ps(_mm256_and_ps(outside, segment),
                      _mm256_andnot_ps(outside, _mm256_mul_ps(s, l.g)));
}

// Answers how many samples it did: whole groups of eight.
__attribute__((target("avx"))) size_t runOddWide(const float* in, float* out, size_t n,
                                                 float threshold, float ratio,
                                                 CurveConstants c) {
  WideLanes l;
  l.t = _mm256_set1_ps(threshold);
  l.r = _mm256_set1_ps(ratio);
  l.k = _mm256_set1_ps(c.knee);
  l.g = _mm256_set1_ps(c.gain);
  l.sign = _mm256_set1_ps(-0.0f);
  l.magnitude = _mm256_castsi256_ps(_mm256_set1_epi32(0x7FFFFFFF));
  size_t i = 0;
  for (; i + 16 <= n; i += 16) {
    __m256 a = _mm256_loadu_ps(in + i);
    __m256 b = _mm256_loadu_ps(in + i + 8);
    _mm256_storeu_ps(out + i, oddCurveWide(a, l));
    _mm256_storeu_ps(out + i + 8, oddCurveWide(b, l));
  }
  for (; i + 8 <= n; i += 8) _mm256_storeu_ps(out + i, oddCurveWide(_mm256_loadu_ps(in + i), l));
  return i;
}

}  // namespace

// Asked once, when the library loads: the answer cannot change while it
// runs, and the audio path then only reads a flag.
const bool gWideLanes = [] {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx") != 0;
}();

bool wideLanesAvailable() { return gWideLanes; }

void curveBlock(const float* in, float* out, size_t n, float threshold, float ratio,
                CurveConstants c, bool wide) {
  Lanes lanes(threshold, ratio, c);
  bool numbers = threshold == threshold && ratio == ratio && c.knee == c.knee && c.gain == c.gain;
  if (gainOverflows(c)) {
    // Thresholds within a hair of zero: rare enough to go sample by sample.
    for (size_t i = 0; i < n; ++i) out[i] = curveSample(in[i], threshold, ratio, c);
  } else if (numbers && threshold >= 0.0f) {
    size_t done = wide ? runOddWide(in, out, n, threshold, ratio, c) : 0;
    run<oddCurve<AnyOrder>>(in + done, out + done, n - done, lanes);
  } else if (numbers) {
    run<generalCurve<AnyOrder>>(in, out, n, lanes);
  } else {
    run<generalCurve<InOrder>>(in, out, n, lanes);
  }
}

}  // namespace quillon
