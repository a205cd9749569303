// plughost info and render through the real executable, on Quillon and on
// testplug, and every kind of bad input it must refuse cleanly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "plughost/runner.h"
#include "support/testhost.h"
#include "tools/plughost/audio/wavfile.h"
#include "wavfile/wavbytes.h"

namespace {

using plughosttest::plughost;
using plughosttest::Outcome;
using plughosttest::Scratch;
using namespace wavbytes;

const char* const kQuillon = "quillon.dll";
const char* const kTestplug = "fixtures/testplug_clean.dll";

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

wavfile::Audio readWav(const std::string& path) { return wavfile::decode(plughosttest::readFile(path)); }

// A stereo 16-bit file of a ramp through the whole range, odd length.
Bytes rampPcm16(size_t frames) {
  Bytes data;
  for (size_t i = 0; i < frames; ++i) {
    const int left = static_cast<int>(-32768 + (65535 * i) / (frames - 1));
    u16(data, static_cast<uint16_t>(left));
    u16(data, static_cast<uint16_t>(-left / 3));
  }
  return riff({fmtChunk(1, 2, 44100, 16), chunk("data", data)});
}

// --- info -------------------------------------------------------------------

TEST(PlughostInfo, ShowsQuillonsRecordParametersAndAnswers) {
  Scratch scratch;
  const Outcome run = plughost({"info", kQuillon}, scratch);
  ASSERT_EQ(run.status, 0u) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.lineStarting("entry "), "entry           PluginMain");
  EXPECT_EQ(run.lineStarting("magic "), "magic           0x56737450");
  EXPECT_EQ(run.lineStarting("unique id "), "unique id       'QvLn' (0x51764C6E)");
  EXPECT_EQ(run.lineStarting("parameters "), "parameters      2");
  EXPECT_EQ(run.lineStarting("inputs "), "inputs          2");
  EXPECT_EQ(run.lineStarting("interface "), "interface       2400");
  EXPECT_TRUE(contains(run.lineStarting("flags "), "CanReplacing")) << run.out;
  EXPECT_EQ(run.lineStarting("vendor "), "vendor          (not given)");
  for (const char* capability : {"sendPlugEvents", "receivePlugTimeInfo", "offline", "bypass"})
    EXPECT_TRUE(contains(run.lineStarting(std::string("  ") + capability), "0 (don't know)")) << capability;
  EXPECT_EQ(run.lineStarting("  0 "), "  0      Threshol   1.000000   0.000000   dB         yes");
  EXPECT_EQ(run.lineStarting("  1 "), "  1      Ratio      1.000000   1.000000   x          yes");
}

TEST(PlughostInfo, FindsTheMainExportAndShowsWhatAnotherPlugInGives) {
  Scratch scratch;
  const Outcome run = plughost({"info", kTestplug}, scratch);
  ASSERT_EQ(run.status, 0u) << run.err;
  EXPECT_EQ(run.lineStarting("entry "), "entry           main");
  EXPECT_EQ(run.lineStarting("unique id "), "unique id       'QtPg' (0x51745067)");
  EXPECT_EQ(run.lineStarting("category "), "category        1 (effect)");
  EXPECT_EQ(run.lineStarting("vendor "), "vendor          \"Quillon tests\"");
  EXPECT_EQ(run.lineStarting("vendor version "), "vendor version  1000");
  EXPECT_EQ(run.lineStarting("program "), "program         0 \"Default\"");
  EXPECT_TRUE(contains(run.lineStarting("  bypass"), "-1 (no)"));
  EXPECT_EQ(run.lineStarting("  2 "), "  2      Width      0.500000   100.000    %          yes");
}

TEST(PlughostInfo, TraceShowsEveryRequestWithItsArgumentsAndAnswer) {
  Scratch scratch;
  const Outcome run = plughost({"info", kQuillon, "--trace"}, scratch);
  ASSERT_EQ(run.status, 0u) << run.err;
  const std::string version = run.lineStarting("trace: #1 ");
  EXPECT_TRUE(contains(version, "trace: #1 1 audioMasterVersion index=0 value=0 ptr=")) << version;
  EXPECT_TRUE(contains(version, " opt=0 -> 2400")) << version;
  // The trace comes before what the requests led to.
  EXPECT_LT(run.out.find("trace: #1 "), run.out.find("magic "));
}

