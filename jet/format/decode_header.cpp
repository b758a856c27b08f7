#include "jet/format/decode_header.h"

#include <array>
#include <cstring>
#include <string_view>

#include "jet/format/bytes.h"
#include "jet/format/jet_errors.h"
#include "jet/format/mask.h"
#include "jet/format/page.h"

namespace vorelka::jet::format {

const Format& IdentifyHeader(std::span<const uint8_t> head, const std::string& path) {
  const std::string_view signature(
      reinterpret_cast<const char*>(head.data()) + header::kSignatureOffset,
      header::kJetSignature.size());
  if (head[kPageTypeOffset] != kHeaderPageType ||
      (signature != header::kJetSignature && signature != header::kAceSignature)) {
    services::Raise(UnrecognizedFormat(path, "it is not a Jet or ACE database"));
  }
  const uint8_t version = head[header::kVersionOffset];
  if (version > header::kLastKnownVersion) {
    services::Raise(UnrecognizedFormat(path, "unknown format version " + std::to_string(version)));
  }
  return FormatOfVersion(version);
}

HeaderFacts DecodeHeader(const Format& layout, std::span<uint8_t> page) {
  Rc4(header::kMaskKey, page.subspan(header::kMaskStart, layout.header_masked_size));
  HeaderFacts facts;
  facts.format = &layout;
  facts.version = page[header::kVersionOffset];
  facts.code_page = static_cast<uint16_t>(GetLe16(page, header::kCodePageOffset));
  facts.sort_order = static_cast<uint16_t>(GetLe16(page, layout.id == JetFormat::kJet3
                                                             ? header::kJet3SortOrderOffset
                                                             : header::kJet4SortOrderOffset));
  facts.database_key = GetLe32(page, header::kDatabaseKeyOffset);
  std::span<const uint8_t> password;
  std::array<uint8_t, 4> mask{};
  if (layout.id == JetFormat::kJet3) {
    password = page.subspan(header::kPasswordOffset, header::kJet3PasswordSize);
  } else {
    std::memcpy(&facts.creation_date, page.data() + header::kJet4CreationDateOffset,
                sizeof facts.creation_date);
    password = page.subspan(header::kPasswordOffset, header::kJet4PasswordSize);
    mask = header::Jet4PasswordMask(facts.creation_date);
  }
  for (size_t i = 0; i < password.size(); ++i) {
    if ((password[i] ^ mask[i % mask.size()]) != 0) facts.has_password = true;
  }
  return facts;
}

void UnmaskPage(const HeaderFacts& header, uint32_t number, std::span<uint8_t> page) {
  if (header.database_key == 0) return;
  const uint32_t key = header.database_key ^ number;
  const std::array<uint8_t, 4> key_bytes{static_cast<uint8_t>(key), static_cast<uint8_t>(key >> 8),
                                         static_cast<uint8_t>(key >> 16),
                                         static_cast<uint8_t>(key >> 24)};
  Rc4(key_bytes, page);
}

}  // namespace vorelka::jet::format
