// plughost diff: two WAV files compared frame by frame, so that an author can
// keep reference renders and check a change against them.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/plughost/audio/audiostream.h"
#include "tools/plughost/audio/levels.h"
#include "tools/plughost/commands.h"
#include "tools/plughost/platform/errors.h"

namespace plughost {

namespace {

// Two NaNs are the same sample, whatever their payloads; 0 and -0 too.
bool sameSample(float a, float b) { return a == b || (std::isnan(a) && std::isnan(b)); }

struct Difference {
  double peak = 0.0;
  double sumSquares = 0.0;
  uint64_t samples = 0;
  uint64_t framesDiffering = 0;
  uint64_t firstFrame = 0;

  void add(const StereoSignal& a, const StereoSignal& b, size_t frames, unsigned channels, uint64_t at) {
    const std::vector<float>* sides[2][2] = {{&a.left, &a.right}, {&b.left, &b.right}};
    for (size_t i = 0; i < frames; ++i) {
      bool differs = false;
      for (unsigned c = 0; c < channels; ++c) {
        const float x = (*sides[0][c])[i];
        const float y = (*sides[1][c])[i];
        if (sameSample(x, y)) continue;
        differs = true;
        // A sample that is not a number against one that is differs without bound.
        double d = std::fabs(static_cast<double>(x) - y);
        if (std::isnan(d)) d = INFINITY;
        peak = std::fmax(peak, d);
        sumSquares += d * d;
      }
      if (differs && framesDiffering++ == 0) firstFrame = at + i;
    }
    samples += static_cast<uint64_t>(frames) * channels;
  }
};

std::string describe(const std::string& path, const WavFileSource& file) {
  return path + ": " + std::to_string(file.sampleRate()) + " Hz, " +
         (file.channels() == 1 ? "mono" : "stereo") + ", " + std::to_string(file.frames()) + " frames";
}

// Files that differ in shape are not compared sample by sample at all.
void requireComparable(const Options& options, const WavFileSource& a, const WavFileSource& b) {
  const std::string& nameA = options.files[0];
  const std::string& nameB = options.files[1];
  const auto refuse = [&](const char* what, const std::string& x, const std::string& y) {
    throw InputError("diff: cannot compare, the " + std::string(what) + " differs: " + nameA + " has " + x +
                     ", " + nameB + " has " + y);
  };
  if (a.sampleRate() != b.sampleRate())
    refuse("sample rate", std::to_string(a.sampleRate()) + " Hz", std::to_string(b.sampleRate()) + " Hz");
  if (a.channels() != b.channels())
    refuse("channel count", std::to_string(a.channels()), std::to_string(b.channels()));
  if (a.frames() != b.frames())
    refuse("length", std::to_string(a.frames()) + " frames", std::to_string(b.frames()) + " frames");
}

}  // namespace

int runDiff(const Options& options) {
  WavFileSource a(options.files[0]);
  WavFileSource b(options.files[1]);
  requireComparable(options, a, b);

  constexpr size_t kChunk = 65536;
  StereoSignal x{std::vector<float>(kChunk), std::vector<float>(kChunk)};
  StereoSignal y{std::vector<float>(kChunk), std::vector<float>(kChunk)};
  Difference difference;
  for (uint64_t at = 0;;) {
    const size_t frames = a.read(x.left.data(), x.right.data(), kChunk);
    if (frames == 0 || b.read(y.left.data(), y.right.data(), kChunk) != frames) break;
    difference.add(x, y, frames, a.channels(), at);
    at += frames;
  }

  std::printf("%s\n%s\n", describe(options.files[0], a).c_str(), describe(options.files[1], b).c_str());
  const double peakDb = toDbfs(difference.peak);
  const double rmsDb =
      difference.samples ? toDbfs(std::sqrt(difference.sumSquares / static_cast<double>(difference.samples))) : -INFINITY;
  std::printf("peak difference: %.2f dBFS\nRMS difference: %.2f dBFS\n", peakDb, rmsDb);
  if (difference.framesDiffering == 0) {
    std::printf("differing frames: none of %llu\ndiff: identical\n", static_cast<unsigned long long>(a.frames()));
    return kExitOk;
  }
  std::printf("differing frames: %llu of %llu, the first at frame %llu (%.6f s)\n",
              static_cast<unsigned long long>(difference.framesDiffering),
              static_cast<unsigned long long>(a.frames()), static_cast<unsigned long long>(difference.firstFrame),
              static_cast<double>(difference.firstFrame) / a.sampleRate());
  const bool within = peakDb <= options.toleranceDb;
  if (std::isinf(options.toleranceDb))
    std::printf("diff: different\n");
  else
    std::printf("diff: %s the tolerance of %.2f dBFS\n", within ? "within" : "beyond", options.toleranceDb);
  return within ? kExitOk : kExitChecksFailed;
}

}  // namespace plughost