// --- render -----------------------------------------------------------------

TEST(PlughostRender, DemoAndItsInputAreWrittenAsFloatStereo) {
  Scratch scratch;
  const std::string out = scratch.path("demo-out.wav");
  const std::string in = scratch.path("demo-in.wav");
  const Outcome run = plughost({"render", kQuillon, "-o", out, "--dump-input", in, "--param", "0=0.25", "--param", "1=0.25"},
                           scratch);
  ASSERT_EQ(run.status, 0u) << run.err;
  EXPECT_EQ(run.err, "");
  const wavfile::Audio input = readWav(in);
  const wavfile::Audio output = readWav(out);
  EXPECT_EQ(input.sampleRate, 44100u);
  EXPECT_EQ(output.sampleRate, 44100u);
  ASSERT_EQ(output.channels.size(), 2u);
  EXPECT_EQ(input.frames(), 4u * 44100);
  EXPECT_EQ(output.frames(), input.frames());
  EXPECT_TRUE(contains(run.out, "rendered 176400 frames (4.000 s at 44100 Hz) in 345 blocks of up to 512 frames"))
      << run.out;
  EXPECT_TRUE(contains(run.lineStarting("speed: "), "x real time")) << run.out;

  // The demo reaches close to full scale and is not silent anywhere long.
  float peak = 0.0f;
  for (const auto& channel : input.channels)
    for (float s : channel) peak = std::fmax(peak, std::fabs(s));
  EXPECT_GT(peak, 0.8f);
  EXPECT_LE(peak, 1.0f);
  // The compressor changed it.
  EXPECT_NE(output.channels[0], input.channels[0]);
  // And it is the same bits on both targets: no maths library's rounding
  // enters the demo.
  uint64_t digest = 14695981039346656037ull;
  for (const auto& channel : input.channels)
    for (float s : channel) {
      uint32_t bits;
      std::memcpy(&bits, &s, sizeof bits);
      digest = (digest ^ bits) * 1099511628211ull;
    }
  EXPECT_EQ(digest, 0xbddc021bf2ab0837ull) << std::hex << digest;
}

// What plughost writes is what the plug-in gives for the same input in
// one call: blocks are joined without gap, overlap or change.
TEST(PlughostRender, OutputEqualsOneCallOnTheWholeInput) {
  Scratch scratch;
  const std::string in = scratch.write("ramp.wav", rampPcm16(1001));
  const std::string out = scratch.path("out.wav");
  const Outcome run = plughost({"render", kQuillon, "-i", in, "-o", out, "--block", "7", "--param", "0=0.4",
                            "--param", "1=0.7"},
                           scratch);
  ASSERT_EQ(run.status, 0u) << run.err;
  EXPECT_TRUE(contains(run.out, "in 143 blocks of up to 7 frames")) << run.out;

  wavfile::Audio expected = readWav(in);
  testhost::LoadedEffect quillon(kQuillon);
  AEffect* e = quillon.effect();
  e->setParameter(e, 0, 0.4f);
  e->setParameter(e, 1, 0.7f);
  float* channels[2] = {expected.channels[0].data(), expected.channels[1].data()};
  e->processReplacing(e, channels, channels, static_cast<PlugInt32>(expected.frames()));

  const wavfile::Audio output = readWav(out);
  ASSERT_EQ(output.frames(), 1001u);
  for (size_t c = 0; c < 2; ++c)
    for (size_t i = 0; i < output.frames(); ++i)
      ASSERT_EQ(testhost::bitsOf(output.channels[c][i]), testhost::bitsOf(expected.channels[c][i]))
          << "channel " << c << " frame " << i;
}

