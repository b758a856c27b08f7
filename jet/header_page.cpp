#include "jet/header_page.h"

#include <array>
#include <chrono>
#include <cstring>

namespace vorelka::jet::writer {
namespace {

constexpr std::array<uint8_t, 4> kFileMagic = {0x00, 0x01, 0x00, 0x00};
constexpr char kSignature[] = "Standard Jet DB";  // with its NUL: 16 bytes
constexpr size_t kSignatureOffset = 0x04;
constexpr size_t kVersionOffset = 0x14;

// The masked part starts here; the key below is the one all engines use.
constexpr size_t kMaskStart = 0x18;
constexpr std::array<uint8_t, 4> kMaskKey = {0xC7, 0xDA, 0x39, 0x6B};

// Values Access writes at the head of the masked part (meaning unknown).
constexpr size_t kUnknownBlockOffset = 0x18;
constexpr std::array<uint8_t, 24> kUnknownBlock = {0x00, 0x01, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00,
                                                   0x02, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00,
                                                   0x04, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00};

constexpr size_t kJet3SortVersionOffset = 0x38;  // Access 97 writes 1 here
constexpr uint16_t kJet3SortVersion = 1;
constexpr size_t kJet3SortOrderOffset = 0x3A;
constexpr size_t kCodePageOffset = 0x3C;
constexpr size_t kDatabaseKeyOffset = 0x3E;  // 0: pages are not encoded
constexpr size_t kPasswordOffset = 0x42;
constexpr size_t kJet4PasswordSize = 40;
constexpr size_t kJet4SortOrderOffset = 0x6E;  // sort order(2) 0(1) version(1)
constexpr size_t kJet4CreationDateOffset = 0x72;

constexpr double kUnixEpochAsJetDate = 25569.0;  // 1970-01-01
constexpr double kSecondsPerDay = 86400.0;

}  // namespace

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

void Rc4(const uint8_t* key, size_t key_size, uint8_t* data, size_t size) {
  std::array<uint8_t, 256> s;
  for (size_t i = 0; i < s.size(); ++i) s[i] = static_cast<uint8_t>(i);
  uint8_t j = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    j = static_cast<uint8_t>(j + s[i] + key[i % key_size]);
    std::swap(s[i], s[j]);
  }
  uint8_t x = 0;
  uint8_t y = 0;
  for (size_t k = 0; k < size; ++k) {
    x = static_cast<uint8_t>(x + 1);
    y = static_cast<uint8_t>(y + s[x]);
    std::swap(s[x], s[y]);
    data[k] ^= s[static_cast<uint8_t>(s[x] + s[y])];
  }
}

void WriteHeaderPage(const Format& format, double creation_date, uint8_t* page) {
  std::memset(page, 0, format.page_size);
  PutU8(page, kHeaderPageType);
  std::memcpy(page, kFileMagic.data(), kFileMagic.size());
  std::memcpy(page + kSignatureOffset, kSignature, sizeof kSignature);
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
    // Jet 4 masks the password with the whole days of the creation date; an
    // empty password is stored as that mask.
    uint8_t mask[4];
    PutLe32(mask, static_cast<uint32_t>(static_cast<int32_t>(creation_date)));
    for (size_t i = 0; i < kJet4PasswordSize; ++i) page[kPasswordOffset + i] = mask[i % 4];
  }
  Rc4(kMaskKey.data(), kMaskKey.size(), page + kMaskStart, format.header_masked_size);
}

}  // namespace vorelka::jet::writer
