// The level of audio as plughost reports it: peak and RMS in dBFS.
#pragma once

#include <cstddef>
#include <cstdint>

namespace plughost {

// 20 log10 of an amplitude; silence is -inf.
double toDbfs(double amplitude);

// Peak and RMS of one channel, gathered a block at a time; samples that are
// not finite are counted apart so one NaN does not hide the level of
// everything else.
class Levels {
 public:
  void add(const float* samples, size_t count);

  double peakDb() const { return toDbfs(peak); }
  double rmsDb() const;
  uint64_t nonFinite() const { return nonFiniteCount; }

 private:
  void addOne(float sample);

  float peak = 0.0f;
  double sumSquares = 0.0;
  uint64_t total = 0;
  uint64_t nonFiniteCount = 0;
};

}  // namespace plughost
