// RIFF/WAVE reading and writing, whole in memory or a block at a time.
#include "tools/plughost/audio/wavfile.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace wavfile {

namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatFloat = 3;
constexpr uint16_t kFormatExtensible = 0xFFFE;

// Every extensible sub-format GUID ends in these 12 bytes; the first four
// carry the plain format tag.
constexpr unsigned char kSubFormatTail[12] = {0x00, 0x00, 0x10, 0x00, 0x80, 0x00,
                                              0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

uint16_t readU16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

uint32_t readU32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

bool hasId(const unsigned char* p, const char* id) { return std::memcmp(p, id, 4) == 0; }

std::string chunkName(const unsigned char* p) { return std::string(reinterpret_cast<const char*>(p), 4); }

struct Format {
  uint16_t tag = 0;  // kFormatPcm or kFormatFloat once resolved
  uint16_t channels = 0;
  uint32_t sampleRate = 0;
  uint16_t blockAlign = 0;
  uint16_t bits = 0;
};

Format parseFormat(const unsigned char* body, uint32_t size) {
  if (size < 16) throw FormatError("malformed fmt chunk (" + std::to_string(size) + " bytes)");
  Format f;
  f.tag = readU16(body);
  f.channels = readU16(body + 2);
  f.sampleRate = readU32(body + 4);
  f.blockAlign = readU16(body + 12);
  f.bits = readU16(body + 14);
  if (f.tag == kFormatExtensible) {
    if (size < 40) throw FormatError("malformed extensible fmt chunk (" + std::to_string(size) + " bytes)");
    const unsigned char* guid = body + 24;
    if (std::memcmp(guid + 4, kSubFormatTail, sizeof kSubFormatTail) != 0)
      throw FormatError("unsupported encoding: unknown extensible sub-format");
    f.tag = readU16(guid);
  }
  if (f.channels == 0) throw FormatError("malformed fmt chunk (no channels)");
  if (f.channels > 2)
    throw FormatError(std::to_string(f.channels) + " channels: only mono and stereo are supported");
  if (f.sampleRate == 0) throw FormatError("malformed fmt chunk (sample rate 0)");
  const bool pcm = f.tag == kFormatPcm && (f.bits == 16 || f.bits == 24 || f.bits == 32);
  const bool flt = f.tag == kFormatFloat && (f.bits == 32 || f.bits == 64);
  if (!pcm && !flt) {
    if (f.tag == kFormatPcm || f.tag == kFormatFloat)
      throw FormatError("unsupported encoding: " + std::to_string(f.bits) + "-bit " +
                        (f.tag == kFormatPcm ? "PCM" : "float"));
    throw FormatError("unsupported encoding: format tag " + std::to_string(f.tag));
  }
  if (f.blockAlign != f.channels * (f.bits / 8))
    throw FormatError("malformed fmt chunk (block align " + std::to_string(f.blockAlign) + ")");
  return f;
}

// One sample of each encoding, scaled so that integer full scale is -1..1.
float float32At(const unsigned char* p) {
  float v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

float float64At(const unsigned char* p) {
  double v;
  std::memcpy(&v, p, sizeof v);
  return static_cast<float>(v);
}

// Scaling by a power of two is exact, so multiplying by its inverse gives
// the quotient's very bits, at a fraction of a division's cost.
constexpr double kPcm16Scale = 1.0 / 32768.0;
constexpr double kPcm32Scale = 1.0 / 2147483648.0;

float pcm16At(const unsigned char* p) { return static_cast<float>(static_cast<int16_t>(readU16(p)) * kPcm16Scale); }

float pcm24At(const unsigned char* p) {
  // Sign-extend the three bytes by placing them at the top of 32 bits.
  const int32_t v = static_cast<int32_t>(static_cast<uint32_t>(p[0]) << 8 | static_cast<uint32_t>(p[1]) << 16 |
                                         static_cast<uint32_t>(p[2]) << 24);
  return static_cast<float>(v * kPcm32Scale);
}

float pcm32At(const unsigned char* p) { return static_cast<float>(static_cast<int32_t>(readU32(p)) * kPcm32Scale); }

// The encoding's loop is chosen once per call, not once per sample.
template <float (*sampleAt)(const unsigned char*)>
void decodeFrames(const unsigned char* frames, size_t count, unsigned channels, size_t blockAlign,
                  float* const* into, size_t at) {
  const size_t sampleBytes = blockAlign / channels;
  for (unsigned c = 0; c < channels; ++c) {
    const unsigned char* p = frames + c * sampleBytes;
    float* out = into[c] + at;
    for (size_t i = 0; i < count; ++i, p += blockAlign) out[i] = sampleAt(p);
  }
}

using FrameDecoder = void (*)(const unsigned char*, size_t, unsigned, size_t, float* const*, size_t);

FrameDecoder decoderFor(uint16_t tag, uint16_t bits) {
  if (tag == kFormatFloat) return bits == 32 ? decodeFrames<float32At> : decodeFrames<float64At>;
  switch (bits) {
    case 16:
      return decodeFrames<pcm16At>;
    case 24:
      return decodeFrames<pcm24At>;
    default:
      return decodeFrames<pcm32At>;
  }
}

// How much of the data one read brings in.
constexpr size_t kReadBytes = 256 * 1024;

class MemorySource : public ByteSource {
 public:
  MemorySource(const unsigned char* bytes, size_t size) : bytes(bytes), length(size) {}
  uint64_t size() const override { return length; }
  void readAt(uint64_t offset, void* into, size_t count) override {
    if (offset > length || count > length - offset) throw FormatError("read past the end of the file");
    std::memcpy(into, bytes + offset, count);
  }

 private:
  const unsigned char* bytes;
  size_t length;
};

void putU16(std::vector<unsigned char>& out, uint16_t v) {
  out.push_back(static_cast<unsigned char>(v));
  out.push_back(static_cast<unsigned char>(v >> 8));
}

void putU32(std::vector<unsigned char>& out, uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<unsigned char>(v >> shift));
}

void putId(std::vector<unsigned char>& out, const char* id) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(id[i]));
}

}  // namespace

