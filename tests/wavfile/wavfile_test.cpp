// The WAV reader and writer against files built byte by byte: every
// encoding it reads, the chunk layouts found in the wild, and every way a
// file can be refused.
#include "tools/plughost/audio/wavfile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "wavfile/wavbytes.h"

namespace {

using namespace wavbytes;

constexpr uint16_t kPcm = 1;
constexpr uint16_t kFloat = 3;

uint32_t bits(float v) {
  uint32_t b;
  std::memcpy(&b, &v, sizeof b);
  return b;
}

// The reader's refusal message for a file, or "" when it reads it.
std::string refusal(const Bytes& file) {
  try {
    wavfile::decode(file);
    return "";
  } catch (const wavfile::FormatError& error) {
    return error.what();
  }
}

TEST(WavDecode, Pcm16ScalesToUnitRangeAndKeepsChannelsApart) {
  const auto audio = wavfile::decode(riff({fmtChunk(kPcm, 2, 48000, 16),
                                           chunk("data", pcm16({0, 16384, -32768, 32767, -1, 1}))}));
  EXPECT_EQ(audio.sampleRate, 48000u);
  ASSERT_EQ(audio.channels.size(), 2u);
  ASSERT_EQ(audio.frames(), 3u);
  EXPECT_EQ(audio.channels[0], (std::vector<float>{0.0f, -1.0f, -1.0f / 32768}));
  EXPECT_EQ(audio.channels[1], (std::vector<float>{0.5f, 32767.0f / 32768, 1.0f / 32768}));
}

TEST(WavDecode, Pcm24SignExtendsThreeByteSamples) {
  const auto audio = wavfile::decode(
      riff({fmtChunk(kPcm, 1, 44100, 24), chunk("data", pcm24({0x400000, -0x800000, -1, 0x7FFFFF}))}));
  ASSERT_EQ(audio.channels.size(), 1u);
  EXPECT_EQ(audio.channels[0],
            (std::vector<float>{0.5f, -1.0f, static_cast<float>(-1.0 / 8388608),
                                static_cast<float>(8388607.0 / 8388608)}));
}

TEST(WavDecode, Pcm32UsesTheFullIntegerRange) {
  const auto audio = wavfile::decode(
      riff({fmtChunk(kPcm, 1, 44100, 32), chunk("data", pcm32({INT32_MIN, 0x40000000, -0x20000000}))}));
  EXPECT_EQ(audio.channels[0], (std::vector<float>{-1.0f, 0.5f, -0.25f}));
}

TEST(WavDecode, Float32PassesEveryBitThrough) {
  const float tiny = std::nextafter(0.0f, 1.0f);
  const auto audio = wavfile::decode(
      riff({fmtChunk(kFloat, 2, 96000, 32), chunk("data", float32({-0.0f, tiny, 1.5f, -2.25f}))}));
  EXPECT_EQ(bits(audio.channels[0][0]), bits(-0.0f));
  EXPECT_EQ(bits(audio.channels[1][0]), bits(tiny));
  EXPECT_EQ(audio.channels[0][1], 1.5f);
  EXPECT_EQ(audio.channels[1][1], -2.25f);
}

TEST(WavDecode, Float64RoundsToTheNearestFloat) {
  const double third = 1.0 / 3.0;
  const auto audio =
      wavfile::decode(riff({fmtChunk(kFloat, 1, 44100, 64), chunk("data", float64({third, -0.75}))}));
  EXPECT_EQ(audio.channels[0], (std::vector<float>{static_cast<float>(third), -0.75f}));
}

TEST(WavDecode, ExtensibleHeadersNameTheEncodingInTheirGuid) {
  const auto pcm = wavfile::decode(riff({extensibleFmtChunk(kPcm, 2, 44100, 24, 20),
                                         chunk("data", pcm24({0x400000, -0x400000}))}));
  EXPECT_EQ(pcm.channels[0], std::vector<float>{0.5f});
  EXPECT_EQ(pcm.channels[1], std::vector<float>{-0.5f});
  const auto flt = wavfile::decode(
      riff({extensibleFmtChunk(kFloat, 1, 22050, 32, 32), chunk("data", float32({0.125f}))}));
  EXPECT_EQ(flt.sampleRate, 22050u);
  EXPECT_EQ(flt.channels[0], std::vector<float>{0.125f});
  EXPECT_NE(refusal(riff({extensibleFmtChunk(kPcm, 1, 44100, 16, 16, false), chunk("data", pcm16({1}))}))
                .find("unsupported encoding"),
            std::string::npos);
}

TEST(WavDecode, SkipsOtherChunksAndTheirPadBytesInAnyOrder) {
  // An odd-sized chunk before the format, the data before the format, and
  // a RIFF size that lies: all common in files from the wild.
  const Bytes odd = {'a', 'b', 'c'};
  const auto audio = wavfile::decode(riff({chunk("LIST", odd), chunk("data", pcm16({100, -100})),
                                           chunk("junk", odd), fmtChunk(kPcm, 2, 8000, 16)},
                                          4));
  EXPECT_EQ(audio.sampleRate, 8000u);
  EXPECT_EQ(audio.channels[0], std::vector<float>{100.0f / 32768});
  EXPECT_EQ(audio.channels[1], std::vector<float>{-100.0f / 32768});
}

TEST(WavDecode, OddDataChunkWithPadByteAndTrailingPartialFrame) {
  // Three bytes of 16-bit mono: one whole sample, half of the next.
  const auto audio = wavfile::decode(riff({fmtChunk(kPcm, 1, 44100, 16), chunk("data", {0x00, 0x40, 0x12})}));
  EXPECT_EQ(audio.channels[0], std::vector<float>{0.5f});
}

TEST(WavDecode, EmptyDataGivesNoFrames) {
  const auto audio = wavfile::decode(riff({fmtChunk(kFloat, 2, 44100, 32), chunk("data", {})}));
  EXPECT_EQ(audio.frames(), 0u);
  EXPECT_EQ(audio.channels.size(), 2u);
}

TEST(WavDecode, RefusesWhatIsNotAWavFile) {
  EXPECT_NE(refusal({}).find("not a WAV file"), std::string::npos);
  EXPECT_NE(refusal({'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!'}).find("not a WAV file"),
            std::string::npos);
  Bytes avi = riff({fmtChunk(kPcm, 1, 44100, 16), chunk("data", pcm16({1}))});
  std::memcpy(&avi[8], "AVI ", 4);
  EXPECT_NE(refusal(avi).find("not a WAV file"), std::string::npos);
  EXPECT_NE(refusal(riff({chunk("data", pcm16({1}))})).find("no fmt chunk"), std::string::npos);
  EXPECT_NE(refusal(riff({fmtChunk(kPcm, 1, 44100, 16)})).find("no data chunk"), std::string::npos);
}

TEST(WavDecode, RefusesTruncatedChunks) {
  const std::string data = refusal(
      riff({fmtChunk(kPcm, 2, 44100, 16), chunkClaiming("data", 4000, pcm16({1, 2, 3, 4}))}));
  EXPECT_NE(data.find("truncated data chunk"), std::string::npos) << data;
  EXPECT_NE(data.find("8 of 4000"), std::string::npos) << data;
  EXPECT_NE(refusal(riff({chunkClaiming("fmt ", 16, {1, 0, 2, 0})})).find("truncated 'fmt ' chunk"),
            std::string::npos);
  // A streaming writer's placeholder size is no exception.
  EXPECT_NE(refusal(riff({fmtChunk(kPcm, 1, 44100, 16), chunkClaiming("data", 0xFFFFFFFF, pcm16({1}))}))
                .find("truncated data chunk"),
            std::string::npos);
}

TEST(WavDecode, RefusesEncodingsAndLayoutsItDoesNotRead) {
  const Bytes one = pcm16({1, 2, 3});
  EXPECT_NE(refusal(riff({fmtChunk(kPcm, 3, 44100, 16), chunk("data", one)})).find("3 channels"),
            std::string::npos);
  EXPECT_NE(refusal(riff({fmtChunk(kPcm, 6, 44100, 16), chunk("data", one)})).find("6 channels"),
            std::string::npos);
  EXPECT_NE(refusal(riff({fmtChunk(kPcm, 1, 44100, 8), chunk("data", one)})).find("unsupported encoding: 8-bit PCM"),
            std::string::npos);
  EXPECT_NE(refusal(riff({fmtChunk(kFloat, 1, 44100, 16), chunk("data", one)})).find("16-bit float"),
            std::string::npos);
  EXPECT_NE(refusal(riff({fmtChunk(6, 1, 44100, 8), chunk("data", one)})).find("format tag 6"),
            std::string::npos);
  EXPECT_NE(refusal(riff({fmtChunk(kPcm, 0, 44100, 16), chunk("data", one)})).find("no channels"),
            std::string::npos);
  EXPECT_NE(refusal(riff({fmtChunk(kPcm, 1, 0, 16), chunk("data", one)})).find("sample rate 0"),
            std::string::npos);
  Bytes badAlign = fmtBody(kPcm, 2, 44100, 16);
  badAlign[12] = 3;
  EXPECT_NE(refusal(riff({chunk("fmt ", badAlign), chunk("data", one)})).find("block align"),
            std::string::npos);
  EXPECT_NE(refusal(riff({chunk("fmt ", Bytes(14, 0)), chunk("data", one)})).find("malformed fmt"),
            std::string::npos);
}

TEST(WavEncode, WritesAFloatStereoFileByTheLayout) {
  const float left[] = {0.5f, -1.0f, 2.0f};
  const float right[] = {-0.0f, 0.25f, -3.5f};
  const Bytes file = wavfile::encodeFloatStereo(48000, left, right, 3);
  ASSERT_EQ(file.size(), 12u + 26 + 12 + 8 + 24);
  EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "RIFF");
  EXPECT_EQ(readU32(file, 4), file.size() - 8);
  EXPECT_EQ(std::string(file.begin() + 8, file.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(readU32(file, 16), 18u);
  EXPECT_EQ(readU16(file, 20), kFloat);
  EXPECT_EQ(readU16(file, 22), 2u);
  EXPECT_EQ(readU32(file, 24), 48000u);
  EXPECT_EQ(readU32(file, 28), 48000u * 8);
  EXPECT_EQ(readU16(file, 32), 8u);
  EXPECT_EQ(readU16(file, 34), 32u);
  EXPECT_EQ(readU16(file, 36), 0u);
  EXPECT_EQ(std::string(file.begin() + 38, file.begin() + 42), "fact");
  EXPECT_EQ(readU32(file, 46), 3u);
  EXPECT_EQ(std::string(file.begin() + 50, file.begin() + 54), "data");
  EXPECT_EQ(readU32(file, 54), 24u);
  EXPECT_EQ(readU32(file, 58), bits(0.5f));
  EXPECT_EQ(readU32(file, 62), bits(-0.0f));
  EXPECT_EQ(readU32(file, 66), bits(-1.0f));
}

TEST(WavEncode, RoundTripsEveryBitIncludingNonFiniteSamples) {
  std::vector<float> left = {NAN, INFINITY, -INFINITY, std::nextafter(0.0f, -1.0f), 1e30f};
  std::vector<float> right = {0.0f, -0.0f, 1.0f, -1.0f, 0.1f};
  const auto audio = wavfile::decode(wavfile::encodeFloatStereo(44100, left.data(), right.data(), left.size()));
  ASSERT_EQ(audio.frames(), left.size());
  for (size_t i = 0; i < left.size(); ++i) {
    EXPECT_EQ(bits(audio.channels[0][i]), bits(left[i])) << i;
    EXPECT_EQ(bits(audio.channels[1][i]), bits(right[i])) << i;
  }
  EXPECT_EQ(wavfile::decode(wavfile::encodeFloatStereo(8000, nullptr, nullptr, 0)).frames(), 0u);
}

}  // namespace
