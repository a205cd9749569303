// Measures the plug-in's processReplacing, loaded from quillon.dll as a host
// loads it, against the transfer curve written out branch by branch and
// against a plain copy of the same buffers. Before timing, it checks that the
// plug-in's output is bit-identical to the branch-by-branch curve for every
// kind of sample and setting.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "effect/transfercurve.h"
#include "plugin/aeffect.h"

namespace {

PlugIntPtr host(AEffect*, PlugInt32 opcode, PlugInt32, PlugIntPtr, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

// The effect's state as the branch-by-branch curve reads it: threshold and
// ratio are read again for every sample, as the stores to the outputs may
// have changed them for all the compiler knows. This is the plain loop a
// straightforward effect would run; it is what the plug-in is timed against.
struct LiteralEffect {
  float threshold;
  float ratio;

  void processReplacing(float** inputs, float** outputs, PlugInt32 sampleFrames) {
    float k, g;
    if (threshold == 0.0f) {
      k = 1.0f;
      g = 1.0f;
    } else {
      float d = (1.0f - threshold) * ratio;
      k = 1.0f - d;
      g = k / threshold;
    }
    for (PlugInt32 i = 0; i < sampleFrames; ++i) {
      for (int j = 0; j < 2; ++j) {
        float s = inputs[j][i];
        float out;
        if (s > threshold)
          out = k + (s - threshold) * ratio;
        else if (s < -threshold)
          out = -(k + (-s - threshold) * ratio);
        else
          out = s * g;
        outputs[j][i] = out;
      }
    }
  }
};

double now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

uint32_t bitsOf(float v) {
  uint32_t b;
  std::memcpy(&b, &v, sizeof b);
  return b;
}

// Times `run` over enough blocks for about `seconds`, best of five rounds,
// and answers nanoseconds per stereo frame.
template <class Run>
double nsPerFrame(Run run, int block, double seconds) {
  int blocks = 1;
  for (;;) {
    double start = now();
    for (int b = 0; b < blocks; ++b) run();
    if (now() - start > seconds / 5 || blocks > (1 << 28)) break;
    blocks *= 2;
  }
  double best = 1e30;
  for (int round = 0; round < 5; ++round) {
    double start = now();
    for (int b = 0; b < blocks; ++b) run();
    double elapsed = now() - start;
    if (elapsed < best) best = elapsed;
  }
  return best * 1e9 / (static_cast<double>(blocks) * block);
}

bool checkIdentical(AEffect* e) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float denorm = std::numeric_limits<float>::denorm_min();
  const float settings[] = {1.0f, 0.5f, 0.25f, 0.0f, -0.0f, -0.25f, 2.0f, nan, inf, -inf, denorm};
  std::mt19937 random(1);
  std::uniform_int_distribution<uint32_t> anyBits;
  std::uniform_real_distribution<float> level(-1.5f, 1.5f);
  std::vector<float> in[2];
  for (auto& channel : in) {
    for (float s : {0.0f, -0.0f, nan, -nan, inf, -inf, denorm, -denorm, 1.0f, -1.0f})
      channel.push_back(s);
    for (int i = 0; i < 2000; ++i) {
      uint32_t bits = anyBits(random);
      float s;
      std::memcpy(&s, &bits, sizeof s);
      channel.push_back(i % 2 ? s : level(random));
    }
  }
  const PlugInt32 n = static_cast<PlugInt32>(in[0].size());
  std::vector<float> ours[2] = {std::vector<float>(n), std::vector<float>(n)};
  std::vector<float> theirs[2] = {std::vector<float>(n), std::vector<float>(n)};
  float* ins[2] = {in[0].data(), in[1].data()};
  float* outs[2] = {ours[0].data(), ours[1].data()};
  float* refs[2] = {theirs[0].data(), theirs[1].data()};
  for (float t : settings) {
    for (float r : settings) {
      e->setParameter(e, 0, t);
      e->setParameter(e, 1, r);
      // The same branches with sums and products in their written operand
      // order, which settles the payload when both operands are NaN.
      quillon::CurveConstants c = quillon::curveConstants(t, r);
      for (int j = 0; j < 2; ++j)
        for (PlugInt32 i = 0; i < n; ++i) refs[j][i] = quillon::curveSample(ins[j][i], t, r, c);
      e->processReplacing(e, ins, outs, n);
      for (int j = 0; j < 2; ++j)
        for (PlugInt32 i = 0; i < n; ++i)
          if (bitsOf(ours[j][i]) != bitsOf(theirs[j][i])) {
            std::fprintf(stderr, "differs: T %g R %g s %g (%08x): %08x instead of %08x\n", t, r,
                         in[j][i], bitsOf(in[j][i]), bitsOf(ours[j][i]), bitsOf(theirs[j][i]));
            return false;
          }
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : "quillon.dll";
  HMODULE module = LoadLibraryA(path);
  if (!module) {
    std::fprintf(stderr, "cannot load %s\n", path);
    return 2;
  }
  auto entry = reinterpret_cast<AEffect* (*)(audioMasterCallback)>(
      reinterpret_cast<void*>(GetProcAddress(module, "PluginMain")));
  AEffect* e = entry ? entry(host) : nullptr;
  if (!e) {
    std::fprintf(stderr, "%s builds no effect\n", path);
    return 2;
  }

  bool identical = checkIdentical(e);
  std::printf("identical=%s\n", identical ? "yes" : "NO");

  // Compressing settings, so that every branch of the curve is taken.
  e->setParameter(e, 0, 0.25f);
  e->setParameter(e, 1, 0.25f);
  LiteralEffect literal{0.25f, 0.25f};
  std::mt19937 random(2);
  std::uniform_real_distribution<float> noise(-1.0f, 1.0f);

  for (int block : {32, 512, 4096}) {
    std::vector<float> in[2], out[2];
    for (int j = 0; j < 2; ++j) {
      in[j].resize(block);
      out[j].resize(block);
      for (float& s : in[j]) s = noise(random);
    }
    float* ins[2] = {in[0].data(), in[1].data()};
    float* outs[2] = {out[0].data(), out[1].data()};
    double ours = nsPerFrame([&] { e->processReplacing(e, ins, outs, block); }, block, 0.5);
    double reference = nsPerFrame([&] { literal.processReplacing(ins, outs, block); }, block, 0.5);
    double copy = nsPerFrame(
        [&] {
          std::memcpy(outs[0], ins[0], block * sizeof(float));
          std::memcpy(outs[1], ins[1], block * sizeof(float));
        },
        block, 0.5);
    std::printf("block=%d ns_per_frame=%.3f reference_ns_per_frame=%.3f memcpy_ns_per_frame=%.3f "
                "speedup=%.2f\n",
                block, ours, reference, copy, reference / ours);
    std::fflush(stdout);
  }
  e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f);
  FreeLibrary(module);
  return identical ? 0 : 1;
}
