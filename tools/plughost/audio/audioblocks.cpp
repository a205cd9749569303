// The audio a host feeds a plug-in: input files as stereo, and the channel
// buffers of one block.
#include "tools/plughost/audio/audioblocks.h"

#include <algorithm>
#include <new>

#include "tools/plughost/audio/audiostream.h"
#include "tools/plughost/platform/errors.h"

namespace plughost {

InputFile readInputFile(const std::string& path) {
  WavFileSource source(path);
  checkFileSampleRate(path, source.sampleRate());
  InputFile file;
  file.sampleRate = source.sampleRate();
  // A 32-bit plughost cannot hold the longest files a WAV header can name;
  // such a file is refused by its name, not in the allocator's words.
  const uint64_t frames = source.frames();
  const std::string tooLong = path + ": its " + std::to_string(frames) +
                              " frames are more than this plughost can hold in memory";
  if (frames > file.signal.left.max_size()) throw InputError(tooLong);
  try {
    file.signal.left.resize(static_cast<size_t>(frames));
    file.signal.right.resize(file.signal.left.size());
  } catch (const std::bad_alloc&) {
    throw InputError(tooLong);
  }
  source.read(file.signal.left.data(), file.signal.right.data(), file.signal.left.size());
  return file;
}

ChannelBuffers::ChannelBuffers(PlugInt32 inputs, PlugInt32 outputs, PlugInt32 blockSize)
    : inputData(inputs, std::vector<float>(blockSize)), outputData(outputs, std::vector<float>(blockSize)) {
  for (auto& channel : inputData) inputPointers.push_back(channel.data());
  for (auto& channel : outputData) outputPointers.push_back(channel.data());
}

void ChannelBuffers::load(const StereoSignal& source, size_t first, size_t frames) {
  const float* left = source.left.data() + first;
  const float* right = source.right.data() + first;
  if (inputData.size() == 1) {
    for (size_t i = 0; i < frames; ++i) inputData[0][i] = 0.5f * (left[i] + right[i]);
    return;
  }
  for (size_t c = 2; c < inputData.size(); ++c) std::fill_n(inputData[c].begin(), frames, 0.0f);
  if (inputData.size() >= 2) {
    std::copy_n(left, frames, inputData[0].begin());
    std::copy_n(right, frames, inputData[1].begin());
  }
}

void ChannelBuffers::store(StereoSignal& target, size_t first, size_t frames) const {
  const std::vector<float>& left = outputData[0];
  const std::vector<float>& right = outputData.size() > 1 ? outputData[1] : outputData[0];
  std::copy(left.begin(), left.begin() + frames, target.left.begin() + first);
  std::copy(right.begin(), right.begin() + frames, target.right.begin() + first);
}

}  // namespace plughost
