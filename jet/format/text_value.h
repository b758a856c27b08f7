// Text values and names. Jet 3 stores them in the file's code page, one
// byte a character. Jet 4 stores UCS-2; a Text value may instead be
// "compressed": FF FE, then runs of one byte a character (for characters
// below U+0100) and of two, each run switched by a 00 byte.
#pragma once

#include <cstdint>

namespace vorelka::jet::format::text {

inline constexpr uint8_t kCompressedMarker0 = 0xFF;
inline constexpr uint8_t kCompressedMarker1 = 0xFE;
inline constexpr uint8_t kModeSwitch = 0x00;
inline constexpr char32_t kNarrowLimit = 0x100;  // below this, a compressed run stores one byte

}  // namespace vorelka::jet::format::text
