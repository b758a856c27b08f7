// Keys of Text columns in indexes under the General sort order, for the
// characters a catalog name of ours may hold: ASCII letters (either case
// gives the same code), digits, the space and the underscore. Each character
// becomes its sort code; a key is the ascending start flag, the codes, then
// Jet 4 ends the codes with 0x01 and both formats end the key with 0x00 (the
// empty list of the extra codes that accents, case-sensitive characters and
// the like would add). So "Tables" is 7F 77 60 61 6D 66 76 00 in Jet 3 and
// 7F 6D 4A 4C 5E 51 6B 01 00 in Jet 4.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorelka::jet::format::text_index {

inline constexpr uint8_t kJet4EndOfCodes = 0x01;
inline constexpr uint8_t kEndOfKey = 0x00;

// Sort codes of the letters A to Z, the digits 0 to 9, space and underscore.
// Jet 3's General order (Access 97):
inline constexpr uint8_t kJet3LetterCodes[26] = {
    0x60, 0x61, 0x62, 0x64, 0x66, 0x67, 0x68, 0x69, 0x6A, 0x6B, 0x6C, 0x6D, 0x6F,
    0x70, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x7A, 0x7B, 0x7C, 0x7D, 0x7E};
inline constexpr uint8_t kJet3FirstDigitCode = 0x56;  // then one up per digit
inline constexpr std::string_view kJet3SpaceCode = "\x11";
inline constexpr std::string_view kJet3UnderscoreCode = "\x2C";
// Jet 4's General order as Access 2000 to 2007 write it:
inline constexpr uint8_t kJet4LetterCodes[26] = {
    0x4A, 0x4C, 0x4D, 0x4F, 0x51, 0x53, 0x55, 0x57, 0x59, 0x5B, 0x5C, 0x5E, 0x60,
    0x62, 0x64, 0x66, 0x68, 0x69, 0x6B, 0x6D, 0x6F, 0x71, 0x73, 0x75, 0x76, 0x78};
inline constexpr uint8_t kJet4FirstDigitCode = 0x36;  // then two up per digit
inline constexpr std::string_view kJet4SpaceCode = "\x07";
inline constexpr std::string_view kJet4UnderscoreCode = "\x2B\x03";

// The codes of one character; false for a character outside the set above.
inline bool AppendSortCode(bool jet4, char c, std::string* out) {
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  if (c >= 'A' && c <= 'Z') {
    out->push_back(static_cast<char>((jet4 ? kJet4LetterCodes : kJet3LetterCodes)[c - 'A']));
  } else if (c >= '0' && c <= '9') {
    out->push_back(static_cast<char>(jet4 ? kJet4FirstDigitCode + 2 * (c - '0')
                                          : kJet3FirstDigitCode + (c - '0')));
  } else if (c == ' ') {
    out->append(jet4 ? kJet4SpaceCode : kJet3SpaceCode);
  } else if (c == '_') {
    out->append(jet4 ? kJet4UnderscoreCode : kJet3UnderscoreCode);
  } else {
    return false;
  }
  return true;
}

}  // namespace vorelka::jet::format::text_index
