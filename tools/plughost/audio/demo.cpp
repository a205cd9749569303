// The demo signal plughost renders when given no input file.
#include "tools/plughost/audio/demo.h"

#include <algorithm>

namespace plughost {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kLn10 = 2.30258509299404568402;
constexpr double kSectionSeconds = 1.0;
constexpr double kEdgeSeconds = 0.005;

// The signal must be the same bits on every target, and the maths libraries
// of the 32-bit and 64-bit runtimes round their sines and exponentials
// differently in the last place. So the few functions it needs are computed
// here from additions, multiplications and divisions alone, which SSE
// rounds the same everywhere.

// e^x for x <= 0: the series of e^(x/256), squared eight times.
double decay(double x) {
  const double r = x / 256.0;
  double term = 1.0;
  double sum = 1.0;
  for (int n = 1; n <= 12; ++n) {
    term *= r / n;
    sum += term;
  }
  for (int i = 0; i < 8; ++i) sum *= sum;
  return sum;
}

// sin(2 pi cycles), by the fraction of a cycle reduced to the first quarter.
double sineOfCycles(double cycles) {
  double phase = cycles - static_cast<double>(static_cast<int64_t>(cycles));  // 0 <= phase < 1
  double sign = 1.0;
  if (phase >= 0.5) {
    phase -= 0.5;
    sign = -1.0;
  }
  if (phase > 0.25) phase = 0.5 - phase;
  const double x = 2.0 * kPi * phase;  // 0 .. pi/2
  const double x2 = x * x;
  // Taylor to x^21: the next term is below 1e-17 at pi/2.
  double sum = 0.0;
  for (int n = 21; n >= 3; n -= 2) sum = (sum + 1.0) * -x2 / ((n - 1) * n);
  return sign * x * (sum + 1.0);
}

double amplitude(double dbfs) { return decay(dbfs / 20.0 * kLn10); }

double sine(double hz, double t) { return sineOfCycles(hz * t); }

// Deterministic white noise in -1..1 (xorshift), one stream per channel.
class Noise {
 public:
  explicit Noise(uint32_t seed) : state(seed) {}
  double next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<double>(state) / 2147483648.0 - 1.0;
  }

 private:
  uint32_t state;
};

// Short fades at the ends of each section keep the joins free of clicks.
double edgeGain(double t) {
  double fromStart = t / kEdgeSeconds;
  double toEnd = (kSectionSeconds - t) / kEdgeSeconds;
  return std::clamp(std::min(fromStart, toEnd), 0.0, 1.0);
}

// Section 1: two tones stepping through -30, -18, -9 and -3 dBFS.
void toneSteps(double t, double& left, double& right) {
  static const double kLevels[] = {-30.0, -18.0, -9.0, -3.0};
  int step = std::min(3, static_cast<int>(t / 0.25));
  double a = amplitude(kLevels[step]);
  left = a * sine(220.0, t);
  right = a * sine(330.0, t);
}

// Section 2: noise bursts every 125 ms with a 40 ms decay, peaks from
// -1 to -20 dBFS, panned alternately.
void noiseBursts(double t, Noise& noiseLeft, Noise& noiseRight, double& left, double& right) {
  static const double kPeaks[] = {-1.0, -6.0, -12.0, -20.0};
  int burst = std::min(7, static_cast<int>(t / 0.125));
  double since = t - burst * 0.125;
  double envelope = amplitude(kPeaks[burst % 4]) * decay(-since / 0.040);
  double pan = (burst % 2 == 0) ? 0.3 : 1.0;
  left = envelope * noiseLeft.next() * pan;
  right = envelope * noiseRight.next() * (1.3 - pan);
}

// Section 3: a chord whose peak swells evenly in decibels from -40 to 0.
void chordSwell(double t, double& left, double& right) {
  double a = amplitude(-40.0 + 40.0 * t / kSectionSeconds) / 3.0;
  left = a * (sine(110.0, t) + sine(165.0, t) + sine(220.0, t));
  right = a * (sine(110.5, t) + sine(165.5, t) + sine(220.5, t));
}

// Section 4: plucked tones at -2, -8, -14 and -24 dBFS over a -36 dBFS pad.
void plucks(double t, double& left, double& right) {
  static const double kPeaks[] = {-2.0, -8.0, -14.0, -24.0};
  static const double kPitches[] = {440.0, 554.37, 659.25, 880.0};
  int pluck = std::min(3, static_cast<int>(t / 0.25));
  double since = t - pluck * 0.25;
  double tone = amplitude(kPeaks[pluck]) * decay(-since / 0.080) * sine(kPitches[pluck], t);
  double pad = amplitude(-36.0) * sine(196.0, t);
  double side = (pluck % 2 == 0) ? 1.0 : 0.5;
  left = tone * side + pad;
  right = tone * (1.5 - side) + pad;
}

}  // namespace

StereoSignal makeDemoSignal(uint32_t sampleRate) {
  const size_t sectionFrames = static_cast<size_t>(sampleRate * kSectionSeconds);
  StereoSignal signal;
  signal.left.resize(4 * sectionFrames);
  signal.right.resize(4 * sectionFrames);
  Noise noiseLeft(0x2545F491u);
  Noise noiseRight(0x9E3779B9u);
  for (size_t i = 0; i < signal.left.size(); ++i) {
    const size_t section = i / sectionFrames;
    const double t = static_cast<double>(i % sectionFrames) / sampleRate;
    double left = 0.0;
    double right = 0.0;
    switch (section) {
      case 0:
        toneSteps(t, left, right);
        break;
      case 1:
        noiseBursts(t, noiseLeft, noiseRight, left, right);
        break;
      case 2:
        chordSwell(t, left, right);
        break;
      default:
        plucks(t, left, right);
        break;
    }
    const double edge = edgeGain(t);
    signal.left[i] = static_cast<float>(left * edge);
    signal.right[i] = static_cast<float>(right * edge);
  }
  return signal;
}

}  // namespace plughost
