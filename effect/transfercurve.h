// The compressor's transfer curve. Every step is one 32-bit float operation,
// so the results are the same bits on every target.
#pragma once

#include <cmath>
#include <cstddef>

namespace quillon {

// IEEE arithmetic leaves open which NaN an operation on two NaNs returns;
// the processor returns its first operand, but a compiler may swap the
// operands of a commutative operation. Multiplications and additions of the
// curve go through these so that the written order is the order executed and
// NaN payloads come out the same from every path and every build.
inline float mulInOrder(float a, float b) {
  asm("mulss %1, %0" : "+x"(a) : "x"(b));
  return a;
}

inline float addInOrder(float a, float b) {
  asm("addss %1, %0" : "+x"(a) : "x"(b));
  return a;
}

// What the curve derives from Threshold and Ratio once per block: the knee
// level K and the gain G below the threshold.
struct CurveConstants {
  float knee;
  float gain;
};

inline CurveConstants curveConstants(float threshold, float ratio) {
  // Exact zero (either sign) would divide by zero: it gets the neutral knee.
  if (threshold == 0.0f) return {1.0f, 1.0f};
  float d = mulInOrder(1.0f - threshold, ratio);
  float k = 1.0f - d;
  return {k, k / threshold};
}

// A threshold so close to zero (below about 1e-38) that K / T overflows:
// s x G would turn silence into NaN and every quiet sample into infinity.
// Such settings take the straight part as (s / T) x K, the same line
// computed in an order that cannot overflow: it stays within +-K, meets the
// knee at T and keeps silence silent. Every finite G keeps s x G, bit for bit,
// and so does an infinite K (a ratio far out of range), whose line is
// infinite whichever way it is computed.
inline bool gainOverflows(CurveConstants c) { return std::isinf(c.gain) && std::isfinite(c.knee); }

// One sample, branch by branch.
inline float curveSample(float s, float threshold, float ratio, CurveConstants c) {
  if (s > threshold) return addInOrder(c.knee, mulInOrder(s - threshold, ratio));
  if (s < -threshold) return -addInOrder(c.knee, mulInOrder(-s - threshold, ratio));
  if (gainOverflows(c)) return mulInOrder(s / threshold, c.knee);
  return mulInOrder(s, c.gain);  // also every NaN sample
}

// Whether this processor runs eight float lanes at once (and the system
// keeps them across thread switches).
bool wideLanesAvailable();

// Runs the curve over n samples of one channel, several at a time, eight
// when `wide` (only where wideLanesAvailable()). Bit-identical to curveSample
// for every input; `out` may be `in` itself but must not overlap it otherwise.
void curveBlock(const float* in, float* out, size_t n, float threshold, float ratio,
                CurveConstants c, bool wide);

}  // namespace quillon
