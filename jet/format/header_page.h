// The header page (page 0). From byte 0x18 on, the page is masked with RC4
// under a key all engines share; the database key inside the masked part,
// when not zero, masks every other page as well.
//
//   Offset  Size  Field
//   ------  ----  -----------------------------------------------------------
//    0x00     4   file magic 00 01 00 00
//    0x04    16   "Standard Jet DB\0" ("Standard ACE DB\0" for ACE files)
//    0x14     1   version: 0 Jet 3, 1 Jet 4, up to 6 for later Access
//    0x18    24   masked from here; Access writes the block kUnknownBlock
//    0x38     2   Jet 3: sort version
//    0x3A     2   Jet 3: sort order
//    0x3C     2   code page
//    0x3E     4   database key (0: pages are not masked)
//    0x42    40   password (Jet 3: 20 bytes), masked again in Jet 4
//    0x6E     2   Jet 4: sort order, then 0(1) and the sort version(1)
//    0x72     8   Jet 4: creation date (a Jet date, below)
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vorelka::jet::format::header {

inline constexpr std::array<uint8_t, 4> kFileMagic = {0x00, 0x01, 0x00, 0x00};
inline constexpr size_t kSignatureOffset = 0x04;
inline constexpr std::string_view kJetSignature{"Standard Jet DB\0", 16};
inline constexpr std::string_view kAceSignature{"Standard ACE DB\0", 16};
inline constexpr size_t kVersionOffset = 0x14;
inline constexpr uint8_t kVersionJet3 = 0x00;
inline constexpr uint8_t kVersionJet4 = 0x01;
inline constexpr uint8_t kLastKnownVersion = 0x06;  // Access 2019

inline constexpr size_t kMaskStart = 0x18;
inline constexpr std::array<uint8_t, 4> kMaskKey = {0xC7, 0xDA, 0x39, 0x6B};
inline constexpr size_t kUnknownBlockOffset = 0x18;  // meaning unknown
inline constexpr std::array<uint8_t, 24> kUnknownBlock = {
    0x00, 0x01, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00,
    0x03, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00};

inline constexpr size_t kJet3SortVersionOffset = 0x38;
inline constexpr uint16_t kJet3SortVersion = 1;  // Access 97 writes 1
inline constexpr size_t kJet3SortOrderOffset = 0x3A;
inline constexpr size_t kCodePageOffset = 0x3C;
inline constexpr size_t kDatabaseKeyOffset = 0x3E;
inline constexpr size_t kPasswordOffset = 0x42;
inline constexpr size_t kJet3PasswordSize = 20;
inline constexpr size_t kJet4PasswordSize = 40;
inline constexpr size_t kJet4SortOrderOffset = 0x6E;
inline constexpr size_t kJet4CreationDateOffset = 0x72;

// Code pages and sort orders.
inline constexpr uint16_t kCyrillicCodePage = 1251;
inline constexpr uint16_t kWesternCodePage = 1252;
inline constexpr uint16_t kCyrillicSortOrder = 0x0419;
inline constexpr uint16_t kGeneralSortOrder = 0x0409;

// Jet 4 masks the password once more, byte by byte, with the whole days of
// the creation date as a little-endian 32-bit number: an empty password is
// stored as that mask over and over.
// (A date no 32-bit number holds, in a damaged header, masks with 0.)
inline std::array<uint8_t, 4> Jet4PasswordMask(double creation_date) {
  const bool fits = creation_date > -2147483649.0 && creation_date < 2147483648.0;
  const auto days = fits ? static_cast<uint32_t>(static_cast<int32_t>(creation_date)) : 0u;
  return {static_cast<uint8_t>(days), static_cast<uint8_t>(days >> 8),
          static_cast<uint8_t>(days >> 16), static_cast<uint8_t>(days >> 24)};
}

// A Jet date is a double: days since 1899-12-30.
inline constexpr double kUnixEpochAsJetDate = 25569.0;  // 1970-01-01
inline constexpr double kSecondsPerDay = 86400.0;

}  // namespace vorelka::jet::format::header
