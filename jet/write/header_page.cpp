#include "jet/write/header_page.h"

#include <array>
#include <chrono>
#include <cstring>
#include <span>

#include "jet/format/header_page.h"
#include "jet/format/mask.h"

namespace vorelka::jet::writer {

using namespace format;  // NOLINT(google-build-using-namespace): the format this writes
using namespace header;  // NOLINT(google-build-using-namespace)

uint16_t CodePageOf(const Format& format) {
  return format.id == JetFormat::kJet3 ? kCyrillicCodePage : kWesternCodePage;
}

uint16_t SortOrderOf(const Format& format) {
  return format.id == JetFormat::kJet3 ? kCyrillicSortOrder : kGeneralSortOrder;
}

double JetDateNow() {
  using namespace std::chrono;
  const double seconds =
      duration_cast<duration<double>>(system_clock::now().time_since_epoch()).count();
  return kUnixEpochAsJetDate + seconds / kSecondsPerDay;
}

void WriteHeaderPage(const Format& format, double creation_date, uint8_t* page) {
  std::memset(page, 0, format.page_size);
  std::memcpy(page, kFileMagic.data(), kFileMagic.size());
  std::memcpy(page + kSignatureOffset, kJetSignature.data(), kJetSignature.size());
  PutU8(page + kVersionOffset, format.version);

  std::memcpy(page + kUnknownBlockOffset, kUnknownBlock.data(), kUnknownBlock.size());
  PutLe16(page + kCodePageOffset, CodePageOf(format));
  PutLe32(page + kDatabaseKeyOffset, 0);
  if (format.id == JetFormat::kJet3) {
    PutLe16(page + kJet3SortVersionOffset, kJet3SortVersion);
    PutLe16(page + kJet3SortOrderOffset, SortOrderOf(format));
    // An empty password: the password bytes stay zero.
  } else {
    PutLe16(page + kJet4SortOrderOffset, SortOrderOf(format));
    std::memcpy(page + kJet4CreationDateOffset, &creation_date, sizeof creation_date);
    // An empty password is stored as its mask.
    const auto mask = Jet4PasswordMask(creation_date);
    for (size_t i = 0; i < kJet4PasswordSize; ++i) page[kPasswordOffset + i] = mask[i % mask.size()];
  }
  Rc4(kMaskKey, std::span<uint8_t>(page + kMaskStart, format.header_masked_size));
}

}  // namespace vorelka::jet::writer
