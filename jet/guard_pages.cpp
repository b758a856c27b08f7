#include "jet/guard_pages.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

#include "jet/jet_errors.h"
#include "services/error.h"

namespace vorelka::jet::guard {
namespace {

constexpr FormatLayout kJet3{
    .jet3 = true,
    .page_size = 2048,
    .row_count_offset = 8,
    .row_total_offset = 12,
    .var_column_count_offset = 23,
    .column_count_offset = 25,
    .index_count_offset = 27,
    .real_index_count_offset = 31,
    .owned_map_offset = 35,
    .free_map_offset = 39,
    .columns_start_offset = 43,
    .real_index_entry_size = 8,
    .column_entry_size = 18,
    .column_number_offset = 1,
    .column_var_index_offset = 3,
    .column_flags_offset = 13,
    .column_fixed_offset_offset = 14,
    .column_size_offset = 16,
    .name_length_size = 1,
    .row_column_count_size = 1,
    .real_index_block_size = 39,
    .index_entry_size = 20,
    .index_type_offset = 19,
};

constexpr FormatLayout kJet4{
    .jet3 = false,
    .page_size = 4096,
    .row_count_offset = 12,
    .row_total_offset = 16,
    .var_column_count_offset = 43,
    .column_count_offset = 45,
    .index_count_offset = 47,
    .real_index_count_offset = 51,
    .owned_map_offset = 55,
    .free_map_offset = 59,
    .columns_start_offset = 63,
    .real_index_entry_size = 12,
    .column_entry_size = 25,
    .column_number_offset = 5,
    .column_var_index_offset = 7,
    .column_flags_offset = 15,
    .column_fixed_offset_offset = 21,
    .column_size_offset = 23,
    .name_length_size = 2,
    .row_column_count_size = 2,
    .real_index_block_size = 52,
    .index_entry_size = 28,
    .index_type_offset = 23,
};

// Header page: the version byte picks the format; a masked block holds the
// database key, which, when not zero, masks every other page as well.
constexpr size_t kVersionOffset = 0x14;
constexpr uint8_t kVersionJet3 = 0x00;
constexpr uint8_t kLastVersionLibmdbReads = 0x06;
constexpr size_t kMaskedHeaderOffset = 0x18;
constexpr size_t kMaskedHeaderLengthJet3 = 126;
constexpr size_t kMaskedHeaderLengthJet4 = 128;
constexpr std::array<uint8_t, 4> kHeaderMaskKey{0xC7, 0xDA, 0x39, 0x6B};
constexpr size_t kDatabaseKeyOffset = 0x3E;
// The catalog's definition is page 2: a database has pages 0 to 2 at least.
constexpr uint64_t kFewestPages = 3;
// Pages kept decoded at a time; a scan of a large table reads each page
// once, so the cache is only there for the pages read again and again.
constexpr size_t kCachedPages = 256;

// RC4 over `data` with `key`: how the engine masks its pages.
void Rc4(std::span<const uint8_t> key, std::span<uint8_t> data) {
  std::array<uint8_t, 256> s{};
  for (size_t i = 0; i < s.size(); ++i) s[i] = static_cast<uint8_t>(i);
  uint8_t j = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    j = static_cast<uint8_t>(j + s[i] + key[i % key.size()]);
    std::swap(s[i], s[j]);
  }
  uint8_t x = 0;
  uint8_t y = 0;
  for (uint8_t& byte : data) {
    x = static_cast<uint8_t>(x + 1);
    y = static_cast<uint8_t>(y + s[x]);
    std::swap(s[x], s[y]);
    byte ^= s[static_cast<uint8_t>(s[x] + s[y])];
  }
}

int OpenForReading(const std::string& path) {
  // Reading should not even move the access time where the kernel lets us
  // ask for that (the file's owner, or root).
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NOATIME);
  if (fd < 0 && errno == EPERM) fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
  return fd;
}

}  // namespace

const FormatLayout& Jet3Layout() {
  return kJet3;
}
const FormatLayout& Jet4Layout() {
  return kJet4;
}

