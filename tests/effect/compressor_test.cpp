// The compressor as a host drives it: processing through the record,
// parameters through the record's get and set, texts through the dispatcher.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "effect/transfercurve.h"
#include "support/testhost.h"

using testhost::bitsOf;
using testhost::floatFromBits;
using testhost::LoadedEffect;

namespace {

// The curve exactly as the effect promises it, one branch per sample. Sums
// and products keep their written operand order, which decides the payload
// when both operands are NaN.
float literalCurve(float s, float t, float r) {
  return quillon::curveSample(s, t, r, quillon::curveConstants(t, r));
}

class Compressor : public ::testing::Test {
 protected:
  void set(float t, float r) {
    e()->setParameter(e(), 0, t);
    e()->setParameter(e(), 1, r);
  }
  AEffect* e() { return loaded.effect(); }
  // Runs both channels through the effect; right is left negated.
  std::vector<float> process(const std::vector<float>& left) {
    std::vector<float> right(left.size());
    for (size_t i = 0; i < left.size(); ++i) right[i] = -left[i];
    std::vector<float> outL(left.size()), outR(left.size());
    float* ins[2] = {const_cast<float*>(left.data()), right.data()};
    float* outs[2] = {outL.data(), outR.data()};
    e()->processReplacing(e(), ins, outs, static_cast<PlugInt32>(left.size()));
    for (size_t i = 0; i < left.size(); ++i)
      EXPECT_EQ(bitsOf(outR[i]), bitsOf(literalCurve(right[i], tNow(), rNow())))
          << "right channel, sample " << right[i];
    return outL;
  }
  float tNow() { return e()->getParameter(e(), 0); }
  float rNow() { return e()->getParameter(e(), 1); }
  std::string display(PlugInt32 index) { return loaded.text(effGetParamDisplay, index); }

  LoadedEffect loaded;
};

struct WorkedRow {
  float t, r;
  float out[7];
};

const float kWorkedInputs[7] = {0.1f, 0.25f, 0.5f, 0.75f, 1.0f, 1.5f, -0.75f};

TEST_F(Compressor, WorkedPointsOfTheCurve) {
  const WorkedRow rows[] = {
      {1.0f, 1.0f, {0.1f, 0.25f, 0.5f, 0.75f, 1.0f, 1.5f, -0.75f}},
      {0.5f, 0.5f, {0.15f, 0.375f, 0.75f, 0.875f, 1.0f, 1.25f, -0.875f}},
      {0.25f, 0.25f, {0.325f, 0.8125f, 0.875f, 0.9375f, 1.0f, 1.125f, -0.9375f}},
      {0.5f, 2.0f, {0.0f, 0.0f, 0.0f, 0.5f, 1.0f, 2.0f, -0.5f}},
      {0.0f, 0.5f, {1.05f, 1.125f, 1.25f, 1.375f, 1.5f, 1.75f, -1.375f}},
  };
  for (const WorkedRow& row : rows) {
    set(row.t, row.r);
    std::vector<float> out = process(std::vector<float>(kWorkedInputs, kWorkedInputs + 7));
    for (int i = 0; i < 7; ++i)
      EXPECT_NEAR(out[i], row.out[i], 1e-6f) << "T " << row.t << " R " << row.r << " s "
                                            << kWorkedInputs[i];
  }
}

TEST_F(Compressor, DefaultsAreTransparentBitForBit) {
  std::vector<float> in;
  for (int i = -1000; i <= 1000; ++i) in.push_back(i / 1000.0f);
  in.push_back(-0.0f);
  in.push_back(std::numeric_limits<float>::denorm_min());
  std::vector<float> out = process(in);
  for (size_t i = 0; i < in.size(); ++i) EXPECT_EQ(bitsOf(out[i]), bitsOf(in[i]));
}

TEST_F(Compressor, ThresholdSampleTakesTheLinearSegment) {
  set(0.3f, 0.7f);
  float d = (1.0f - 0.3f) * 0.7f;
  float g = (1.0f - d) / 0.3f;
  std::vector<float> out = process({0.3f, -0.3f});
  EXPECT_EQ(bitsOf(out[0]), bitsOf(0.3f * g));
  EXPECT_EQ(bitsOf(out[1]), bitsOf(-0.3f * g));
}

TEST_F(Compressor, ZeroThresholdLiftsEverySampleButZero) {
  for (float zero : {0.0f, -0.0f}) {
    set(zero, 0.5f);
    std::vector<float> out = process({0.0f, 0.1f, -0.1f});
    EXPECT_EQ(out[0], 0.0f);
    EXPECT_EQ(out[1], 1.0f + 0.1f * 0.5f);
    EXPECT_EQ(out[2], -(1.0f + 0.1f * 0.5f));
  }
}

// Thresholds so close to zero that K / T overflows: silence stays silence,
// and every sample at or under the threshold stays on the line to the knee.
TEST_F(Compressor, ThresholdsNearZeroKeepSilenceAndStayFinite) {
  const float denorm = std::numeric_limits<float>::denorm_min();
  for (float t : {denorm, 1e-42f, 1e-39f, 2.9e-39f}) {
    for (float r : {0.0f, 0.5f, 0.99f}) {
      set(t, r);
      const float knee = quillon::curveConstants(t, r).knee;
      std::vector<float> out = process({0.0f, -0.0f, t, -t, denorm, t / 2, 0.5f});
      EXPECT_EQ(bitsOf(out[0]), bitsOf(0.0f)) << "T " << t << " R " << r;
      EXPECT_EQ(bitsOf(out[1]), bitsOf(-0.0f));
      EXPECT_EQ(out[2], knee) << "meets the knee at T";
      EXPECT_EQ(out[3], -knee);
      for (float o : out) EXPECT_TRUE(std::isfinite(o)) << "T " << t << " R " << r;
      for (size_t i = 4; i < 6; ++i) EXPECT_LE(std::fabs(out[i]), knee);
    }
  }
}

TEST_F(Compressor, NonFiniteSamples) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  set(0.5f, 0.5f);
  std::vector<float> out = process({nan, inf, -inf});
  EXPECT_TRUE(std::isnan(out[0]));
  EXPECT_EQ(out[1], inf);
  EXPECT_EQ(out[2], -inf);
}

