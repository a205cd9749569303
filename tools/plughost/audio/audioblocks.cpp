#include "tools/plughost/audio/audioblocks.h"

#include <algorithm>

#include "tools/plughost/audio/wavfile.h"
#include "tools/plughost/platform/errors.h"
#include "tools/plughost/platform/files.h"

namespace plughost {

InputFile readInputFile(const std::string& path) {
  wavfile::Audio audio;
  try {
    audio = wavfile::decode(readWholeFile(path));
  } catch (const wavfile::FormatError& error) {
    throw InputError(path + ": " + error.what());
  }
  InputFile file;
  file.signal.left = audio.channels[0];
  file.signal.right = audio.channels.size() > 1 ? audio.channels[1] : audio.channels[0];
  file.sampleRate = audio.sampleRate;
  return file;
}

ChannelBuffers::ChannelBuffers(PlugInt32 inputs, PlugInt32 outputs, PlugInt32 blockSize)
    : inputData(inputs, std::vector<float>(blockSize)), outputData(outputs, std::vector<float>(blockSize)) {
  for (auto& channel : inputData) inputPointers.push_back(channel.data());
  for (auto& channel : outputData) outputPointers.push_back(channel.data());
}

void ChannelBuffers::load(const StereoSignal& source, size_t first, size_t frames) {
  for (auto& channel : inputData) std::fill(channel.begin(), channel.begin() + frames, 0.0f);
  for (size_t i = 0; i < frames; ++i) {
    const float left = source.left[first + i];
    const float right = source.right[first + i];
    if (inputData.size() == 1) inputData[0][i] = 0.5f * (left + right);
    if (inputData.size() >= 2) {
      inputData[0][i] = left;
      inputData[1][i] = right;
    }
  }
}

void ChannelBuffers::store(StereoSignal& target, size_t first, size_t frames) const {
  const std::vector<float>& left = outputData[0];
  const std::vector<float>& right = outputData.size() > 1 ? outputData[1] : outputData[0];
  std::copy(left.begin(), left.begin() + frames, target.left.begin() + first);
  std::copy(right.begin(), right.begin() + frames, target.right.begin() + first);
}

}  // namespace plughost
