// The signal plughost renders when given no input file.
#pragma once

#include <cstdint>
#include <vector>

namespace plughost {

struct StereoSignal {
  std::vector<float> left;
  std::vector<float> right;
};

// Four seconds of stereo material at the given rate that walks through the
// levels where a compressor's curve bends: tones stepping up in level,
// decaying noise bursts, a chord swelling from -40 dBFS to full scale, and
// plucked tones over a quiet pad. The same rate always gives the same
// samples.
StereoSignal makeDemoSignal(uint32_t sampleRate);

}  // namespace plughost
