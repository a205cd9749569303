// plughost render: a WAV file (or the demo signal) through processReplacing,
// a block at a time from the input file to the output file, with parameter
// automation played as a host plays it.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tools/plughost/audio/audioblocks.h"
#include "tools/plughost/audio/audiostream.h"
#include "tools/plughost/audio/demo.h"
#include "tools/plughost/audio/levels.h"
#include "tools/plughost/commands.h"
#include "tools/plughost/host/host.h"
#include "tools/plughost/platform/errors.h"
#include "tools/plughost/platform/files.h"
#include "tools/plughost/platform/stopwatch.h"

namespace plughost {

namespace {

// The audio a render reads and the rate it runs at. --rate stands in for a
// file header's rate, however wrong that is, so the plug-in, the times of
// the automation, the speed shown and the output all go by this one rate.
struct Source {
  std::unique_ptr<AudioSource> audio;
  uint32_t sampleRate = 0;
};

Source openSource(const Options& options) {
  if (options.input.empty()) {
    const uint32_t rate = options.sampleRate ? options.sampleRate : static_cast<uint32_t>(kDefaultSampleRate);
    return {std::make_unique<SignalSource>(makeDemoSignal(rate), rate), rate};
  }
  auto file = std::make_unique<WavFileSource>(options.input);
  if (options.sampleRate) return {std::move(file), options.sampleRate};
  checkFileSampleRate(options.input, file->sampleRate());
  const uint32_t rate = file->sampleRate();
  return {std::move(file), rate};
}

// An output never replaces the input, nor another output, whatever the
// spelling that names it.
void checkOutputs(const Options& options) {
  if (!options.input.empty() && sameFile(options.input, options.output))
    throw InputError("render: -o " + options.output + " is the input file " + options.input);
  if (options.dumpInput.empty()) return;
  if (sameFile(options.dumpInput, options.output)) throw InputError("render: --dump-input and -o name the same file");
  if (!options.input.empty() && sameFile(options.input, options.dumpInput))
    throw InputError("render: --dump-input " + options.dumpInput + " is the input file " + options.input);
}

struct StereoLevels {
  Levels left, right;

  void add(const StereoSignal& signal, size_t frames) {
    left.add(signal.left.data(), frames);
    right.add(signal.right.data(), frames);
  }
  void print(const char* label) const {
    std::printf("  %-6s %9.2f %9.2f %9.2f %9.2f\n", label, left.peakDb(), right.peakDb(), left.rmsDb(),
                right.rmsDb());
    if (left.nonFinite() || right.nonFinite())
      std::printf("  %-6s %llu non-finite samples left, %llu right\n", label,
                  static_cast<unsigned long long>(left.nonFinite()), static_cast<unsigned long long>(right.nonFinite()));
  }
};

// The automation curves, sent to the plug-in at every step boundary as a
// host sends them: between blocks, each block ending at the next boundary.
class AutomationPlayer {
 public:
  AutomationPlayer(const std::vector<AutomationCurve>& curves, PlugInt32 step, uint32_t sampleRate, bool trace)
      : curves(curves), step(static_cast<uint64_t>(step)), sampleRate(sampleRate), trace(trace) {}

  // The frames from `frame` to the next boundary; all of them without curves.
  uint64_t framesToBoundary(uint64_t frame) const { return curves.empty() ? UINT64_MAX : step - frame % step; }

  void atFrame(Effect& effect, uint64_t frame) {
    if (curves.empty() || frame % step != 0) return;
    const double seconds = static_cast<double>(frame) / sampleRate;
    for (const AutomationCurve& curve : curves) {
      const float value = curve.valueAt(seconds);
      if (trace)
        std::printf("automate: frame %llu parameter %d = %.9g\n", static_cast<unsigned long long>(frame),
                    static_cast<int>(curve.index), value);
      effect.setParameter(curve.index, value);
    }
    ++sets;
  }

  void print() const {
    for (const AutomationCurve& curve : curves)
      std::printf("automation: parameter %d, %zu point%s from %.3f s to %.3f s, set %llu times, every %llu frames\n",
                  static_cast<int>(curve.index), curve.points.size(), curve.points.size() == 1 ? "" : "s",
                  curve.points.front().seconds,
                  curve.points.back().seconds, static_cast<unsigned long long>(sets),
                  static_cast<unsigned long long>(step));
  }

 private:
  const std::vector<AutomationCurve>& curves;
  uint64_t step;
  uint32_t sampleRate;
  bool trace;
  uint64_t sets = 0;
};

// Per cent done and speed against real time on standard error, rewritten in
// place, for renders that run long enough to wonder about; only on a
// console, where a line rewritten in place reads as one.
class Progress {
 public:
  Progress(bool wanted, uint64_t frames, uint32_t sampleRate)
      : shows(wanted && errorIsConsole()), frames(frames), sampleRate(sampleRate), started(GetTickCount64()) {}

  void update(uint64_t done) {
    if (!shows) return;
    const ULONGLONG now = GetTickCount64();
    if (now - started < kQuietMs || now - lastShown < kEveryMs) return;
    lastShown = now;
    const double audioSeconds = static_cast<double>(done) / sampleRate;
    char line[80];
    std::snprintf(line, sizeof line, "\rrender: %3.0f%% at %.0fx real time ", frames ? 100.0 * done / frames : 100.0,
                  audioSeconds / ((now - started) / 1000.0));
    show(line);
    shown = true;
  }

  void finish() {
    if (shown) show("\r                                        \r");
  }

 private:
  static constexpr ULONGLONG kQuietMs = 2000;
  static constexpr ULONGLONG kEveryMs = 250;

  static bool errorIsConsole() {
    DWORD mode;
    return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
  }

