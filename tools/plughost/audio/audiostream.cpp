// Audio streamed through plughost a block at a time: WAV and demo sources,
// and float stereo WAV output.
#include "tools/plughost/audio/audiostream.h"

#include <windows.h>

#include <algorithm>

#include "tools/plughost/platform/errors.h"
#include "tools/plughost/platform/handle.h"

namespace plughost {

void checkFileSampleRate(const std::string& path, uint32_t sampleRate) {
  if (sampleRate < kMinSampleRate || sampleRate > kMaxSampleRate)
    throw InputError(path + ": a sample rate of " + std::to_string(sampleRate) + " Hz is outside " +
                     std::to_string(kMinSampleRate) + " to " + std::to_string(kMaxSampleRate) + " Hz");
}

// The file as the reader's byte source: positioned reads on one handle.
class WavFileSource::File : public wavfile::ByteSource {
 public:
  explicit File(const std::string& path)
      : path(path),
        handle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr)) {
    LARGE_INTEGER size;
    if (!handle.valid() || !GetFileSizeEx(handle.get(), &size)) fail(GetLastError());
    length = static_cast<uint64_t>(size.QuadPart);
  }

  uint64_t size() const override { return length; }

  void readAt(uint64_t offset, void* into, size_t count) override {
    unsigned char* bytes = static_cast<unsigned char*>(into);
    while (count > 0) {
      OVERLAPPED at{};
      at.Offset = static_cast<DWORD>(offset);
      at.OffsetHigh = static_cast<DWORD>(offset >> 32);
      DWORD got = 0;
      const DWORD piece = static_cast<DWORD>(std::min<size_t>(count, 1u << 30));
      // The file has become shorter than its header said when it was
      // opened. A read from an offset at or past the end says so by failing
      // with ERROR_HANDLE_EOF; a read answering no bytes says the same.
      if (!ReadFile(handle.get(), bytes, piece, &got, &at)) {
        const DWORD error = GetLastError();
        if (error == ERROR_HANDLE_EOF) endedEarly();
        fail(error);
      }
      if (got == 0) endedEarly();
      bytes += got;
      count -= got;
      offset += got;
    }
  }

 private:
  [[noreturn]] void endedEarly() { throw InputError("cannot read " + path + ": the file ended early"); }
  [[noreturn]] void fail(DWORD error) { throw InputError("cannot read " + path + ": " + systemErrorText(error)); }

  std::string path;
  UniqueHandle handle;
  uint64_t length = 0;
};

WavFileSource::WavFileSource(const std::string& path) : file(std::make_unique<File>(path)) {
  try {
    reader = std::make_unique<wavfile::Reader>(*file);
  } catch (const wavfile::FormatError& error) {
    throw InputError(path + ": " + error.what());
  }
}

WavFileSource::~WavFileSource() = default;

size_t WavFileSource::read(float* left, float* right, size_t count) {
  // The file's reads throw InputError themselves, naming the file.
  float* const into[2] = {left, right};
  const size_t got = reader->read(into, count);
  if (reader->channels() == 1) std::copy(left, left + got, right);
  return got;
}

size_t SignalSource::read(float* left, float* right, size_t count) {
  const size_t n = std::min(count, signal.left.size() - next);
  std::copy_n(signal.left.begin() + next, n, left);
  std::copy_n(signal.right.begin() + next, n, right);
  next += n;
  return n;
}

FloatStereoWriter::FloatStereoWriter(const std::string& path, uint32_t sampleRate, uint64_t frames)
    : path(path), file(path), expected(frames) {
  try {
    file.write(wavfile::floatStereoHeader(sampleRate, frames));
  } catch (const wavfile::FormatError& error) {
    throw InputError("cannot write " + path + ": " + error.what());
  }
}

void FloatStereoWriter::write(const float* left, const float* right, size_t count) {
  bytes.resize(std::max(bytes.size(), count * 8));
  wavfile::interleaveFloatStereo(left, right, count, bytes.data());
  file.append(bytes.data(), count * 8);
  written += count;
}

void FloatStereoWriter::commit() {
  // The header promised this many frames; a file holding fewer is broken.
  if (written != expected)
    throw InputError("cannot write " + path + ": " + std::to_string(written) + " of " + std::to_string(expected) +
                     " frames came");
  file.commit();
}

}  // namespace plughost
