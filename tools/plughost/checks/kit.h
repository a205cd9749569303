// What the validation checks are made of: guarded buffers that show a
// plug-in writing where it must not, sessions that load and switch on an
// effect, and the small verdict helpers.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "tools/plughost/checks/check.h"
#include "tools/plughost/host/editorhost.h"
#include "tools/plughost/host/host.h"
#include "tools/plughost/platform/text.h"

namespace plughost {

// Throws CheckFailure with the text when the condition does not hold.
void require(bool condition, const std::string& failure);

// The checks' rate and block, unless a check says otherwise.
constexpr float kSampleRate = kDefaultSampleRate;
constexpr PlugInt32 kBlock = kDefaultBlockSize;

// A loaded plug-in with one effect built and opened.
struct Session {
  explicit Session(const CheckContext& context)
      : module(context.plugin), host(module.directory()), effect(module) {}

  PluginModule module;
  Host host;  // constructed before the effect, so it answers the entry point
  Effect effect;
  const AEffect& record() const { return *effect.record(); }
};

// Bytes in use on every heap of the process. Measured around the life of
// effects to see whether closing one gives back what building it took.
size_t heapBytesInUse();

// A text buffer of limit + 1 bytes between guard bytes. The inside starts
// out non-zero, so a request that writes nothing leaves no terminator.
class GuardedText {
 public:
  explicit GuardedText(size_t limit)
      : limit(limit), bytes(kGuard + limit + 1 + kGuard, kGuardByte) {
    std::fill(bytes.begin() + kGuard, bytes.begin() + kGuard + limit + 1, kFillByte);
  }

  char* data() { return reinterpret_cast<char*>(bytes.data() + kGuard); }

  // Zeroes the inside, for requests that read the buffer as input.
  void clear() { std::fill(bytes.begin() + kGuard, bytes.begin() + kGuard + limit + 1, 0); }

  bool untouched() const {
    return std::all_of(bytes.begin() + kGuard, bytes.begin() + kGuard + limit + 1,
                       [](unsigned char b) { return b == kFillByte; }) &&
           guardProblem().empty();
  }

  // "" while the guards on both sides are intact.
  std::string guardProblem() const {
    for (size_t i = 0; i < kGuard; ++i)
      if (bytes[i] != kGuardByte) return format("wrote %zu bytes before the buffer", kGuard - i);
    for (size_t i = bytes.size(); i-- > kGuard + limit + 1;)
      if (bytes[i] != kGuardByte)
        return format("wrote %zu bytes past the %zu-byte buffer (\"%.64s\")",
                      i - (kGuard + limit), limit + 1, text().c_str());
    return "";
  }

  // What is wrong with what was written, or "" for a terminated text
  // within the limit.
  std::string problem() const {
    const std::string guards = guardProblem();
    if (!guards.empty()) return guards;
    const unsigned char* inside = bytes.data() + kGuard;
    if (!std::memchr(inside, 0, limit + 1)) return format("left no terminator within %zu bytes", limit + 1);
    return "";
  }

  // The bytes from the start of the buffer to the first zero, within guards.
  std::string text() const {
    const char* inside = reinterpret_cast<const char*>(bytes.data() + kGuard);
    const size_t room = bytes.size() - kGuard;
    return std::string(inside, strnlen(inside, room));
  }

 private:
  static constexpr size_t kGuard = 256;
  static constexpr unsigned char kGuardByte = 0xCD;
  static constexpr unsigned char kFillByte = 0xA5;
  size_t limit;
  std::vector<unsigned char> bytes;
};

// Audio channels with guard samples before and after each; the guards and
// anything meant to stay untouched are compared bit for bit.
class AudioBuffers {
 public:
  AudioBuffers(PlugInt32 channels, PlugInt32 frames)
      : frames(frames), storage(std::max<PlugInt32>(channels, 0),
                                std::vector<uint32_t>(kGuard + frames + kGuard, kGuardBits)) {
    for (auto& channel : storage) {
      std::fill(channel.begin() + kGuard, channel.begin() + kGuard + frames, 0u);
      pointerList.push_back(reinterpret_cast<float*>(channel.data() + kGuard));
    }
    pointerList.push_back(nullptr);  // never read: keeps data() valid for zero channels
  }

  // A copy would keep pointing into the original's channels.
  AudioBuffers(const AudioBuffers&) = delete;
  AudioBuffers& operator=(const AudioBuffers&) = delete;
  AudioBuffers(AudioBuffers&&) = default;
  AudioBuffers& operator=(AudioBuffers&&) = default;

  float** pointers() { return pointerList.data(); }
  float* channel(size_t c) { return pointerList[c]; }
  size_t channels() const { return storage.size(); }

  void fillNoise(std::mt19937& random, float amplitude) {
    std::uniform_real_distribution<float> noise(-amplitude, amplitude);
    for (size_t c = 0; c < channels(); ++c)
      for (PlugInt32 i = 0; i < frames; ++i) channel(c)[i] = noise(random);
  }

  void fill(float value) {
    for (size_t c = 0; c < channels(); ++c) std::fill(channel(c), channel(c) + frames, value);
  }

  std::vector<std::vector<uint32_t>> snapshot() const { return storage; }
  bool sameAs(const std::vector<std::vector<uint32_t>>& earlier) const { return storage == earlier; }

