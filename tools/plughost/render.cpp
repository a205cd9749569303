// plughost render: a WAV file (or the demo signal) through processReplacing.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "tools/plughost/audio/audioblocks.h"
#include "tools/plughost/audio/demo.h"
#include "tools/plughost/audio/wavfile.h"
#include "tools/plughost/commands.h"
#include "tools/plughost/host/host.h"
#include "tools/plughost/platform/errors.h"
#include "tools/plughost/platform/files.h"

namespace plughost {

namespace {

struct Source {
  StereoSignal signal;
  uint32_t sampleRate = 0;
};

Source loadSource(const Options& options) {
  Source source;
  if (options.input.empty()) {
    source.sampleRate = options.sampleRate ? options.sampleRate : static_cast<uint32_t>(kDefaultSampleRate);
    source.signal = makeDemoSignal(source.sampleRate);
    return source;
  }
  const InputFile file = readInputFile(options.input);
  source.signal = file.signal;
  source.sampleRate = options.sampleRate ? options.sampleRate : file.sampleRate;
  return source;
}

// Peak and RMS of one channel; samples that are not finite are counted
// apart so one NaN does not hide the level of everything else.
struct Levels {
  double peak = 0.0;
  double sumSquares = 0.0;
  size_t finite = 0;
  size_t nonFinite = 0;

  void add(const std::vector<float>& samples) {
    for (float s : samples) {
      if (!std::isfinite(s)) {
        ++nonFinite;
        continue;
      }
      const double v = s;
      peak = std::fmax(peak, std::fabs(v));
      sumSquares += v * v;
      ++finite;
    }
  }
  double peakDb() const { return toDb(peak); }
  double rmsDb() const { return finite ? toDb(std::sqrt(sumSquares / finite)) : toDb(0.0); }
  static double toDb(double amplitude) {
    return amplitude > 0.0 ? 20.0 * std::log10(amplitude) : -INFINITY;
  }
};

void printLevels(const char* label, const StereoSignal& signal) {
  Levels left, right;
  left.add(signal.left);
  right.add(signal.right);
  std::printf("  %-6s %9.2f %9.2f %9.2f %9.2f\n", label, left.peakDb(), right.peakDb(),
              left.rmsDb(), right.rmsDb());
  if (left.nonFinite || right.nonFinite)
    std::printf("  %-6s %zu non-finite samples left, %zu right\n", label, left.nonFinite,
                right.nonFinite);
}

class Stopwatch {
 public:
  Stopwatch() { QueryPerformanceFrequency(&frequency); }
  void start() { QueryPerformanceCounter(&started); }
  void stop() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    ticks += now.QuadPart - started.QuadPart;
  }
  double seconds() const { return static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart); }

 private:
  LARGE_INTEGER frequency{};
  LARGE_INTEGER started{};
  long long ticks = 0;
};

struct RenderResult {
  StereoSignal output;
  size_t blocks = 0;
  double seconds = 0.0;
};

RenderResult process(Effect& effect, Host& host, const StereoSignal& input, PlugInt32 blockSize) {
  const size_t frames = input.left.size();
  RenderResult result;
  result.output.left.resize(frames);
  result.output.right.resize(frames);
  ChannelBuffers buffers(effect.record()->numInputs, effect.record()->numOutputs, blockSize);
  Stopwatch stopwatch;
  host.processLevel = kProcessLevelOffline;
  for (size_t first = 0; first < frames; first += blockSize) {
    const size_t count = std::min(frames - first, static_cast<size_t>(blockSize));
    buffers.load(input, first, count);
    stopwatch.start();
    effect.process(buffers.inputs(), buffers.outputs(), static_cast<PlugInt32>(count));
    stopwatch.stop();
    buffers.store(result.output, first, count);
    ++result.blocks;
  }
  host.processLevel = kProcessLevelUser;
  result.seconds = stopwatch.seconds();
  return result;
}

std::vector<unsigned char> encode(const StereoSignal& signal, uint32_t rate, const std::string& path) {
  try {
    return wavfile::encodeFloatStereo(rate, signal.left.data(), signal.right.data(), signal.left.size());
  } catch (const wavfile::FormatError& error) {
    throw InputError("cannot write " + path + ": " + error.what());
  }
}

void printSummary(const Options& options, const Source& source, const RenderResult& result) {
  const size_t frames = source.signal.left.size();
  const double duration = static_cast<double>(frames) / source.sampleRate;
  std::printf("rendered %zu frames (%.3f s at %u Hz) in %zu blocks of up to %d frames\n", frames,
              duration, static_cast<unsigned>(source.sampleRate), result.blocks,
              static_cast<int>(options.blockSize));
  std::printf("  %-6s %9s %9s %9s %9s   (dBFS)\n", "level", "peak L", "peak R", "RMS L", "RMS R");
  printLevels("in", source.signal);
  printLevels("out", result.output);
  if (result.seconds > 0.0)
    std::printf("speed: %.0fx real time (processReplacing took %.3f ms in all)\n",
                duration / result.seconds, 1000.0 * result.seconds);
  else
    std::printf("speed: too fast to measure\n");
  std::printf("wrote %s (32-bit float stereo)\n", options.output.c_str());
  if (!options.dumpInput.empty())
    std::printf("wrote %s (the input, 32-bit float stereo)\n", options.dumpInput.c_str());
}

}  // namespace

int runRender(const Options& options) {
  if (options.dumpInput == options.output)
    throw InputError("render: --dump-input and -o name the same file");
  // Bad input files are refused before the plug-in is touched.
  const Source source = loadSource(options);

  PluginModule module(options.plugin);
  Host host(module.directory());
  host.trace = options.trace;
  host.sampleRate = static_cast<float>(source.sampleRate);
  host.blockSize = options.blockSize;
  Effect effect(module);
  requirePlayable(effect, options.plugin);
  applyParameters(options.params, effect);

  effect.startProcessing(static_cast<float>(source.sampleRate), options.blockSize);
  const RenderResult result = process(effect, host, source.signal, options.blockSize);
  effect.stopProcessing();
  effect.close();

  // Both files are complete on disk before either takes its real name.
  PendingFile output(options.output);
  output.write(encode(result.output, source.sampleRate, options.output));
  std::optional<PendingFile> dump;
  if (!options.dumpInput.empty()) {
    dump.emplace(options.dumpInput);
    dump->write(encode(source.signal, source.sampleRate, options.dumpInput));
  }
  output.commit();
  if (dump) dump->commit();

  printSummary(options, source, result);
  return 0;
}

}  // namespace plughost
