// Reading the header page (header_page.h): which format the file is in, and
// the facts the rest of the file is read by.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "jet/format/format.h"
#include "jet/format/header_page.h"

namespace vorelka::jet::format {

// The bytes that identify a Jet file: magic, signature and version.
inline constexpr size_t kHeaderIdentitySize = header::kVersionOffset + 1;

struct HeaderFacts {
  const Format* format = &kJet4;
  uint8_t version = 0;
  uint16_t code_page = 0;     // of Jet 3 text
  uint16_t sort_order = 0;    // of text indexes
  uint32_t database_key = 0;  // 0: pages are not masked
  double creation_date = 0;   // Jet 4 only
  bool has_password = false;  // a database password is set
};

// The format of a file that starts with `head`; raises UnrecognizedFormat,
// naming `path`, for a file that is not a Jet or ACE database or whose
// version is newer than any we know.
const Format& IdentifyHeader(std::span<const uint8_t> head, const std::string& path);

// Unmasks the whole header page `page` in place and reads its facts.
HeaderFacts DecodeHeader(const Format& layout, std::span<uint8_t> page);

// Undoes the database key's masking of page `number` (a no-op without one).
void UnmaskPage(const HeaderFacts& header, uint32_t number, std::span<uint8_t> page);

}  // namespace vorelka::jet::format
