// Typed reads and writes of the integers in a Jet page. Page and definition
// fields are little-endian; index keys and row pointers inside index entries
// are big-endian, so that their bytes sort as the values do. Callers bound
// the position first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace vorelka::jet::format {

inline uint8_t GetU8(const uint8_t* p) {
  return p[0];
}
inline uint16_t GetLe16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t GetLe24(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16);
}
inline uint32_t GetLe32(const uint8_t* p) {
  return GetLe24(p) | (static_cast<uint32_t>(p[3]) << 24);
}
inline uint32_t GetBe24(const uint8_t* p) {
  return (static_cast<uint32_t>(p[0]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[2];
}
inline uint32_t GetBe32(const uint8_t* p) {
  return (static_cast<uint32_t>(p[0]) << 24) | GetBe24(p + 1);
}

// The same at a position in a span, widened to 32 bits.
inline uint32_t GetU8(std::span<const uint8_t> b, size_t at) {
  return b[at];
}
inline uint32_t GetLe16(std::span<const uint8_t> b, size_t at) {
  return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8;
}
inline uint32_t GetLe32(std::span<const uint8_t> b, size_t at) {
  return GetLe16(b, at) | GetLe16(b, at + 2) << 16;
}

inline void PutU8(uint8_t* p, uint8_t v) {
  p[0] = v;
}
inline void PutLe16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
inline void PutLe24(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
  p[2] = static_cast<uint8_t>(v >> 16);
}
inline void PutLe32(uint8_t* p, uint32_t v) {
  PutLe16(p, static_cast<uint16_t>(v));
  PutLe16(p + 2, static_cast<uint16_t>(v >> 16));
}
inline void PutBe24(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v >> 16);
  p[1] = static_cast<uint8_t>(v >> 8);
  p[2] = static_cast<uint8_t>(v);
}
inline void PutBe32(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v >> 24);
  PutBe24(p + 1, v);
}

}  // namespace vorelka::jet::format
