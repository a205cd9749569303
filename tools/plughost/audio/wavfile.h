// Reading and writing RIFF/WAVE audio in memory. Reads 16, 24 and 32-bit
// integer PCM and 32 and 64-bit float, mono or stereo, plain or extensible
// format headers; writes 32-bit float stereo.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace wavfile {

// Anything about the bytes that keeps them from being read as audio; the
// message names the problem in a few words.
class FormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Audio {
  uint32_t sampleRate = 0;
  // One vector per channel (one or two), each holding every frame, scaled
  // so that integer full scale is -1..1.
  std::vector<std::vector<float>> channels;

  size_t frames() const { return channels.empty() ? 0 : channels[0].size(); }
};

// Decodes a whole file held in memory. Throws FormatError.
Audio decode(const unsigned char* bytes, size_t size);

inline Audio decode(const std::vector<unsigned char>& bytes) {
  return decode(bytes.data(), bytes.size());
}

// Encodes two channels of `frames` samples each as a 32-bit float stereo
// file. Throws FormatError when the result would not fit a RIFF file.
std::vector<unsigned char> encodeFloatStereo(uint32_t sampleRate, const float* left,
                                             const float* right, size_t frames);

}  // namespace wavfile
