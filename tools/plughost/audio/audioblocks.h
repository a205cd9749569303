// The audio a host feeds a plug-in: an input file as the two sides of a
// stereo signal, and the channel buffers of one block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "plugin/aeffect.h"
#include "tools/plughost/audio/demo.h"

namespace plughost {

struct InputFile {
  StereoSignal signal;
  uint32_t sampleRate = 0;
};

// Reads a whole WAV file; a mono file feeds both sides. Throws InputError
// naming the file, for a sample rate plughost does not serve too.
InputFile readInputFile(const std::string& path);

// The plug-in's channels as the host feeds and reads them: input 0 and 1
// carry left and right (a single input gets their mean, extra inputs
// silence); output 0 and 1 become left and right (a single output both).
class ChannelBuffers {
 public:
  ChannelBuffers(PlugInt32 inputs, PlugInt32 outputs, PlugInt32 blockSize);

  void load(const StereoSignal& source, size_t first, size_t frames);
  void store(StereoSignal& target, size_t first, size_t frames) const;

  float** inputs() { return inputPointers.empty() ? nullptr : inputPointers.data(); }
  float** outputs() { return outputPointers.data(); }

 private:
  std::vector<std::vector<float>> inputData;
  std::vector<std::vector<float>> outputData;
  std::vector<float*> inputPointers;
  std::vector<float*> outputPointers;
};

}  // namespace plughost
