// Value-to-text conversion and the bounded text helpers, called directly on
// an effect of the test's own so that every limit and input can be reached.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "plugin/audioeffectx.h"

namespace {

class TextEffect : public AudioEffectX {
 public:
  TextEffect() : AudioEffectX(nullptr, 1, 1) {}
  void processReplacing(float**, float**, PlugInt32) override {}
};

// A conversion's text, with guard bytes to catch any write past limit + 1.
template <class Convert>
std::string converted(Convert convert, PlugInt32 maxLen = 8) {
  char buffer[64];
  std::memset(buffer, '#', sizeof buffer);
  convert(buffer, maxLen);
  for (size_t i = static_cast<size_t>(maxLen) + 1; i < sizeof buffer; ++i)
    EXPECT_EQ(buffer[i], '#') << "written past the limit at " << i;
  return std::string(buffer, strnlen(buffer, static_cast<size_t>(maxLen) + 1));
}

TEST(BoundedText, CopyCutsAndAlwaysTerminates) {
  char buffer[12];
  std::memset(buffer, '#', sizeof buffer);
  plug_strncpy(buffer, "Threshold", 8);
  EXPECT_STREQ(buffer, "Threshol");
  EXPECT_EQ(buffer[9], '#');

  std::memset(buffer, '#', sizeof buffer);
  plug_strncpy(buffer, "dB", 8);
  EXPECT_STREQ(buffer, "dB");
  for (int i = 2; i <= 8; ++i) EXPECT_EQ(buffer[i], 0) << i;
  EXPECT_EQ(buffer[9], '#');

  std::memset(buffer, '#', sizeof buffer);
  plug_strncpy(buffer, "abc", 0);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(buffer[1], '#');
}

TEST(BoundedText, AppendKeepsTheLimit) {
  char buffer[12];
  std::memset(buffer, '#', sizeof buffer);
  plug_strncpy(buffer, "Thr", 8);
  plug_strncat(buffer, "eshold", 8);
  EXPECT_STREQ(buffer, "Threshol");
  EXPECT_EQ(buffer[9], '#');
  plug_strncat(buffer, "more", 8);
  EXPECT_STREQ(buffer, "Threshol");
  plug_strncpy(buffer, "", 8);
  plug_strncat(buffer, "x", 8);
  EXPECT_STREQ(buffer, "x");
}

TEST(FloatText, FixedPointCutToTheLimit) {
  TextEffect fx;
  auto text = [&](float v, PlugInt32 limit = 8) {
    return converted([&](char* t, PlugInt32 n) { fx.float2string(v, t, n); }, limit);
  };
  EXPECT_EQ(text(1.0f), "1.000000");
  EXPECT_EQ(text(-6.0206f), "-6.02060");
  EXPECT_EQ(text(12345678.5f), "1234567");  // point exactly at the limit
  EXPECT_EQ(text(1234567.0f), "1234567.");
  EXPECT_EQ(text(0.5f, 3), "0.5");
  EXPECT_EQ(text(-0.0000001f), "-0.00000");
  EXPECT_EQ(text(42.0f, 16), "42.000000");
}

TEST(FloatText, TooLongValuesKeepTheirExponent) {
  TextEffect fx;
  auto text = [&](float v, PlugInt32 limit = 8) {
    return converted([&](char* t, PlugInt32 n) { fx.float2string(v, t, n); }, limit);
  };
  EXPECT_EQ(text(123456789.0f), "1.2e+008");
  EXPECT_EQ(text(-123456789.0f), "-1.e+008");
  EXPECT_EQ(text(3e38f), "3e+038");  // whole "%g" text fits: nothing repeated
  EXPECT_EQ(text(1e24f), "1e+024");  // fixed text too long for the scratch area
  EXPECT_EQ(text(123456789.0f, 12), "123456792.00");  // fits a wider limit as it is
}

TEST(FloatText, NoRoomForTheExponentGivesAMarkerNotANumber) {
  TextEffect fx;
  auto text = [&](float v, PlugInt32 limit) {
    return converted([&](char* t, PlugInt32 n) { fx.float2string(v, t, n); }, limit);
  };
  EXPECT_EQ(text(1e30f, 5), "***");    // exponent part alone is five characters
  EXPECT_EQ(text(123456.0f, 4), "***");  // "%g" has no exponent to keep
  EXPECT_EQ(text(1e30f, 2), "*");
  EXPECT_EQ(text(5.0f, 0), "");
}

TEST(FloatText, NonFiniteValues) {
  TextEffect fx;
  auto text = [&](float v) {
    return converted([&](char* t, PlugInt32 n) { fx.float2string(v, t, n); });
  };
  EXPECT_EQ(text(std::numeric_limits<float>::infinity()), "inf");
  EXPECT_EQ(text(-std::numeric_limits<float>::infinity()), "-inf");
  EXPECT_EQ(text(std::numeric_limits<float>::quiet_NaN()), "NaN");
}

TEST(DecibelText, LevelsAndNonPositiveInput) {
  TextEffect fx;
  auto text = [&](float v) {
    return converted([&](char* t, PlugInt32 n) { fx.dB2string(v, t, n); });
  };
  EXPECT_EQ(text(1.0f), "0.000000");
  EXPECT_EQ(text(0.5f), "-6.02060");
  EXPECT_EQ(text(0.0f), "-oo");
  EXPECT_EQ(text(-0.0f), "-oo");
  EXPECT_EQ(text(-1.0f), "-oo");
  EXPECT_EQ(text(std::numeric_limits<float>::quiet_NaN()), "NaN");
}

TEST(RateText, HertzAndMillisecondsAtTheSampleRate) {
  TextEffect fx;
  auto hz = [&](float v) {
    return converted([&](char* t, PlugInt32 n) { fx.Hz2string(v, t, n); });
  };
  auto ms = [&](float v) {
    return converted([&](char* t, PlugInt32 n) { fx.ms2string(v, t, n); });
  };
  EXPECT_EQ(hz(0.0f), "0.000000");
  EXPECT_EQ(hz(441.0f), "100.0000");
  EXPECT_EQ(ms(44100.0f), "1000.000");
  EXPECT_EQ(ms(0.0f), "0.000000");
  fx.setSampleRate(48000.0f);
  EXPECT_EQ(hz(480.0f), "100.0000");
  fx.setSampleRate(0.0f);
  EXPECT_EQ(ms(1.0f), "inf");
  EXPECT_EQ(ms(0.0f), "NaN");
}

// The three derived conversions format through the virtual float2string.
TEST(RateText, ConversionsUseTheEffectsOwnFloatText) {
  struct Marked : TextEffect {
    void float2string(float, char* text, PlugInt32 maxLen) override {
      plug_strncpy(text, "mine", maxLen);
    }
  } fx;
  auto check = [&](void (AudioEffect::*op)(float, char*, PlugInt32)) {
    return converted([&](char* t, PlugInt32 n) { (fx.*op)(0.5f, t, n); });
  };
  EXPECT_EQ(check(&AudioEffect::dB2string), "mine");
  EXPECT_EQ(check(&AudioEffect::Hz2string), "mine");
  EXPECT_EQ(check(&AudioEffect::ms2string), "mine");
}

TEST(IntText, DigitsSignAndLimits) {
  TextEffect fx;
  auto text = [&](PlugInt32 v, PlugInt32 limit = 8) {
    return converted([&](char* t, PlugInt32 n) { fx.int2string(v, t, n); }, limit);
  };
  EXPECT_EQ(text(123), "123");
  EXPECT_EQ(text(-45), "-45");
  EXPECT_EQ(text(0), "");
  EXPECT_EQ(text(99999999), "99999999");
  EXPECT_EQ(text(100000000), "Huge!");
  EXPECT_EQ(text(-99999999), "-9999999");
  EXPECT_EQ(text(-999999999, 10), "-999999999");
  EXPECT_EQ(text(1000005, 3), "100");
}

TEST(IntText, BeyondNineDigitsNegativeIsSafe) {
  TextEffect fx;
  auto text = [&](PlugInt32 v) {
    return converted([&](char* t, PlugInt32 n) { fx.int2string(v, t, n); }, 10);
  };
  EXPECT_EQ(text(-1000000000), "-Huge!");
  EXPECT_EQ(text(std::numeric_limits<PlugInt32>::min()), "-Huge!");
}

}  // namespace
