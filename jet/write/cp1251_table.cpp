#include "jet/write/cp1251_table.h"

#include <array>

namespace vorelka::jet::writer {

namespace {

constexpr char32_t kUnassigned = 0;
constexpr uint8_t kFirstUpperByte = 0x80;
constexpr uint8_t kFirstLetterByte = 0xC0;    // А..я run in order from here
constexpr char32_t kFirstLetter = U'\u0410';  // А
constexpr char32_t kLastLetter = U'\u044F';   // я

// Bytes 0x80..0xBF; 0xC0..0xFF are the 64 letters А..я in Unicode order.
constexpr std::array<char32_t, 64> kUpperBytes = {
    U'\u0402',   U'\u0403', U'\u201A', U'\u0453', U'\u201E', U'\u2026', U'\u2020', U'\u2021',  // 80
    U'\u20AC',   U'\u2030', U'\u0409', U'\u2039', U'\u040A', U'\u040C', U'\u040B', U'\u040F',  // 88
    U'\u0452',   U'\u2018', U'\u2019', U'\u201C', U'\u201D', U'\u2022', U'\u2013', U'\u2014',  // 90
    kUnassigned, U'\u2122', U'\u0459', U'\u203A', U'\u045A', U'\u045C', U'\u045B', U'\u045F',  // 98
    U'\u00A0',   U'\u040E', U'\u045E', U'\u0408', U'\u00A4', U'\u0490', U'\u00A6', U'\u00A7',  // A0
    U'\u0401',   U'\u00A9', U'\u0404', U'\u00AB', U'\u00AC', U'\u00AD', U'\u00AE', U'\u0407',  // A8
    U'\u00B0',   U'\u00B1', U'\u0406', U'\u0456', U'\u0491', U'\u00B5', U'\u00B6', U'\u00B7',  // B0
    U'\u0451',   U'\u2116', U'\u0454', U'\u00BB', U'\u0458', U'\u0405', U'\u0455', U'\u0457',  // B8
};

}  // namespace

std::optional<uint8_t> Cp1251ByteOf(char32_t code_point) {
  if (code_point < kFirstUpperByte) return static_cast<uint8_t>(code_point);
  if (code_point >= kFirstLetter && code_point <= kLastLetter) {
    return static_cast<uint8_t>(kFirstLetterByte + (code_point - kFirstLetter));
  }
  for (size_t i = 0; i < kUpperBytes.size(); ++i) {
    if (kUpperBytes[i] != kUnassigned && kUpperBytes[i] == code_point) {
      return static_cast<uint8_t>(kFirstUpperByte + i);
    }
  }
  return std::nullopt;
}

std::optional<char32_t> Cp1251CharOf(uint8_t byte) {
  if (byte < kFirstUpperByte) return byte;
  if (byte >= kFirstLetterByte) return kFirstLetter + (byte - kFirstLetterByte);
  char32_t c = kUpperBytes[byte - kFirstUpperByte];
  if (c == kUnassigned) return std::nullopt;
  return c;
}

}  // namespace vorelka::jet::writer