  // One write a line, so that the console draws it whole.
  static void show(const char* text) {
    DWORD written;
    WriteConsoleA(GetStdHandle(STD_ERROR_HANDLE), text, static_cast<DWORD>(std::strlen(text)), &written, nullptr);
  }

  bool shows;
  uint64_t frames;
  uint32_t sampleRate;
  ULONGLONG started;
  ULONGLONG lastShown = 0;
  bool shown = false;
};

struct RenderResult {
  uint64_t frames = 0;
  size_t blocks = 0;
  double seconds = 0.0;
  StereoLevels in, out;
};

// Frames read, processed and written at a time: whole blocks, so that the
// blocks keep their grid across reads.
size_t framesPerRead(PlugInt32 blockSize) {
  constexpr size_t kAbout = 65536;
  const size_t block = static_cast<size_t>(blockSize);
  return block * std::max<size_t>(1, kAbout / block);
}

class Render {
 public:
  Render(Effect& effect, const Options& options, const Source& source)
      : effect(effect), options(options), source(*source.audio), sampleRate(source.sampleRate),
        automation(options.automation, options.automationStep, source.sampleRate, options.trace),
        buffers(effect.record()->numInputs, effect.record()->numOutputs, options.blockSize) {}

  RenderResult run(FloatStereoWriter& output, FloatStereoWriter* dump) {
    const size_t chunk = framesPerRead(options.blockSize);
    StereoSignal in{std::vector<float>(chunk), std::vector<float>(chunk)};
    StereoSignal out{std::vector<float>(chunk), std::vector<float>(chunk)};
    Progress progress(!options.quiet, source.frames(), sampleRate);
    RenderResult result;
    for (;;) {
      const size_t frames = source.read(in.left.data(), in.right.data(), chunk);
      if (frames == 0) break;
      result.in.add(in, frames);
      if (dump) dump->write(in.left.data(), in.right.data(), frames);
      processChunk(in, out, frames, result);
      result.out.add(out, frames);
      output.write(out.left.data(), out.right.data(), frames);
      progress.update(result.frames);
    }
    progress.finish();
    result.seconds = stopwatch.seconds();
    return result;
  }

  void printAutomation() const { automation.print(); }

 private:
  void processChunk(const StereoSignal& in, StereoSignal& out, size_t frames, RenderResult& result) {
    const uint64_t block = static_cast<uint64_t>(options.blockSize);
    for (size_t first = 0; first < frames;) {
      const uint64_t at = result.frames;
      automation.atFrame(effect, at);
      const size_t count = static_cast<size_t>(
          std::min({static_cast<uint64_t>(frames - first), block - at % block, automation.framesToBoundary(at)}));
      buffers.load(in, first, count);
      stopwatch.start();
      effect.process(buffers.inputs(), buffers.outputs(), static_cast<PlugInt32>(count));
      stopwatch.stop();
      buffers.store(out, first, count);
      ++result.blocks;
      result.frames += count;
      first += count;
    }
  }

  Effect& effect;
  const Options& options;
  AudioSource& source;
  uint32_t sampleRate;
  AutomationPlayer automation;
  ChannelBuffers buffers;
  Stopwatch stopwatch;
};

void printSummary(const Options& options, uint32_t sampleRate, const RenderResult& result) {
  const double duration = static_cast<double>(result.frames) / sampleRate;
  std::printf("rendered %llu frames (%.3f s at %u Hz) in %zu blocks of up to %d frames\n",
              static_cast<unsigned long long>(result.frames), duration, static_cast<unsigned>(sampleRate),
              result.blocks, static_cast<int>(options.blockSize));
  std::printf("  %-6s %9s %9s %9s %9s   (dBFS)\n", "level", "peak L", "peak R", "RMS L", "RMS R");
  result.in.print("in");
  result.out.print("out");
  if (result.seconds > 0.0)
    std::printf("speed: %.0fx real time (processReplacing took %.3f ms in all)\n", duration / result.seconds,
                1000.0 * result.seconds);
  else
    std::printf("speed: too fast to measure\n");
  std::printf("wrote %s (32-bit float stereo)\n", options.output.c_str());
  if (!options.dumpInput.empty())
    std::printf("wrote %s (the input, 32-bit float stereo)\n", options.dumpInput.c_str());
}

}  // namespace

int runRender(const Options& options) {
  // Bad input files and outputs are refused before the plug-in is touched.
  const Source source = openSource(options);
  const uint32_t sampleRate = source.sampleRate;
  checkOutputs(options);
  // Both files are complete on disk before either takes its real name.
  // Until then they are temporary files, gone again if a later step, such
  // as loading the plug-in, fails.
  FloatStereoWriter output(options.output, sampleRate, source.audio->frames());
  std::optional<FloatStereoWriter> dump;
  if (!options.dumpInput.empty()) dump.emplace(options.dumpInput, sampleRate, source.audio->frames());

  PluginModule module(options.plugin);
  Host host(module.directory());
  host.trace = options.trace;
  host.sampleRate = static_cast<float>(sampleRate);
  host.blockSize = options.blockSize;
  Effect effect(module);
  requirePlayable(effect, options.plugin);
  applyParameters(options.params, effect);
  for (const AutomationCurve& curve : options.automation) requireParameterIndex(effect, curve.index, "--automate");

  effect.startProcessing(static_cast<float>(sampleRate), options.blockSize);
  host.processLevel = kProcessLevelOffline;
  Render render(effect, options, source);
  const RenderResult result = render.run(output, dump ? &*dump : nullptr);
  host.processLevel = kProcessLevelUser;
  effect.stopProcessing();
  effect.close();

  output.commit();
  if (dump) dump->commit();
  printSummary(options, sampleRate, result);
  render.printAutomation();
  return 0;
}

}  // namespace plughost
