// Audio streamed through plughost a block at a time, so that memory does not
// grow with a file's length: WAV files and the demo signal read as two
// channels, and float stereo WAV files written as they come.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tools/plughost/audio/demo.h"
#include "tools/plughost/audio/wavfile.h"
#include "tools/plughost/platform/files.h"

namespace plughost {

// The sample rates plughost serves, from a file's header or from --rate.
constexpr uint32_t kMinSampleRate = 1000;
constexpr uint32_t kMaxSampleRate = 1536000;

// Refuses, with an InputError naming the file, a rate outside those.
void checkFileSampleRate(const std::string& path, uint32_t sampleRate);

// Two channels of audio, read front to back.
class AudioSource {
 public:
  virtual ~AudioSource() = default;
  virtual uint32_t sampleRate() const = 0;
  virtual uint64_t frames() const = 0;
  // Fills up to `count` frames of each side; answers how many, fewer only at
  // the end. Throws InputError.
  virtual size_t read(float* left, float* right, size_t count) = 0;
};

// A WAV file; a mono file feeds both sides. Its header is read and checked
// when it is opened. Throws InputError naming the file.
class WavFileSource : public AudioSource {
 public:
  explicit WavFileSource(const std::string& path);
  ~WavFileSource() override;

  uint32_t sampleRate() const override { return reader->sampleRate(); }
  uint64_t frames() const override { return reader->frames(); }
  size_t read(float* left, float* right, size_t count) override;
  // The file's own channels: 1 or 2.
  unsigned channels() const { return reader->channels(); }

 private:
  class File;
  std::unique_ptr<File> file;
  std::unique_ptr<wavfile::Reader> reader;
};

// A signal held in memory.
class SignalSource : public AudioSource {
 public:
  SignalSource(StereoSignal signal, uint32_t sampleRate) : signal(std::move(signal)), rate(sampleRate) {}

  uint32_t sampleRate() const override { return rate; }
  uint64_t frames() const override { return signal.left.size(); }
  size_t read(float* left, float* right, size_t count) override;

 private:
  StereoSignal signal;
  uint32_t rate;
  size_t next = 0;
};

// A 32-bit float stereo WAV file of a length known in advance, written as
// the frames come under a temporary name, and in place only once commit()
// finds every frame written.
class FloatStereoWriter {
 public:
  // Throws InputError when so many frames do not fit a WAV file.
  FloatStereoWriter(const std::string& path, uint32_t sampleRate, uint64_t frames);

  void write(const float* left, const float* right, size_t count);
  void commit();

 private:
  std::string path;
  PendingFile file;
  uint64_t expected;
  uint64_t written = 0;
  std::vector<unsigned char> bytes;
};

}  // namespace plughost
