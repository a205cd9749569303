// Reading and writing RIFF/WAVE audio, whole in memory or a block at a time
// from any byte source. Reads 16, 24 and 32-bit integer PCM and 32 and 64-bit
// float, mono or stereo, plain or extensible format headers; writes 32-bit
// float stereo.
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

// Where a Reader finds its bytes. Offsets are from the start of the file.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual uint64_t size() const = 0;
  // Reads exactly `count` bytes from `offset`; throws (FormatError, or an
  // error of the source's own) when it cannot.
  virtual void readAt(uint64_t offset, void* into, size_t count) = 0;
};

// A file's audio read front to back, a block at a time, in memory that does
// not grow with the file. The header is read and checked when it is made.
class Reader {
 public:
  // Throws FormatError for anything that keeps the bytes from being audio.
  explicit Reader(ByteSource& source);

  uint32_t sampleRate() const { return rate; }
  unsigned channels() const { return channelCount; }
  uint64_t frames() const { return frameCount; }

  // Decodes up to `count` of the next frames, channel c into into[c]
  // (one array per channel). Answers how many it decoded: fewer than asked
  // only at the end of the data.
  size_t read(float* const* into, size_t count);

 private:
  ByteSource& source;
  uint16_t tag = 0;
  uint16_t bits = 0;
  uint16_t blockAlign = 0;
  unsigned channelCount = 0;
  uint32_t rate = 0;
  uint64_t dataOffset = 0;
  uint64_t frameCount = 0;
  uint64_t nextFrame = 0;
  std::vector<unsigned char> buffer;
};

// Decodes a whole file held in memory. Throws FormatError.
Audio decode(const unsigned char* bytes, size_t size);

inline Audio decode(const std::vector<unsigned char>& bytes) {
  return decode(bytes.data(), bytes.size());
}

// The header of a 32-bit float stereo file of `frames` frames: the file is
// this, then the frames as interleaveFloatStereo lays them out. Throws
// FormatError when so many frames would not fit a RIFF file.
std::vector<unsigned char> floatStereoHeader(uint32_t sampleRate, uint64_t frames);

// Lays out `frames` frames of two channels as the data of a float stereo
// file: 8 bytes a frame, little-endian, left first.
void interleaveFloatStereo(const float* left, const float* right, size_t frames, unsigned char* out);

// Encodes two channels of `frames` samples each as a 32-bit float stereo
// file. Throws FormatError when the result would not fit a RIFF file.
std::vector<unsigned char> encodeFloatStereo(uint32_t sampleRate, const float* left,
                                             const float* right, size_t frames);

}  // namespace wavfile