// Every kind of sample against every kind of setting, block sizes that end
// on and off the processor's vector width, compared bit for bit.
TEST_F(Compressor, MatchesTheLiteralCurveForEveryInputAndSetting) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float denorm = std::numeric_limits<float>::denorm_min();
  const float specials[] = {0.0f, -0.0f, nan, -nan, inf, -inf, denorm, -denorm,
                            1e-40f, 1.0f, -1.0f, 0.5f, -0.5f, 3e38f, -3e38f};
  const float settings[] = {1.0f, 0.5f, 0.25f, 0.0f, -0.0f, -0.5f, 2.0f, nan, inf, -inf,
                            denorm, 1e-30f, 1e30f};
  std::mt19937 random(2026);
  std::uniform_real_distribution<float> level(-2.0f, 2.0f);
  std::uniform_int_distribution<uint32_t> anyBits;
  std::vector<float> in;
  for (float s : specials) in.push_back(s);
  for (int i = 0; i < 300; ++i) in.push_back(level(random));
  for (int i = 0; i < 100; ++i) in.push_back(floatFromBits(anyBits(random)));
  for (float t : settings) {
    for (float r : settings) {
      set(t, r);
      for (size_t n : {size_t(1), size_t(3), size_t(7), size_t(8), size_t(13), in.size()}) {
        std::vector<float> part(in.end() - n, in.end());
        std::vector<float> out = process(part);
        for (size_t i = 0; i < n; ++i)
          ASSERT_EQ(bitsOf(out[i]), bitsOf(literalCurve(part[i], t, r)))
              << "T " << t << " R " << r << " s " << part[i] << " block " << n;
      }
    }
  }
}

TEST_F(Compressor, ZeroAndNegativeFrameCountsTouchNothing) {
  set(0.25f, 0.25f);
  float in[2] = {0.5f, 0.5f}, out[2] = {7.0f, 7.0f};
  float* ins[2] = {in, in + 1};
  float* outs[2] = {out, out + 1};
  for (PlugInt32 frames : {0, -1, -512, std::numeric_limits<PlugInt32>::min()}) {
    e()->processReplacing(e(), ins, outs, frames);
    EXPECT_EQ(out[0], 7.0f);
    EXPECT_EQ(out[1], 7.0f);
  }
}

TEST_F(Compressor, InPlaceEqualsSeparateBuffers) {
  set(0.25f, 0.25f);
  std::mt19937 random(7);
  std::uniform_real_distribution<float> level(-1.5f, 1.5f);
  std::vector<float> left(1001), right(1001);
  for (size_t i = 0; i < left.size(); ++i) {
    left[i] = level(random);
    right[i] = level(random);
  }
  std::vector<float> outL(left.size()), outR(left.size());
  float* ins[2] = {left.data(), right.data()};
  float* outs[2] = {outL.data(), outR.data()};
  e()->processReplacing(e(), ins, outs, 1001);
  e()->processReplacing(e(), ins, ins, 1001);
  for (size_t i = 0; i < left.size(); ++i) {
    EXPECT_EQ(bitsOf(left[i]), bitsOf(outL[i]));
    EXPECT_EQ(bitsOf(right[i]), bitsOf(outR[i]));
  }
}