PageSource::PageSource(const std::string& open_path, std::string shown_path)
    : shown_path_(std::move(shown_path)) {
  fd_ = OpenForReading(open_path);
  if (fd_ < 0) {
    const int error = errno;
    if (error == ENOENT || error == ENOTDIR) {
      services::Raise(kErrFileNotFound, "Could not find file '" + shown_path_ + "'.");
    }
    services::Raise(kErrCannotOpenFile,
                    "Cannot open the file '" + shown_path_ + "': " + std::strerror(error) + ".");
  }
  struct stat info {};
  if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd_);
    fd_ = -1;
    services::Raise(kErrCannotOpenFile, "Cannot open the file '" + shown_path_ + "'.");
  }
  size_ = static_cast<uint64_t>(info.st_size);
  identity_ =
      Identity{static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino), size_,
               static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
  try {
    ReadHeader();
  } catch (...) {
    ::close(fd_);
    fd_ = -1;
    throw;
  }
}

PageSource::PageSource(std::vector<uint8_t> bytes, std::string shown_path)
    : shown_path_(std::move(shown_path)), memory_(std::move(bytes)), size_(memory_.size()) {
  ReadHeader();
}

PageSource::~PageSource() {
  if (fd_ >= 0) ::close(fd_);
}

void PageSource::Fail(const std::string& why) const {
  services::Raise(kErrUnrecognizedFormat, "Unrecognized database format '" + shown_path_ +
                                              "': the file is damaged (" + why + ").");
}

void PageSource::ReadHeader() {
  // The version byte decides the page size, so look at it first.
  std::array<uint8_t, kVersionOffset + 1> head{};
  if (size_ < head.size()) Fail("it is too short to hold a header page");
  if (fd_ >= 0) {
    if (::pread(fd_, head.data(), head.size(), 0) != static_cast<ssize_t>(head.size())) {
      Fail("its header page cannot be read");
    }
  } else {
    std::memcpy(head.data(), memory_.data(), head.size());
  }
  if (head[0] != kDatabasePage) Fail("page 0 is not a database header page");
  const uint8_t version = head[kVersionOffset];
  if (version > kLastVersionLibmdbReads) Fail("unknown format version " + std::to_string(version));
  layout_ = version == kVersionJet3 ? &kJet3 : &kJet4;
  if (size_ % page_size() != 0) Fail("it does not end on a page boundary");
  if (size_ / page_size() < kFewestPages) Fail("it is too short to hold the system catalog");
  if (size_ / page_size() > UINT32_MAX) Fail("it has more pages than a page number can name");
  page_count_ = static_cast<uint32_t>(size_ / page_size());

  std::vector<uint8_t> header = ReadRaw(0);
  const size_t masked = layout_->jet3 ? kMaskedHeaderLengthJet3 : kMaskedHeaderLengthJet4;
  Rc4(kHeaderMaskKey, std::span<uint8_t>(header).subspan(kMaskedHeaderOffset, masked));
  database_key_ = U32(header, kDatabaseKeyOffset);
  cache_[0] = std::make_shared<const std::vector<uint8_t>>(std::move(header));
}

std::vector<uint8_t> PageSource::ReadRaw(uint64_t page) {
  std::vector<uint8_t> bytes(page_size());
  const uint64_t offset = page * page_size();
  if (fd_ >= 0) {
    size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t got =
          ::pread(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) Fail("page " + std::to_string(page) + " cannot be read");
      done += static_cast<size_t>(got);
    }
  } else {
    std::memcpy(bytes.data(), memory_.data() + offset, bytes.size());
  }
  return bytes;
}

PageBytes PageSource::Page(uint64_t page, const char* what) {
  if (page >= page_count_) {
    Fail(std::string(what) + " names page " + std::to_string(page) + ", beyond the file's " +
         std::to_string(page_count_) + " pages");
  }
  if (auto found = cache_.find(page); found != cache_.end()) return found->second;
  std::vector<uint8_t> bytes = ReadRaw(page);
  if (database_key_ != 0) {
    const uint32_t key = database_key_ ^ static_cast<uint32_t>(page);
    const std::array<uint8_t, 4> key_bytes{
        static_cast<uint8_t>(key), static_cast<uint8_t>(key >> 8), static_cast<uint8_t>(key >> 16),
        static_cast<uint8_t>(key >> 24)};
    Rc4(key_bytes, bytes);
  }
  if (cache_.size() >= kCachedPages) {
    PageBytes header = cache_[0];
    cache_.clear();
    cache_[0] = std::move(header);
  }
  auto stored = std::make_shared<const std::vector<uint8_t>>(std::move(bytes));
  cache_[page] = stored;
  return stored;
}

}  // namespace vorelka::jet::guard