Reader::Reader(ByteSource& byteSource) : source(byteSource) {
  const uint64_t size = source.size();
  unsigned char head[12];
  if (size < sizeof head) throw FormatError("not a WAV file (no RIFF/WAVE header)");
  source.readAt(0, head, sizeof head);
  if (!hasId(head, "RIFF") || !hasId(head + 8, "WAVE")) throw FormatError("not a WAV file (no RIFF/WAVE header)");

  // The RIFF size field is often wrong in the wild; the chunks and the
  // file's real length are what count.
  bool haveFormat = false;
  bool haveData = false;
  Format format;
  uint32_t dataSize = 0;
  uint64_t pos = sizeof head;
  while (pos + 8 <= size && !(haveFormat && haveData)) {
    unsigned char header[8];
    source.readAt(pos, header, sizeof header);
    const uint32_t chunkSize = readU32(header + 4);
    const uint64_t available = size - (pos + 8);
    if (hasId(header, "data")) {
      if (chunkSize > available)
        throw FormatError("truncated data chunk (" + std::to_string(available) + " of " +
                          std::to_string(chunkSize) + " bytes)");
      dataOffset = pos + 8;
      dataSize = chunkSize;
      haveData = true;
    } else if (chunkSize > available) {
      throw FormatError("truncated '" + chunkName(header) + "' chunk");
    } else if (hasId(header, "fmt ")) {
      // Nothing past the extensible layout's 40 bytes is read.
      unsigned char body[40] = {};
      source.readAt(pos + 8, body, std::min<size_t>(chunkSize, sizeof body));
      format = parseFormat(body, chunkSize);
      haveFormat = true;
    }
    // Chunks of odd size are followed by one pad byte.
    pos += 8 + static_cast<uint64_t>(chunkSize) + (chunkSize & 1u);
  }
  if (!haveFormat) throw FormatError("not a WAV file (no fmt chunk)");
  if (!haveData) throw FormatError("not a WAV file (no data chunk)");

  tag = format.tag;
  bits = format.bits;
  blockAlign = format.blockAlign;
  channelCount = format.channels;
  rate = format.sampleRate;
  // A partial frame at the end of the data carries no whole sample set.
  frameCount = dataSize / format.blockAlign;
}