// Hosts that hand over overlapping buffers still get what a pass frame by
// frame, left then right, gives.
TEST_F(Compressor, OverlappingBuffersFollowTheFrameOrder) {
  set(0.25f, 0.25f);
  auto literalPass = [&](float** ins, float** outs, int frames) {
    for (int i = 0; i < frames; ++i)
      for (int j = 0; j < 2; ++j) outs[j][i] = literalCurve(ins[j][i], 0.25f, 0.25f);
  };
  auto fill = [](std::vector<float>& v) {
    for (size_t i = 0; i < v.size(); ++i) v[i] = std::sin(0.37f * static_cast<float>(i));
  };
  // Each case: offsets of in0, in1, out0, out1 in one shared buffer.
  const int cases[][4] = {{0, 100, 100, 200},   // left output is the right input
                          {0, 100, 1, 101},     // outputs one sample ahead
                          {1, 101, 0, 100},     // outputs one sample behind
                          {0, 100, 200, 200}};  // both outputs the same buffer
  for (const auto& c : cases) {
    std::vector<float> mine(400), expected(400);
    fill(mine);
    fill(expected);
    float* ins[2] = {mine.data() + c[0], mine.data() + c[1]};
    float* outs[2] = {mine.data() + c[2], mine.data() + c[3]};
    e()->processReplacing(e(), ins, outs, 64);
    float* eins[2] = {expected.data() + c[0], expected.data() + c[1]};
    float* eouts[2] = {expected.data() + c[2], expected.data() + c[3]};
    literalPass(eins, eouts, 64);
    for (size_t i = 0; i < mine.size(); ++i)
      ASSERT_EQ(bitsOf(mine[i]), bitsOf(expected[i])) << "case " << c[0] << c[1] << c[2] << c[3];
  }
}

TEST_F(Compressor, ParametersAreStoredAsReceived) {
  const float values[] = {0.0f, -0.0f, 1.0f, -3.5f, 1e30f,
                          std::numeric_limits<float>::infinity()};
  for (float v : values) {
    e()->setParameter(e(), 0, v);
    e()->setParameter(e(), 1, -v);
    EXPECT_EQ(bitsOf(tNow()), bitsOf(v));
    EXPECT_EQ(bitsOf(rNow()), bitsOf(-v));
  }
  uint32_t nan = bitsOf(std::numeric_limits<float>::quiet_NaN());
  e()->setParameter(e(), 0, floatFromBits(nan));
  EXPECT_EQ(bitsOf(tNow()), nan);
}

TEST_F(Compressor, OtherParameterIndicesAreIgnored) {
  set(0.25f, 0.75f);
  for (PlugInt32 index : {2, -1, 1000, std::numeric_limits<PlugInt32>::min()}) {
    e()->setParameter(e(), index, 0.5f);
    EXPECT_EQ(bitsOf(e()->getParameter(e(), index)), 0x7FC00000u);
  }
  EXPECT_EQ(tNow(), 0.25f);
  EXPECT_EQ(rNow(), 0.75f);
}

TEST_F(Compressor, NamesAndLabelsAreCutToEightCharacters) {
  char buffer[16];
  std::memset(buffer, '#', sizeof buffer);
  loaded.dispatch(effGetParamName, 0, 0, buffer);
  EXPECT_STREQ(buffer, "Threshol");
  for (size_t i = 9; i < sizeof buffer; ++i) EXPECT_EQ(buffer[i], '#');
  EXPECT_EQ(loaded.text(effGetParamName, 1), "Ratio");
  EXPECT_EQ(loaded.text(effGetParamLabel, 0), "dB");
  EXPECT_EQ(loaded.text(effGetParamLabel, 1), "x");
}

TEST_F(Compressor, OtherIndicesLeaveTextBuffersAsTheyWere) {
  for (PlugInt32 opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay}) {
    for (PlugInt32 index : {2, -1}) {
      char buffer[12];
      std::memset(buffer, '#', sizeof buffer);
      loaded.dispatch(opcode, index, 0, buffer);
      for (char c : buffer) EXPECT_EQ(c, '#');
    }
  }
}

TEST_F(Compressor, ThresholdShowsDecibels) {
  const struct {
    float value;
    const char* text;
  } cases[] = {{1.0f, "0.000000"}, {0.5f, "-6.02060"}, {0.25f, "-12.0412"}, {0.1f, "-20.0000"},
               {0.0f, "-oo"},      {-1.0f, "-oo"},     {2.0f, "6.020600"},  {1e-30f, "-600.000"}};
  for (const auto& c : cases) {
    e()->setParameter(e(), 0, c.value);
    EXPECT_EQ(display(0), c.text) << c.value;
  }
  e()->setParameter(e(), 0, std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(display(0), "NaN");
  e()->setParameter(e(), 0, std::numeric_limits<float>::infinity());
  EXPECT_EQ(display(0), "inf");
}

TEST_F(Compressor, RatioShowsItsValueInEightCharacters) {
  const float inf = std::numeric_limits<float>::infinity();
  const struct {
    float value;
    const char* text;
  } cases[] = {{1.0f, "1.000000"},     {0.5f, "0.500000"},  {0.25f, "0.250000"},
               {0.0000001f, "0.000000"}, {-20.0f, "-20.0000"}, {12345678.5f, "1234567"},
               {123456789.0f, "1.2e+008"}, {-1.5e10f, "-1.e+010"}, {1e30f, "1e+030"},
               {inf, "inf"},           {-inf, "-inf"},      {99999999.0f, "1e+008"}};
  for (const auto& c : cases) {
    e()->setParameter(e(), 1, c.value);
    EXPECT_EQ(display(1), c.text) << c.value;
  }
  e()->setParameter(e(), 1, std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(display(1), "NaN");
}

}  // namespace