TEST(PlughostRender, MonoInputFeedsBothInputs) {
  Scratch scratch;
  const std::string in = scratch.write("mono.wav", riff({fmtChunk(1, 1, 22050, 24),
                                                         chunk("data", pcm24({0x400000, -0x200000, 0x7FFFFF}))}));
  const std::string out = scratch.path("out.wav");
  const Outcome run = plughost({"render", kTestplug, "-i", in, "-o", out, "--param", "0=0.25"}, scratch);
  ASSERT_EQ(run.status, 0u) << run.err;
  const wavfile::Audio output = readWav(out);
  EXPECT_EQ(output.sampleRate, 22050u);
  // testplug at gain 0.25 halves, and centred, keeps both sides equal.
  EXPECT_EQ(output.channels[0], (std::vector<float>{0.25f, -0.125f, static_cast<float>(0.5 * 8388607.0 / 8388608)}));
  EXPECT_EQ(output.channels[1], output.channels[0]);
}

TEST(PlughostRender, RateSetsTheDemoAndWhatTheHostReports) {
  Scratch scratch;
  const std::string out = scratch.path("out.wav");
  const Outcome run = plughost({"render", kTestplug, "-o", out, "--rate", "48000", "--block", "256", "--trace"}, scratch);
  ASSERT_EQ(run.status, 0u) << run.err;
  EXPECT_EQ(readWav(out).frames(), 4u * 48000);
  EXPECT_EQ(readWav(out).sampleRate, 48000u);
  // testplug asks for the rate and block size when switched on.
  bool rate = false, block = false;
  for (const std::string& line : run.outLines()) {
    rate = rate || (contains(line, " 16 audioMasterGetSampleRate index=0 value=0") && contains(line, "-> 48000"));
    block = block || (contains(line, " 17 audioMasterGetBlockSize index=0 value=0") && contains(line, "-> 256"));
  }
  EXPECT_TRUE(rate) << run.out;
  EXPECT_TRUE(block) << run.out;
}

// --rate runs a file at another rate than its header's, and the times of
// the automation go by it: 0.25 s is frame 12000 at 48000 Hz.
TEST(PlughostRender, RateGivenForAFileTimesTheAutomation) {
  Scratch scratch;
  const std::string in = scratch.write("in.wav", rampPcm16(12001));
  const Outcome run = plughost({"render", kTestplug, "-i", in, "-o", scratch.path("out.wav"), "--rate", "48000",
                                "--trace", "--automate", "0=0:0,0.5:1"},
                               scratch);
  ASSERT_EQ(run.status, 0u) << run.err;
  const std::vector<std::string> lines = run.outLines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "automate: frame 12000 parameter 0 = 0.5"), lines.end()) << run.out;
}

// An output is never the input, however its name is spelled: the same
// path, another case, a detour through ".", a hard link.
TEST(PlughostRender, RefusesToWriteOverItsInputHoweverNamed) {
  Scratch scratch;
  const Bytes original = rampPcm16(101);
  const std::string in = scratch.write("in.wav", original);
  const std::string link = scratch.path("link.wav");
  ASSERT_TRUE(CreateHardLinkA(link.c_str(), in.c_str(), nullptr));
  const std::string other = scratch.path("out.wav");
  const std::vector<std::vector<std::string>> outputs = {
      {"-o", in},
      {"-o", scratch.path("IN.WAV")},
      {"-o", scratch.path(".\\in.wav")},
      {"-o", link},
      {"-o", other, "--dump-input", scratch.path("In.Wav")},
      {"-o", other, "--dump-input", scratch.path("OUT.wav")},
  };
  for (const std::vector<std::string>& output : outputs) {
    std::vector<std::string> args = {"render", kQuillon, "-i", in};
    args.insert(args.end(), output.begin(), output.end());
    SCOPED_TRACE(args.back());
    const Outcome run = plughost(args, scratch);
    EXPECT_EQ(run.status, 2u);
    ASSERT_EQ(run.errLines().size(), 1u) << run.err;
    EXPECT_TRUE(contains(run.err, "is the input file") || contains(run.err, "name the same file")) << run.err;
    EXPECT_EQ(plughosttest::readFile(in), original);
    EXPECT_EQ(scratch.files(), (std::vector<std::string>{"in.wav", "link.wav"}));
  }
}