  // "" when every guard sample is intact.
  std::string guardProblem(const char* what) const {
    for (size_t c = 0; c < channels(); ++c) {
      for (size_t i = 0; i < kGuard; ++i)
        if (storage[c][i] != kGuardBits)
          return format("%s channel %zu: sample %d before the buffer was written", what, c,
                        static_cast<int>(i) - static_cast<int>(kGuard));
      for (size_t i = kGuard + frames; i < storage[c].size(); ++i)
        if (storage[c][i] != kGuardBits)
          return format("%s channel %zu: frame %zu past the %d-frame block was written", what, c,
                        i - kGuard, static_cast<int>(frames));
    }
    return "";
  }

  // "" when every sample inside the block is finite.
  std::string nonFiniteProblem(const char* what) const {
    for (size_t c = 0; c < channels(); ++c)
      for (PlugInt32 i = 0; i < frames; ++i) {
        float v;
        std::memcpy(&v, &storage[c][kGuard + i], sizeof v);
        if (!std::isfinite(v))
          return format("%s channel %zu frame %d is %g", what, c, static_cast<int>(i),
                        static_cast<double>(v));
      }
    return "";
  }

  // First frame where two buffers differ in their bits, or "".
  std::string differenceFrom(const AudioBuffers& other, size_t channelCount) const {
    for (size_t c = 0; c < channelCount; ++c)
      for (PlugInt32 i = 0; i < frames; ++i)
        if (storage[c][kGuard + i] != other.storage[c][kGuard + i]) {
          float a, b;
          std::memcpy(&a, &storage[c][kGuard + i], sizeof a);
          std::memcpy(&b, &other.storage[c][kGuard + i], sizeof b);
          return format("channel %zu frame %d: %.9g in place, %.9g with separate buffers", c,
                        static_cast<int>(i), static_cast<double>(a), static_cast<double>(b));
        }
    return "";
  }

 private:
  static constexpr size_t kGuard = 64;
  static constexpr uint32_t kGuardBits = 0x7FA5A5A5;  // a NaN no arithmetic produces
  PlugInt32 frames;
  std::vector<std::vector<uint32_t>> storage;
  std::vector<float*> pointerList;
};

// What is wrong with one block just processed from `inputs` into
// `outputs`, or "": both sides' guards intact, every output sample finite,
// and the inputs still as `inputsBefore`, their snapshot from before.
std::string processedBlockProblem(const AudioBuffers& inputs,
                                  const std::vector<std::vector<uint32_t>>& inputsBefore,
                                  const AudioBuffers& outputs);

// Fail the check unless the effect can process (a replacing process
// function and channel counts a host can serve).
void requireProcessing(Effect& effect);
// The same question, answered rather than failed.
bool processable(Effect& effect);

// One block of silence through an effect that is switched on.
void processSilentBlock(Effect& effect);

// The number of channels of one side, once the effect is known to process.
PlugInt32 processingChannels(Effect& effect, bool inputs);

// A session switched on for processing, with a block of buffers each way.
struct AudioSession {
  explicit AudioSession(const CheckContext& context)
      : session(context),
        effect(session.effect),
        inputs(processingChannels(effect, true), kBlock),
        outputs(processingChannels(effect, false), kBlock) {
    effect.prepare(kSampleRate, kBlock);
  }
  void process(PlugInt32 frames = kBlock) { effect.process(inputs.pointers(), outputs.pointers(), frames); }

  Session session;
  Effect& effect;
  AudioBuffers inputs;
  AudioBuffers outputs;
};

// Whether this process runs under a user-mode emulator, where subnormal
// arithmetic is done in software like all the rest and a ratio of times
// says nothing of what the plug-in costs on a processor. The project's
// 32-bit launcher says so (QUILLON_EMULATED_CPU=1); without it, qemu's
// emulated processor names itself "QEMU TCG CPU" in CPUID's brand string.
// A virtual machine's processor runs the code natively and may be called
// "QEMU Virtual CPU", so only the emulator's name counts: when in doubt,
// the ratio is judged.
bool cpuIsEmulated();

// Wine, like 64-bit Windows, swallows a fault in a window procedure that
// the system calls back (WM_PAINT among others): a plug-in window that
// reads freed memory then faults on every message instead of ending the
// process. So while a watch lives, a hardware fault in the module that
// holds `codeInPlugIn` (or a jump into memory that holds no code) goes to
// the crash report at once, whoever would have handled it; `beforeReport`,
// when given, runs first on the faulting thread.
class PlugInFaultWatch {
 public:
  explicit PlugInFaultWatch(const void* codeInPlugIn, void (*beforeReport)() = nullptr);
  ~PlugInFaultWatch();
  PlugInFaultWatch(const PlugInFaultWatch&) = delete;
  PlugInFaultWatch& operator=(const PlugInFaultWatch&) = delete;

 private:
  void* registration = nullptr;
};

// Sets every parameter to the same value.
void setAllParameters(Effect& effect, float value);

// Gives two instances of one plug-in the same random value for every
// parameter, drawn in parameter order, so that their outputs compare.
void setSameRandomParameters(std::mt19937& random, Effect& first, Effect& second);

}  // namespace plughost
