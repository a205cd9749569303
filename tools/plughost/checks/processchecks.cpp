// The validation checks of processing over a session: rates, block sizes,
// subnormal numbers and automation between blocks.
#include "tools/plughost/checks/processchecks.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "tools/plughost/checks/kit.h"
#include "tools/plughost/host/crash.h"
#include "tools/plughost/host/host.h"
#include "tools/plughost/platform/stopwatch.h"

namespace plughost {

namespace {

// processReplacing called straight through the record. These checks make
// hundreds of thousands of calls; each names what it is doing for a crash
// report once per run of blocks (noteActivity, with the rate and block
// size) rather than once per call, which would cost more than a small
// block's processing and, in the timed checks, be measured with it.
void callProcess(Effect& effect, float** inputs, float** outputs, PlugInt32 frames) {
  AEffect* record = effect.record();
  record->processReplacing(record, inputs, outputs, frames);
}

uint32_t bitsOf(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// By the bits, so that a flush-to-zero mode the plug-in left set cannot
// change the answer.
bool isSubnormal(uint32_t bits) { return (bits & 0x7F800000u) == 0 && (bits & 0x007FFFFFu) != 0; }
bool isNonFinite(uint32_t bits) { return (bits & 0x7F800000u) == 0x7F800000u; }

// ---------------------------------------------------------------------------
// process-matrix

const float kMatrixRates[] = {8000.0f,  22050.0f,  44100.0f,  48000.0f, 88200.0f,
                              96000.0f, 192000.0f, 384000.0f, 44100.5f};
const PlugInt32 kMatrixBlocks[] = {1, 64, 512, 4096, 8192};
// Each setting gets one second of audio in blocks of random sizes and up
// to one second in blocks of the maximum size, but no more than these many
// blocks. Uncapped, one second at 384000 Hz in 1-frame blocks is 384000
// calls for each effect, and the whole matrix made 1.9 million calls and
// processed 8.4 million frames each way: 9 s under the 32-bit tests'
// emulation (1 s natively), run for every plug-in the tests validate.
// Capped, the 1-frame blocks get 8192 frames a rate (1 s at 8000 Hz, 21 ms
// at 384000 Hz), and the blocks of the maximum size 16 blocks a setting
// (all of a second only for the largest sizes at the lower rates): one
// block of the maximum already shows a plug-in off by one at its maximum,
// and a plug-in that keeps a buffer of the first size it was told overruns
// it in the first larger block of random size. So capped, the matrix takes
// about 2 s under emulation and 0.2 s natively.
constexpr long kMaxRandomBlocks = 8192;
constexpr long kMaxLargestBlocks = 16;

// Seeded noise in [-0.5, 0.5): the generator's words scaled, with no
// distribution object, which costs more than the processing of a small
// block under emulation. The same numbers on every target.
class Noise {
 public:
  explicit Noise(uint32_t seed) : random(seed) {}
  float next() { return static_cast<float>(static_cast<int32_t>(random())) * (0.5f / 2147483648.0f); }
  // A block size from 1 to `largest`.
  PlugInt32 frames(PlugInt32 largest) {
    return largest <= 1 ? 1 : 1 + static_cast<PlugInt32>(random() % static_cast<uint32_t>(largest));
  }

 private:
  std::mt19937 random;
};

// The buffers of one block size for the two effects: inputs and outputs
// apart for one, shared buffers (input k is output k) for the other, each
// guarded right after the block's frames; and what the inputs were given.
struct MatrixBuffers {
  MatrixBuffers(PlugInt32 inputCount, PlugInt32 outputCount, PlugInt32 frames)
      : frames(frames),
        inputs(inputCount, frames),
        outputs(outputCount, frames),
        shared(std::max(inputCount, outputCount), frames),
        given(static_cast<size_t>(inputCount), std::vector<float>(static_cast<size_t>(frames))) {}

  PlugInt32 frames;
  AudioBuffers inputs;
  AudioBuffers outputs;
  AudioBuffers shared;
  std::vector<std::vector<float>> given;
};

// One effect processing with separate buffers and a second, with the same
// parameters, processing in place; both told the same rates and sizes.
class Matrix {
 public:
  explicit Matrix(const CheckContext& context)
      : session(context),
        separate(session.effect),
        inPlace(session.module),
        inputCount(session.record().numInputs),
        outputCount(session.record().numOutputs),
        noise(context.seed) {
    requireProcessing(separate);
    std::mt19937 random(context.seed);
    setSameRandomParameters(random, separate, inPlace);
  }

  // Suspend, rate, block size, resume: as a host changes its settings.
  void configure(float rate, PlugInt32 largest) {
    session.host.sampleRate = rate;
    session.host.blockSize = largest;
    for (Effect* effect : {&separate, &inPlace}) {
      effect->suspend();
      effect->prepare(rate, largest);
    }
  }

  // `total` frames in blocks of random sizes up to `largest`, or of
  // exactly `largest` (the last one whole too).
  void run(float rate, PlugInt32 largest, long total, bool randomSizes) {
    const long most = randomSizes ? kMaxRandomBlocks : kMaxLargestBlocks;
    const char* sizes = randomSizes ? "random sizes" : "the maximum size";
    noteActivity("processReplacing at %g Hz with a maximum block size of %d, blocks of %s", static_cast<double>(rate),
                 static_cast<int>(largest), sizes);
    long block = 0;
    for (long done = 0; done < total && block < most; done += buffers->frames, ++block) {
      const PlugInt32 frames = randomSizes ? std::min<long>(noise.frames(largest), total - done) : largest;
      if (!buffers || buffers->frames != frames) buffers.reset(new MatrixBuffers(inputCount, outputCount, frames));
      processBlock(*buffers);
      const std::string problem = problemIn(*buffers);
      if (!problem.empty())
        throw CheckFailure(format("%g Hz with a maximum block size of %d, blocks of %s, block %ld (%d frame%s): ",
                                  static_cast<double>(rate), static_cast<int>(largest), sizes, block,
                                  static_cast<int>(frames), frames == 1 ? "" : "s") +
                           problem);
      ++blocks;
      frameTotal += frames;
    }
  }

  long blockCount() const { return blocks; }
  double frameCount() const { return frameTotal; }

 private:
  void processBlock(MatrixBuffers& b) {
    const size_t bytes = static_cast<size_t>(b.frames) * sizeof(float);
    for (PlugInt32 c = 0; c < inputCount; ++c) {
      float* given = b.given[c].data();
      for (PlugInt32 i = 0; i < b.frames; ++i) given[i] = noise.next();
      std::memcpy(b.inputs.channel(c), given, bytes);
      std::memcpy(b.shared.channel(c), given, bytes);
    }
    callProcess(separate, b.inputs.pointers(), b.outputs.pointers(), b.frames);
    callProcess(inPlace, b.shared.pointers(), b.shared.pointers(), b.frames);
  }

  std::string problemIn(MatrixBuffers& b) const {
    std::string problem = b.outputs.guardProblem("output");
    if (problem.empty()) problem = b.inputs.guardProblem("input");
    if (problem.empty()) problem = b.shared.guardProblem("in-place buffer");
    for (PlugInt32 c = 0; problem.empty() && c < inputCount; ++c)
      if (std::memcmp(b.inputs.channel(c), b.given[c].data(), static_cast<size_t>(b.frames) * sizeof(float)))
        problem = format("input channel %d was written", static_cast<int>(c));
    if (problem.empty()) problem = b.outputs.nonFiniteProblem("output");
    if (problem.empty()) problem = b.shared.differenceFrom(b.outputs, static_cast<size_t>(outputCount));
    return problem;
  }

  Session session;
  Effect& separate;
  Effect inPlace;
  PlugInt32 inputCount;
  PlugInt32 outputCount;
  Noise noise;
  std::unique_ptr<MatrixBuffers> buffers;
  long blocks = 0;
  double frameTotal = 0;
};

std::string checkMatrix(const CheckContext& context) {
  Matrix matrix(context);
  for (float rate : kMatrixRates)
    for (PlugInt32 largest : kMatrixBlocks) {
      matrix.configure(rate, largest);
      const long second = static_cast<long>(std::ceil(rate));
      matrix.run(rate, largest, second, true);
      // Random sizes up to 1 frame were all of the maximum already.
      if (largest > 1) matrix.run(rate, largest, second, false);
    }
  return format("9 rates from 8000 to 384000 Hz (one of 44100.5) with blocks of up to 1 to 8192 frames: %ld blocks, "
                "%.0f frames each way, in place bit for bit as apart, inside their buffers, finite (seed %u)",
                matrix.blockCount(), matrix.frameCount(), static_cast<unsigned>(context.seed));
}

// ---------------------------------------------------------------------------
// process-denormals

constexpr int kDenormalRounds = 8;
constexpr int kRoundBlocks = 32;
constexpr PlugInt32 kRoundFrames = kRoundBlocks * kBlock;
constexpr double kMaxDenormalRatio = 10.0;

// What came out of a run of blocks, counted by the bits.
struct OutputCount {
  long subnormal = 0;
  long samples = 0;
  std::string nonFinite;  // the first non-finite sample, or ""
};

// One effect fed rounds of kRoundBlocks blocks from prepared buffers, the
// processing alone timed.
class DenormalRun {
 public:
  explicit DenormalRun(Session& session)
      : effect(session.effect),
        inputCount(session.record().numInputs),
        outputCount(session.record().numOutputs),
        outputs(outputCount, kRoundFrames) {}

  // Seconds the round's processing took.
  double round(AudioBuffers& inputs, const char* what) {
    noteActivity("processReplacing on %s in blocks of %d frames", what, static_cast<int>(kBlock));
    std::vector<std::vector<float*>> in(kRoundBlocks), out(kRoundBlocks);
    for (int block = 0; block < kRoundBlocks; ++block) {
      for (PlugInt32 c = 0; c < inputCount; ++c) in[block].push_back(inputs.channel(c) + block * kBlock);
      for (PlugInt32 c = 0; c < outputCount; ++c) out[block].push_back(outputs.channel(c) + block * kBlock);
      in[block].push_back(nullptr);
      out[block].push_back(nullptr);
    }
    Stopwatch stopwatch;
    stopwatch.start();
    for (int block = 0; block < kRoundBlocks; ++block)
      callProcess(effect, in[block].data(), out[block].data(), kBlock);
    stopwatch.stop();
    return stopwatch.seconds();
  }

  // Adds the last round's output to a count.
  void count(OutputCount& counted, const char* what) {
    for (PlugInt32 c = 0; c < outputCount; ++c)
      for (PlugInt32 i = 0; i < kRoundFrames; ++i) {
        const uint32_t bits = bitsOf(outputs.channel(c)[i]);
        counted.subnormal += isSubnormal(bits);
        if (isNonFinite(bits) && counted.nonFinite.empty())
          counted.nonFinite = format("output channel %d frame %d of %s is %g", static_cast<int>(c),
                                     static_cast<int>(i), what, static_cast<double>(outputs.channel(c)[i]));
      }
    counted.samples += static_cast<long>(outputCount) * kRoundFrames;
  }

 private:
  Effect& effect;
  PlugInt32 inputCount;
  PlugInt32 outputCount;
  AudioBuffers outputs;
};

// Noise of subnormal numbers only, made from their bits: a flush-to-zero
// mode the plug-in left set must not turn them into zeros on the way in.
void fillSubnormalNoise(AudioBuffers& buffers, PlugInt32 frames, std::mt19937& random) {
  for (size_t c = 0; c < buffers.channels(); ++c)
    for (PlugInt32 i = 0; i < frames; ++i) {
      const uint32_t word = random();
      const uint32_t bits = (word & 0x80000000u) | std::max<uint32_t>(word & 0x007FFFFFu, 1u);
      std::memcpy(&buffers.channel(c)[i], &bits, sizeof bits);
    }
}

std::string checkDenormals(const CheckContext& context) {
  Session session(context);
  requireProcessing(session.effect);
  session.effect.prepare(kSampleRate, kBlock);
  const PlugInt32 inputCount = session.record().numInputs;
  std::mt19937 random(context.seed);
  AudioBuffers normal(inputCount, kRoundFrames);
  AudioBuffers subnormal(inputCount, kRoundFrames);
  AudioBuffers silence(inputCount, kRoundFrames);
  normal.fillNoise(random, 0.5f);
  fillSubnormalNoise(subnormal, kRoundFrames, random);

  // Rounds of each in turn; the fastest of each is its time, the one the
  // rest of the machine disturbed least.
  DenormalRun run(session);
  OutputCount fromNormal, fromSubnormal, fromSilence;
  double normalTime = std::numeric_limits<double>::infinity();
  double subnormalTime = normalTime;
  for (int round = 0; round < kDenormalRounds; ++round) {
    normalTime = std::min(normalTime, run.round(normal, "normal noise"));
    run.count(fromNormal, "normal noise");
    subnormalTime = std::min(subnormalTime, run.round(subnormal, "subnormal noise"));
    run.count(fromSubnormal, "subnormal noise");
  }
  // Silence after noise: what a feedback path keeps once its input stops.
  // The first rounds let a tail decay; the last two are counted.
  run.round(normal, "normal noise");
  for (int round = 0; round < 4; ++round) {
    run.round(silence, "silence after noise");
    if (round >= 2) run.count(fromSilence, "silence after noise");
  }

  for (const OutputCount* counted : {&fromNormal, &fromSubnormal, &fromSilence})
    require(counted->nonFinite.empty(), "non-finite output for finite input: " + counted->nonFinite);

  const double perFrame = 1e9 / kRoundFrames;
  const double ratio = normalTime > 0 ? subnormalTime / normalTime : 1.0;
  const bool emulated = cpuIsEmulated();
  const std::string measured =
      format("subnormal input took %.1f times the time per frame of normal input (%.1f ns against %.1f ns)%s; "
             "subnormal output samples: %ld of %ld for subnormal input, %ld of %ld for normal input, %ld of %ld in "
             "silence after noise",
             ratio, subnormalTime * perFrame, normalTime * perFrame,
             emulated ? " (not judged: the processor is emulated)" : "", fromSubnormal.subnormal,
             fromSubnormal.samples, fromNormal.subnormal, fromNormal.samples, fromSilence.subnormal,
             fromSilence.samples);

  // Under emulation (the 32-bit tests run under qemu) every float operation
  // is done in software, and a subnormal one costs what the emulator's code
  // for it costs, not what the processor's does: the clean testplug, a
  // plain gain, measured 8.5 times there and 1.4 times natively on the
  // x86_64 machine. So the ratio is reported everywhere but judged on a
  // real processor only. (Processors that take a slow path for every
  // subnormal operand can make even a plug-in without feedback exceed 10
  // on subnormal input; setting flush-to-zero and denormals-are-zero while
  // it processes, as a plug-in may, passes.) The state a feedback path
  // keeps in subnormal numbers, which is what makes it slow on a
  // processor, is judged everywhere: silence in, after the tail of the
  // noise has had 0.74 s to decay, gives zeros or normal numbers; more
  // than a quarter of the samples still subnormal then is a state that
  // never decays.
  std::vector<std::string> failures;
  if (!emulated && ratio > kMaxDenormalRatio)
    failures.push_back(
        format("subnormal input is slow: more than %g times the time per frame of normal input", kMaxDenormalRatio));
  if (fromSilence.subnormal * 4 > fromSilence.samples)
    failures.push_back(format("the output stays subnormal in silence: %ld of its %ld samples from %.2f s to %.2f s "
                              "after noise stopped were subnormal",
                              fromSilence.subnormal, fromSilence.samples, 2 * kRoundFrames / kSampleRate,
                              4 * kRoundFrames / kSampleRate));
  if (!failures.empty()) {
    std::string reason;
    for (const std::string& failure : failures) reason += (reason.empty() ? "" : "; ") + failure;
    throw CheckFailure(reason + "; " + measured);
  }
  return measured + "; no non-finite output";
}

// ---------------------------------------------------------------------------
// parameter-automation

constexpr PlugInt32 kAutomationBlock = 32;
// The audio the check plays at most, whatever --duration asks: what it
// costs grows with the audio, not with the time the plug-in takes.
constexpr double kMaxAutomationSeconds = 60.0;
constexpr int kLongestRampBlocks = 64;

// One parameter's way from a value to a target over a number of blocks.
struct Ramp {
  float from = 0.0f;
  float to = 0.0f;
  int length = 0;
  int step = 0;
};

std::string checkAutomation(const CheckContext& context) {
  Session session(context);
  Effect& effect = session.effect;
  requireProcessing(effect);
  session.host.blockSize = kAutomationBlock;
  effect.prepare(kSampleRate, kAutomationBlock);
  const PlugInt32 count = session.record().numParams;
  const double seconds = std::min(context.durationSeconds, kMaxAutomationSeconds);
  const long blocks = std::max(1L, std::lround(seconds * kSampleRate / kAutomationBlock));
  AudioBuffers inputs(session.record().numInputs, kAutomationBlock);
  AudioBuffers outputs(session.record().numOutputs, kAutomationBlock);
  std::mt19937 random(context.seed);
  std::uniform_real_distribution<float> unit(0.0f, 1.0f);
  std::uniform_int_distribution<int> lengths(1, kLongestRampBlocks);
  std::uniform_int_distribution<int> ends(0, 7);

  std::vector<Ramp> ramps(static_cast<size_t>(std::max<PlugInt32>(count, 0)));
  std::vector<float> values(ramps.size());
  for (PlugInt32 i = 0; i < count; ++i) {
    const float start = effect.getParameter(i);
    ramps[i].to = std::isfinite(start) ? std::min(1.0f, std::max(0.0f, start)) : 0.5f;
  }
  auto where = [&](long block) {
    std::string moved;
    for (PlugInt32 i = 0; i < count && i < 4; ++i) moved += format("%s%.6g", i ? " " : "", static_cast<double>(values[i]));
    if (count > 4) moved += " ...";
    return format("block %ld (%.3f s), parameters at [%s]: ", block,
                  static_cast<double>(block) * kAutomationBlock / kSampleRate, moved.c_str());
  };

  long displays = 0;
  for (long block = 0; block < blocks; ++block) {
    // Between two blocks, every parameter takes its ramp's next value; a
    // ramp that ended starts the next towards a random target (now and then
    // an end of the range) over 1 to 64 blocks, 1 being a jump.
    for (PlugInt32 i = 0; i < count; ++i) {
      Ramp& ramp = ramps[i];
      if (ramp.step >= ramp.length) {
        ramp.from = ramp.to;
        const int end = ends(random);
        ramp.to = end == 0 ? 0.0f : end == 1 ? 1.0f : unit(random);
        ramp.length = lengths(random);
        ramp.step = 0;
      }
      ++ramp.step;
      values[i] = ramp.step == ramp.length
                      ? ramp.to
                      : ramp.from + (ramp.to - ramp.from) * (static_cast<float>(ramp.step) / ramp.length);
      effect.setParameter(i, values[i]);
      GuardedText display(kPlugMaxParamStrLen);
      effect.dispatch(effGetParamDisplay, i, 0, display.data());
      const std::string problem = display.problem();
      if (!problem.empty())
        throw CheckFailure(where(block) + format("parameter %d display at %.6g: ", static_cast<int>(i),
                                                 static_cast<double>(values[i])) + problem);
      ++displays;
    }
    inputs.fillNoise(random, 0.5f);
    effect.process(inputs.pointers(), outputs.pointers(), kAutomationBlock);
    std::string problem = outputs.guardProblem("output");
    if (problem.empty()) problem = outputs.nonFiniteProblem("output");
    if (!problem.empty()) throw CheckFailure(where(block) + problem);
  }
  return format("%ld blocks of %d frames (%.1f s at 44100 Hz), %d parameters on seeded ramps (seed %u): finite "
                "output, %ld displays within %d characters",
                blocks, static_cast<int>(kAutomationBlock), static_cast<double>(blocks) * kAutomationBlock / kSampleRate,
                static_cast<int>(count), static_cast<unsigned>(context.seed), displays,
                static_cast<int>(kPlugMaxParamStrLen));
}

}  // namespace

std::vector<Check> processChecks() {
  return {
      {"process-matrix", checkMatrix,
       "at every common sample rate (and a fractional one), with maximum block sizes from 1 to 8192 frames set "
       "around a suspend and resume, blocks of any size up to the maximum stay within their buffers, leave the inputs alone, "
       "give finite output and the same bits in place"},
      {"process-denormals", checkDenormals,
       "subnormal input costs at most 10 times the time of normal input, finite input gives finite output, and "
       "silence does not leave the output subnormal"},
      {"parameter-automation", checkAutomation,
       "every parameter moved on ramps between 32-frame blocks for --duration seconds of audio keeps the output "
       "finite and its display within 8 characters"},
  };
}

}  // namespace plughost