// A render that fails once it has begun writing, whether the input, the
// disk or the plug-in fails it, leaves the target as it was, absent or
// whole, and no temporary file beside it.
TEST(PlughostRender, AFailureHalfWayLeavesTheTargetAsItWas) {
  struct Failure {
    const char* what;
    const char* plugin;
    Bytes input;
    const char* diskLimit;  // bytes an output may reach, or null
    const char* message;
  };
  const Bytes longRamp = rampPcm16(300000);  // 1.2 MB in, 2.4 MB out, 65536 frames a read
  const std::vector<Failure> failures = {
      {"reader", kQuillon, riff({fmtChunk(1, 2, 44100, 16), chunkClaiming("data", 400000, pcm16({1, 2}))}), nullptr,
       "truncated data chunk"},
      {"full disk", kQuillon, longRamp, "1500000", "cannot write"},
      {"plug-in crash", "fixtures/testplug_midfile.dll", longRamp, nullptr, "during processReplacing"},
  };
  for (const Failure& failure : failures) {
    for (const bool targetExists : {false, true}) {
      SCOPED_TRACE(std::string(failure.what) + (targetExists ? ", over an earlier output" : ""));
      Scratch scratch;
      const std::string in = scratch.write("in.wav", failure.input);
      const Bytes earlier = {'o', 'l', 'd'};
      const std::string out = targetExists ? scratch.write("out.wav", earlier) : scratch.path("out.wav");
      SetEnvironmentVariableA("PLUGHOST_TEST_DISK_LIMIT", failure.diskLimit);
      const Outcome run = plughost({"render", failure.plugin, "-i", in, "-o", out}, scratch);
      SetEnvironmentVariableA("PLUGHOST_TEST_DISK_LIMIT", nullptr);
      EXPECT_EQ(run.status, 2u);
      EXPECT_TRUE(contains(run.err, failure.message)) << run.err;
      if (targetExists) {
        EXPECT_EQ(plughosttest::readFile(out), earlier);
      }
      EXPECT_EQ(scratch.files(), targetExists ? (std::vector<std::string>{"in.wav", "out.wav"})
                                              : std::vector<std::string>{"in.wav"});
    }
  }
}

// A curve's value at a time, straight between its points.
float curveAt(const std::vector<std::pair<double, float>>& points, double seconds) {
  if (seconds <= points.front().first) return points.front().second;
  size_t at = 0;
  while (at + 1 < points.size() && points[at + 1].first <= seconds) ++at;
  if (at + 1 == points.size()) return points.back().second;
  const auto& [t0, v0] = points[at];
  const auto& [t1, v1] = points[at + 1];
  return static_cast<float>(v0 + (static_cast<double>(v1) - v0) * (seconds - t0) / (t1 - t0));
}

