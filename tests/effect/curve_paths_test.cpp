// The curve's block paths (four lanes, eight lanes, written-order NaN
// handling) against the branch-by-branch sample, whichever path this
// processor would pick on its own.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "effect/transfercurve.h"
#include "support/testhost.h"

using testhost::bitsOf;
using testhost::floatFromBits;

namespace {

std::vector<float> samplesOfEveryKind() {
  const float inf = std::numeric_limits<float>::infinity();
  const float denorm = std::numeric_limits<float>::denorm_min();
  std::vector<float> in = {0.0f, -0.0f, inf, -inf, denorm, -denorm, 1.0f, -1.0f,
                           floatFromBits(0x7FC00001), floatFromBits(0xFFA00002),  // quiet, signalling
                           floatFromBits(0x7F800003)};
  std::mt19937 random(11);
  std::uniform_int_distribution<uint32_t> anyBits;
  std::uniform_real_distribution<float> level(-2.0f, 2.0f);
  for (int i = 0; i < 500; ++i) in.push_back(i % 3 ? level(random) : floatFromBits(anyBits(random)));
  return in;
}

TEST(CurvePaths, EveryPathMatchesTheSampleCurve) {
  const float inf = std::numeric_limits<float>::infinity();
  const float settings[] = {1.0f, 0.5f, 0.25f, 0.0f, -0.0f, -0.5f, 2.0f, inf, -inf,
                            floatFromBits(0x7FC01234), floatFromBits(0xFFC00077), 1e-42f};
  std::vector<float> in = samplesOfEveryKind();
  std::vector<bool> widths = {false};
  if (quillon::wideLanesAvailable()) widths.push_back(true);
  for (bool wide : widths) {
    for (float t : settings) {
      for (float r : settings) {
        quillon::CurveConstants c = quillon::curveConstants(t, r);
        for (size_t n : {size_t(0), size_t(5), size_t(8), size_t(17), in.size()}) {
          std::vector<float> out(n);
          quillon::curveBlock(in.data(), out.data(), n, t, r, c, wide);
          for (size_t i = 0; i < n; ++i)
            ASSERT_EQ(bitsOf(out[i]), bitsOf(quillon::curveSample(in[i], t, r, c)))
                << "wide " << wide << " T " << t << " R " << r << " s " << in[i];
        }
      }
    }
  }
}

// When both operands of a sum or product are NaN, the first as written is
// the one that comes out, on every path.
TEST(CurvePaths, TwoNaNOperandsGiveTheFirst) {
  const float sampleNaN = floatFromBits(0x7FC0AAAA);
  const float settingNaN = floatFromBits(0x7FC05555);
  quillon::CurveConstants c = quillon::curveConstants(1.0f, settingNaN);
  EXPECT_EQ(bitsOf(c.knee), bitsOf(settingNaN));
  EXPECT_EQ(bitsOf(quillon::curveSample(sampleNaN, 1.0f, settingNaN, c)), bitsOf(sampleNaN));
  float in[9], out[9];
  for (float& s : in) s = sampleNaN;
  quillon::curveBlock(in, out, 9, 1.0f, settingNaN, c, false);
  for (float s : out) EXPECT_EQ(bitsOf(s), bitsOf(sampleNaN));
}

}  // namespace