size_t Reader::read(float* const* into, size_t count) {
  const size_t wanted = static_cast<size_t>(std::min<uint64_t>(count, frameCount - nextFrame));
  const size_t framesPerRead = kReadBytes / blockAlign;
  const FrameDecoder decode = decoderFor(tag, bits);
  if (buffer.empty() && wanted) buffer.resize(framesPerRead * blockAlign);
  for (size_t done = 0; done < wanted;) {
    const size_t frames = std::min(wanted - done, framesPerRead);
    source.readAt(dataOffset + nextFrame * blockAlign, buffer.data(), frames * blockAlign);
    decode(buffer.data(), frames, channelCount, blockAlign, into, done);
    done += frames;
    nextFrame += frames;
  }
  return wanted;
}

Audio decode(const unsigned char* bytes, size_t size) {
  MemorySource source(bytes, size);
  Reader reader(source);
  Audio audio;
  audio.sampleRate = reader.sampleRate();
  audio.channels.assign(reader.channels(), std::vector<float>(static_cast<size_t>(reader.frames())));
  std::vector<float*> into;
  for (auto& channel : audio.channels) into.push_back(channel.data());
  reader.read(into.data(), audio.frames());
  return audio;
}

std::vector<unsigned char> floatStereoHeader(uint32_t sampleRate, uint64_t frames) {
  constexpr uint32_t kFrameBytes = 8;
  constexpr uint32_t kHeaderBytes = 4 + (8 + 18) + (8 + 4) + 8;  // after "RIFF" + size
  if (frames > (0xFFFFFFFFu - kHeaderBytes) / kFrameBytes)
    throw FormatError("too long for a WAV file (" + std::to_string(frames) + " frames)");
  const uint32_t dataBytes = static_cast<uint32_t>(frames) * kFrameBytes;

  std::vector<unsigned char> out;
  putId(out, "RIFF");
  putU32(out, kHeaderBytes + dataBytes);
  putId(out, "WAVE");
  // Non-PCM formats carry the extension size field (0 here) and a fact
  // chunk with the frame count.
  putId(out, "fmt ");
  putU32(out, 18);
  putU16(out, kFormatFloat);
  putU16(out, 2);
  putU32(out, sampleRate);
  putU32(out, sampleRate * kFrameBytes);
  putU16(out, kFrameBytes);
  putU16(out, 32);
  putU16(out, 0);
  putId(out, "fact");
  putU32(out, 4);
  putU32(out, static_cast<uint32_t>(frames));
  putId(out, "data");
  putU32(out, dataBytes);
  return out;
}

void interleaveFloatStereo(const float* left, const float* right, size_t frames, unsigned char* out) {
  // Both targets are little-endian, so a float's bytes are the file's.
  static_assert(sizeof(float) == 4, "a sample is four bytes");
  for (size_t i = 0; i < frames; ++i, out += 8) {
    std::memcpy(out, left + i, 4);
    std::memcpy(out + 4, right + i, 4);
  }
}

std::vector<unsigned char> encodeFloatStereo(uint32_t sampleRate, const float* left,
                                             const float* right, size_t frames) {
  std::vector<unsigned char> out = floatStereoHeader(sampleRate, frames);
  const size_t header = out.size();
  out.resize(header + frames * 8);
  if (frames) interleaveFloatStereo(left, right, frames, out.data() + header);
  return out;
}

}  // namespace wavfile
