// Peak and RMS levels in dBFS, as plughost reports them.
#include "tools/plughost/audio/levels.h"

#include <emmintrin.h>

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace plughost {

double toDbfs(double amplitude) { return amplitude > 0.0 ? 20.0 * std::log10(amplitude) : -INFINITY; }

void Levels::add(const float* samples, size_t count) {
  // Four samples at a time, so that a render does not spend a good part of
  // its time here; a group holding a sample that is not finite goes one by
  // one.
  const __m128 absMask = _mm_castsi128_ps(_mm_set1_epi32(0x7FFFFFFF));
  const __m128 largest = _mm_set1_ps(FLT_MAX);
  __m128 peaks = _mm_setzero_ps();
  __m128d sumsLow = _mm_setzero_pd(), sumsHigh = _mm_setzero_pd();
  size_t i = 0;
  for (; i + 4 <= count; i += 4) {
    const __m128 magnitude = _mm_and_ps(_mm_loadu_ps(samples + i), absMask);
    if (_mm_movemask_ps(_mm_cmple_ps(magnitude, largest)) != 0xF) {
      for (size_t j = i; j < i + 4; ++j) addOne(samples[j]);
      continue;
    }
    peaks = _mm_max_ps(peaks, magnitude);
    const __m128d low = _mm_cvtps_pd(magnitude);
    const __m128d high = _mm_cvtps_pd(_mm_movehl_ps(magnitude, magnitude));
    sumsLow = _mm_add_pd(sumsLow, _mm_mul_pd(low, low));
    sumsHigh = _mm_add_pd(sumsHigh, _mm_mul_pd(high, high));
  }
  for (; i < count; ++i) addOne(samples[i]);
  float lanes[4];
  _mm_storeu_ps(lanes, peaks);
  double sums[4];
  _mm_storeu_pd(sums, sumsLow);
  _mm_storeu_pd(sums + 2, sumsHigh);
  for (int lane = 0; lane < 4; ++lane) {
    peak = std::max(peak, lanes[lane]);
    sumSquares += sums[lane];
  }
  total += count;
}

void Levels::addOne(float sample) {
  const float magnitude = std::fabs(sample);
  if (!(magnitude <= FLT_MAX)) {
    ++nonFiniteCount;
    return;
  }
  peak = std::max(peak, magnitude);
  sumSquares += static_cast<double>(magnitude) * magnitude;
}

double Levels::rmsDb() const {
  const uint64_t counted = total - nonFiniteCount;
  return toDbfs(counted ? std::sqrt(sumSquares / static_cast<double>(counted)) : 0.0);
}

}  // namespace plughost