// Quillon takes its parameters once a block and keeps no state between
// samples, so the render must equal the input processed 32 frames at a
// time with each curve's value at the step's first frame.
TEST(PlughostRender, AutomationFollowsTheCurveSampleBySample) {
  Scratch scratch;
  const std::string in = scratch.write("in.wav", rampPcm16(4410));
  const std::string out = scratch.path("out.wav");
  const std::vector<std::pair<double, float>> threshold = {{0.02, 0.2f}, {0.06, 0.8f}};
  const std::vector<std::pair<double, float>> ratio = {{0.0, 0.9f}, {0.05, 0.1f}, {0.05, 0.5f}};  // a jump
  const Outcome run = plughost({"render", kQuillon, "-i", in, "-o", out, "--block", "100", "--trace",
                                "--automate", "0=0.02:0.2,0.06:0.8", "--automate", "1=0:0.9,0.05:0.1,0.05:0.5"},
                               scratch);
  ASSERT_EQ(run.status, 0u) << run.err;
  // Blocks end at every 100th frame and at every 32nd.
  EXPECT_TRUE(contains(run.out, "in 177 blocks of up to 100 frames")) << run.out;
  EXPECT_TRUE(contains(run.out, "automation: parameter 0, 2 points from 0.020 s to 0.060 s, set 138 times, every 32 frames"))
      << run.out;
  const std::vector<std::string> lines = run.outLines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "automate: frame 2208 parameter 1 = 0.5"), lines.end()) << run.out;

  wavfile::Audio expected = readWav(in);
  testhost::LoadedEffect quillon(kQuillon);
  AEffect* e = quillon.effect();
  for (size_t first = 0; first < expected.frames(); first += 32) {
    const double seconds = static_cast<double>(first) / 44100;
    e->setParameter(e, 0, curveAt(threshold, seconds));
    e->setParameter(e, 1, curveAt(ratio, seconds));
    float* channels[2] = {expected.channels[0].data() + first, expected.channels[1].data() + first};
    e->processReplacing(e, channels, channels, static_cast<PlugInt32>(std::min<size_t>(32, expected.frames() - first)));
  }
  const wavfile::Audio output = readWav(out);
  ASSERT_EQ(output.frames(), expected.frames());
  for (size_t c = 0; c < 2; ++c)
    for (size_t i = 0; i < output.frames(); ++i)
      ASSERT_EQ(testhost::bitsOf(output.channels[c][i]), testhost::bitsOf(expected.channels[c][i]))
          << "channel " << c << " frame " << i;
}

// --- diff -------------------------------------------------------------------

Bytes floatWav(uint16_t channels, uint32_t rate, const std::vector<float>& samples) {
  Bytes data;
  for (float sample : samples) u32(data, testhost::bitsOf(sample));
  return riff({fmtChunk(3, channels, rate, 32), chunk("data", data)});
}

