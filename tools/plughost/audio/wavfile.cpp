#include "tools/plughost/audio/wavfile.h"

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

float sampleAt(const unsigned char* p, const Format& f) {
  if (f.tag == kFormatFloat) {
    if (f.bits == 32) {
      float v;
      std::memcpy(&v, p, sizeof v);
      return v;
    }
    double v;
    std::memcpy(&v, p, sizeof v);
    return static_cast<float>(v);
  }
  switch (f.bits) {
    case 16:
      return static_cast<float>(static_cast<int16_t>(readU16(p)) / 32768.0);
    case 24: {
      // Sign-extend the three bytes by placing them at the top of 32 bits.
      int32_t v = static_cast<int32_t>(static_cast<uint32_t>(p[0]) << 8 |
                                       static_cast<uint32_t>(p[1]) << 16 |
                                       static_cast<uint32_t>(p[2]) << 24);
      return static_cast<float>(v / 2147483648.0);
    }
    default:
      return static_cast<float>(static_cast<int32_t>(readU32(p)) / 2147483648.0);
  }
}

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

void putFloat(std::vector<unsigned char>& out, float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  putU32(out, bits);
}

}  // namespace

Audio decode(const unsigned char* bytes, size_t size) {
  if (size < 12 || !hasId(bytes, "RIFF") || !hasId(bytes + 8, "WAVE"))
    throw FormatError("not a WAV file (no RIFF/WAVE header)");

  // The RIFF size field is often wrong in the wild; the chunks and the
  // file's real length are what count.
  bool haveFormat = false;
  Format format;
  const unsigned char* data = nullptr;
  uint32_t dataSize = 0;
  size_t pos = 12;
  while (pos + 8 <= size && !(haveFormat && data)) {
    const unsigned char* header = bytes + pos;
    const uint32_t chunkSize = readU32(header + 4);
    const size_t available = size - (pos + 8);
    if (hasId(header, "data")) {
      if (chunkSize > available)
        throw FormatError("truncated data chunk (" + std::to_string(available) + " of " +
                          std::to_string(chunkSize) + " bytes)");
      data = header + 8;
      dataSize = chunkSize;
    } else if (chunkSize > available) {
      throw FormatError("truncated '" + chunkName(header) + "' chunk");
    } else if (hasId(header, "fmt ")) {
      format = parseFormat(header + 8, chunkSize);
      haveFormat = true;
    }
    // Chunks of odd size are followed by one pad byte.
    pos += 8 + static_cast<size_t>(chunkSize) + (chunkSize & 1u);
  }
  if (!haveFormat) throw FormatError("not a WAV file (no fmt chunk)");
  if (!data) throw FormatError("not a WAV file (no data chunk)");

  Audio audio;
  audio.sampleRate = format.sampleRate;
  // A partial frame at the end of the data carries no whole sample set.
  const size_t frames = dataSize / format.blockAlign;
  const size_t sampleBytes = format.bits / 8;
  audio.channels.assign(format.channels, std::vector<float>(frames));
  for (size_t i = 0; i < frames; ++i) {
    const unsigned char* frame = data + i * format.blockAlign;
    for (size_t c = 0; c < format.channels; ++c)
      audio.channels[c][i] = sampleAt(frame + c * sampleBytes, format);
  }
  return audio;
}

std::vector<unsigned char> encodeFloatStereo(uint32_t sampleRate, const float* left,
                                             const float* right, size_t frames) {
  constexpr uint32_t kFrameBytes = 8;
  constexpr uint32_t kHeaderBytes = 4 + (8 + 18) + (8 + 4) + 8;  // after "RIFF" + size
  if (frames > (0xFFFFFFFFu - kHeaderBytes) / kFrameBytes)
    throw FormatError("too long for a WAV file (" + std::to_string(frames) + " frames)");
  const uint32_t dataBytes = static_cast<uint32_t>(frames) * kFrameBytes;

  std::vector<unsigned char> out;
  out.reserve(8 + kHeaderBytes + dataBytes);
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
  for (size_t i = 0; i < frames; ++i) {
    putFloat(out, left[i]);
    putFloat(out, right[i]);
  }
  return out;
}

}  // namespace wavfile
