// Builds WAV files byte by byte for tests, independently of the reader and
// writer under test, so that both can be checked against the file layout.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

namespace wavbytes {

using Bytes = std::vector<unsigned char>;

inline void u16(Bytes& out, uint16_t v) {
  out.push_back(static_cast<unsigned char>(v & 0xFF));
  out.push_back(static_cast<unsigned char>(v >> 8));
}

inline void u32(Bytes& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

inline uint32_t readU32(const Bytes& in, size_t at) {
  return in[at] | (in[at + 1] << 8) | (in[at + 2] << 16) | (static_cast<uint32_t>(in[at + 3]) << 24);
}

inline uint16_t readU16(const Bytes& in, size_t at) { return static_cast<uint16_t>(in[at] | (in[at + 1] << 8)); }

// A chunk with its header; a body of odd size gets its pad byte unless
// told otherwise.
inline Bytes chunk(const char* id, const Bytes& body, bool pad = true) {
  Bytes out(id, id + 4);
  u32(out, static_cast<uint32_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
  if (pad && body.size() % 2) out.push_back(0);
  return out;
}

// A chunk whose header claims `declared` bytes, followed by `body` only.
inline Bytes chunkClaiming(const char* id, uint32_t declared, const Bytes& body) {
  Bytes out(id, id + 4);
  u32(out, declared);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

inline Bytes fmtBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
  Bytes body;
  u16(body, tag);
  u16(body, channels);
  u32(body, rate);
  u32(body, rate * channels * (bits / 8));
  u16(body, static_cast<uint16_t>(channels * (bits / 8)));
  u16(body, bits);
  return body;
}

inline Bytes fmtChunk(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
  return chunk("fmt ", fmtBody(tag, channels, rate, bits));
}

// WAVE_FORMAT_EXTENSIBLE with the sub-format GUID of `subTag`.
inline Bytes extensibleFmtChunk(uint16_t subTag, uint16_t channels, uint32_t rate, uint16_t bits,
                                uint16_t validBits, bool knownGuid = true) {
  Bytes body = fmtBody(0xFFFE, channels, rate, bits);
  u16(body, 22);
  u16(body, validBits);
  u32(body, channels == 1 ? 0x4 : 0x3);
  u16(body, subTag);
  u16(body, 0);
  static const unsigned char kTail[12] = {0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
  body.insert(body.end(), kTail, kTail + 12);
  if (!knownGuid) body.back() ^= 0xFF;
  return chunk("fmt ", body);
}

// RIFF/WAVE around the chunks; `riffSize` replaces the true size when set.
inline Bytes riff(std::initializer_list<Bytes> chunks, int64_t riffSize = -1) {
  Bytes body = {'W', 'A', 'V', 'E'};
  for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
  Bytes out = {'R', 'I', 'F', 'F'};
  u32(out, riffSize < 0 ? static_cast<uint32_t>(body.size()) : static_cast<uint32_t>(riffSize));
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

inline Bytes pcm16(std::initializer_list<int> samples) {
  Bytes out;
  for (int s : samples) u16(out, static_cast<uint16_t>(s));
  return out;
}

inline Bytes pcm24(std::initializer_list<int32_t> samples) {
  Bytes out;
  for (int32_t s : samples)
    for (int i = 0; i < 3; ++i) out.push_back(static_cast<unsigned char>(static_cast<uint32_t>(s) >> (8 * i)));
  return out;
}

inline Bytes pcm32(std::initializer_list<int64_t> samples) {
  Bytes out;
  for (int64_t s : samples) u32(out, static_cast<uint32_t>(s));
  return out;
}

inline Bytes float32(std::initializer_list<float> samples) {
  Bytes out;
  for (float s : samples) {
    uint32_t bits;
    std::memcpy(&bits, &s, sizeof bits);
    u32(out, bits);
  }
  return out;
}

inline Bytes float64(std::initializer_list<double> samples) {
  Bytes out;
  for (double s : samples) {
    uint64_t bits;
    std::memcpy(&bits, &s, sizeof bits);
    u32(out, static_cast<uint32_t>(bits));
    u32(out, static_cast<uint32_t>(bits >> 32));
  }
  return out;
}

}  // namespace wavbytes