TEST(PlughostDiff, IdenticalWithinBeyondAndIncomparable) {
  std::vector<float> base(100);
  for (size_t i = 0; i < base.size(); ++i) base[i] = std::sin(0.1f * static_cast<float>(i)) * 0.5f;
  base[40] = NAN;  // one NaN against another is no difference
  std::vector<float> changed = base;
  changed[14] += 0.001f;  // frame 7, right side
  changed[16] -= 0.0001f;
  struct Case {
    const char* what;
    Bytes other;
    std::vector<std::string> options;
    DWORD status;
    std::vector<const char*> says;
  };
  const std::vector<Case> cases = {
      {"identical", floatWav(2, 44100, base), {}, 0, {"differing frames: none of 50", "diff: identical"}},
      {"different", floatWav(2, 44100, changed), {}, 1,
       {"peak difference: -60.00 dBFS", "differing frames: 2 of 50, the first at frame 7", "diff: different"}},
      {"within", floatWav(2, 44100, changed), {"--tolerance-db", "-50"}, 0, {"within the tolerance of -50.00 dBFS"}},
      {"beyond", floatWav(2, 44100, changed), {"--tolerance-db", "-70"}, 1, {"beyond the tolerance of -70.00 dBFS"}},
      {"rate", floatWav(2, 48000, base), {}, 2, {"the sample rate differs: ", "has 44100 Hz", "has 48000 Hz"}},
      {"channels", floatWav(1, 44100, base), {}, 2, {"the channel count differs"}},
      {"length", floatWav(2, 44100, std::vector<float>(base.begin(), base.end() - 2)), {}, 2,
       {"the length differs: ", "has 50 frames", "has 49 frames"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Scratch scratch;
    std::vector<std::string> args = {"diff", scratch.write("a.wav", floatWav(2, 44100, base)),
                                     scratch.write("b.wav", c.other)};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const Outcome run = plughost(args, scratch);
    EXPECT_EQ(run.status, c.status) << run.out << run.err;
    for (const char* text : c.says) EXPECT_TRUE(contains(run.out + run.err, text)) << run.out << run.err;
    if (c.status == 2) {
      EXPECT_EQ(run.errLines().size(), 1u) << run.err;
    }
  }
}

// --- bad input --------------------------------------------------------------

struct BadInput {
  const char* what;
  std::vector<std::string> args;  // "IN" stands for the case's input file
  Bytes input;                    // written to the scratch folder when not empty
  const char* message;            // part of the one line on standard error
};

// The headers of a DLL built for the other bitness than this test's: all
// that plughost reads of it before refusing it.
Bytes otherBitnessHeaders() {
  Bytes file(0x200, 0);
  file[0] = 'M', file[1] = 'Z', file[0x3c] = 0x80;
  file[0x80] = 'P', file[0x81] = 'E';
  const uint16_t machine = sizeof(void*) == 8 ? 0x014c : 0x8664;
  file[0x84] = static_cast<uint8_t>(machine), file[0x85] = static_cast<uint8_t>(machine >> 8);
  return file;
}

std::vector<BadInput> badInputs() {
  const Bytes ok = riff({fmtChunk(1, 2, 44100, 16), chunk("data", pcm16({1, 2}))});
  const Bytes text = {'h', 'e', 'l', 'l', 'o', ' ', 't', 'h', 'e', 'r', 'e', '\n'};
  return {
      {"missing input", {"render", kQuillon, "-i", "absent.wav"}, {}, "cannot read absent.wav"},
      {"not a WAV", {"render", kQuillon, "-i", "IN"}, text, "not a WAV file"},
      {"8-bit", {"render", kQuillon, "-i", "IN"}, riff({fmtChunk(1, 1, 44100, 8), chunk("data", {1, 2})}),
       "unsupported encoding: 8-bit PCM"},
      {"truncated", {"render", kQuillon, "-i", "IN"},
       riff({fmtChunk(1, 2, 44100, 16), chunkClaiming("data", 400, pcm16({1, 2}))}), "truncated data chunk"},
      {"3 channels", {"render", kQuillon, "-i", "IN"},
       riff({fmtChunk(1, 3, 44100, 16), chunk("data", pcm16({1, 2, 3}))}), "3 channels"},
      {"missing DLL", {"render", "absent.dll"}, {}, "cannot load absent.dll: no such file"},
      {"DLL that does not load", {"render", "IN"}, text, "cannot load"},
      {"DLL of the other bitness", {"info", "IN"}, otherBitnessHeaders(),
       sizeof(void*) == 8 ? "is a 32-bit plug-in and this plughost is 64-bit: use the 32-bit plughost (build/win32/plughost.exe)"
                          : "is a 64-bit plug-in and this plughost is 32-bit: use the 64-bit plughost (build/win64/plughost.exe)"},
      {"no entry", {"render", "fixtures/testplug_noentry.dll"}, {}, "has no entry point"},
      {"null entry", {"render", "fixtures/testplug_nullentry.dll"}, {}, "built no effect"},
      {"wrong magic", {"render", "fixtures/testplug_badmagic.dll"}, {}, "wrong magic 0x12345678"},
      {"parameter index", {"render", kQuillon, "--param", "2=0.5"}, {}, "index 2 is outside the plug-in's 2 parameters"},
      {"negative parameter index", {"render", kQuillon, "--param", "-1=0.5"}, {}, "index -1 is outside"},
      {"parameter value", {"render", kQuillon, "--param", "0=loud"}, {}, "expected a finite number"},
      {"parameter value beyond a float", {"render", kQuillon, "--param", "0=1e39"}, {}, "expected a finite number"},
      {"parameter syntax", {"render", kQuillon, "--param", "0"}, {}, "expected INDEX=VALUE"},
      {"block size", {"render", kQuillon, "--block", "0"}, {}, "--block: expected a whole number"},
      {"file's sample rate", {"render", kQuillon, "-i", "IN"},
       riff({fmtChunk(1, 1, 4000000000u, 16), chunk("data", pcm16({1}))}),
       "a sample rate of 4000000000 Hz is outside 1000 to 1536000 Hz"},
      {"automation point", {"render", kQuillon, "--automate", "0=1"}, {}, "'1' is not TIME:VALUE"},
      {"automation order", {"render", kQuillon, "--automate", "0=1:0.5,0.5:0.2"}, {}, "comes before the point"},
      {"automation index", {"render", kQuillon, "--automate", "5=0:1"}, {}, "--automate: index 5 is outside"},
      {"automation index form", {"render", kQuillon, "--automate", "1e0=0:1"}, {}, "--automate index: expected"},
      {"output refused before the plug-in loads", {"render", "fixtures/testplug_badmagic.dll", "-o", "no/such/out.wav"},
       {}, "cannot write no/such/out.wav"},
      {"output is a folder", {"render", kQuillon, "-o", "fixtures"}, {}, "cannot write fixtures: it is a folder"},
      {"duration", {"validate", kQuillon, "--duration", "0.05"}, {},
       "--duration: expected seconds from 0.1 to 3600, got '0.05'"},
      {"timeout shorter than the duration", {"validate", kQuillon, "--duration", "600", "--timeout", "300"}, {},
       "--timeout 300 is too short for --duration 600"},
      {"unknown option", {"render", kQuillon, "--fast"}, {}, "unknown option '--fast'"},
      {"info option on validate", {"validate", kQuillon, "--trace"}, {}, "unknown option '--trace'"},
      {"unknown command", {"play", kQuillon}, {}, "unknown command 'play'"},
      {"unknown check", {"validate", kQuillon, "--only", "nonsense"}, {}, "unknown check 'nonsense'"},
      {"validate a missing DLL", {"validate", "absent.dll"}, {}, "no such file"},
      {"no output folder", {"render", kQuillon, "-i", "IN", "-o", "no/such/folder/out.wav"}, ok, "cannot write"},
      {"crash inside the plug-in", {"info", "fixtures/testplug_crash.dll"}, {},
       ") in testplug_crash.dll during effGetTailSize"},
  };
}

// Each bad input gives one line naming the problem, status 2, and leaves
// no file behind: neither the output nor a temporary.
TEST(PlughostBadInput, OneLineStatusTwoAndNoFileLeft) {
  for (const BadInput& bad : badInputs()) {
    SCOPED_TRACE(bad.what);
    Scratch scratch;
    std::vector<std::string> args = bad.args;
    const std::string in = bad.input.empty() ? "" : scratch.write("input.bin", bad.input);
    bool hasOutput = false;
    for (std::string& arg : args) {
      if (arg == "IN") arg = in;
      hasOutput = hasOutput || arg == "-o";
    }
    if (args[0] == "render" && !hasOutput) args.insert(args.end(), {"-o", scratch.path("out.wav")});
    const Outcome run = plughost(args, scratch);
    EXPECT_EQ(run.status, 2u);
    ASSERT_EQ(run.errLines().size(), 1u) << run.err;
    EXPECT_EQ(run.err.rfind("plughost: ", 0), 0u) << run.err;
    EXPECT_TRUE(contains(run.err, bad.message)) << run.err;
    const std::vector<std::string> left = scratch.files();
    EXPECT_EQ(left, bad.input.empty() ? std::vector<std::string>{} : std::vector<std::string>{"input.bin"});
  }
}

TEST(PlughostBadInput, AFailedRenderKeepsAnEarlierOutputIntact) {
  Scratch scratch;
  const std::string out = scratch.write("out.wav", {'o', 'l', 'd'});
  const Outcome run = plughost({"render", kQuillon, "-o", out, "--param", "9=0.5"}, scratch);
  EXPECT_EQ(run.status, 2u);
  EXPECT_EQ(plughosttest::readFile(out), (Bytes{'o', 'l', 'd'}));
}

TEST(PlughostHelp, PrintsUsageAndSucceeds) {
  Scratch scratch;
  const Outcome run = plughost({"help"}, scratch);
  EXPECT_EQ(run.status, 0u);
  EXPECT_TRUE(contains(run.out, "plughost render PLUGIN.dll"));
  const Outcome none = plughost({}, scratch);
  EXPECT_EQ(none.status, 2u);
  EXPECT_EQ(none.errLines().size(), 1u);
}

}  // namespace
