// The compressor's transfer curve, shared by the effect and the tools that
// check it. Every step is one 32-bit float operation, so the results are the
// same bits on every target.
#pragma once

#include <cstddef>

namespace quillon {

// What the curve derives from Threshold and Ratio once per block: the knee
// level K and the gain G below the threshold.
struct CurveConstants {
  float knee;
  float gain;
};

inline CurveConstants curveConstants(float threshold, float ratio) {
  // Exact zero (either sign) would divide by zero: it gets the neutral knee.
  if (threshold == 0.0f) return {1.0f, 1.0f};
  float d = (1.0f - threshold) * ratio;
  float k = 1.0f - d;
  return {k, k / threshold};
}

inline float curveSample(float s, float threshold, float ratio, CurveConstants c) {
  if (s > threshold) return c.knee + (s - threshold) * ratio;
  if (s < -threshold) return -(c.knee + (-s - threshold) * ratio);
  return s * c.gain;  // also every NaN sample
}

// Runs the curve over n samples of one channel, four at a time where the
// processor allows. Bit-identical to curveSample for every input; `out` may
// be `in` itself but must not overlap it otherwise.
void curveBlock(const float* in, float* out, size_t n, float threshold, float ratio,
                CurveConstants c);

}  // namespace quillon
