#include "jet/check/page_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

#include "jet/format/header_page.h"
#include "jet/format/jet_errors.h"
#include "jet/format/mask.h"
#include "services/error.h"

namespace vorelka::jet::guard {
namespace {

// Pages kept decoded at a time; a scan of a large table reads each page
// once, so the cache is only there for the pages read again and again.
constexpr size_t kCachedPages = 256;

int OpenForReading(const std::string& path) {
  // Reading should not even move the access time where the kernel lets us
  // ask for that (the file's owner, or root).
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NOATIME);
  if (fd < 0 && errno == EPERM) fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
  return fd;
}

}  // namespace

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
  std::array<uint8_t, header::kVersionOffset + 1> head{};
  if (size_ < head.size()) Fail("it is too short to hold a header page");
  if (fd_ >= 0) {
    if (::pread(fd_, head.data(), head.size(), 0) != static_cast<ssize_t>(head.size())) {
      Fail("its header page cannot be read");
    }
  } else {
    std::memcpy(head.data(), memory_.data(), head.size());
  }
  if (head[0] != kHeaderPageType) Fail("page 0 is not a database header page");
  const uint8_t version = head[header::kVersionOffset];
  if (version > header::kLastKnownVersion) Fail("unknown format version " + std::to_string(version));
  layout_ = &FormatOfVersion(version);
  if (size_ % page_size() != 0) Fail("it does not end on a page boundary");
  if (size_ / page_size() < kFewestPages) Fail("it is too short to hold the system catalog");
  if (size_ / page_size() > UINT32_MAX) Fail("it has more pages than a page number can name");
  page_count_ = static_cast<uint32_t>(size_ / page_size());

  std::vector<uint8_t> header = ReadRaw(0);
  Rc4(header::kMaskKey,
      std::span<uint8_t>(header).subspan(header::kMaskStart, layout_->header_masked_size));
  database_key_ = GetLe32(header, header::kDatabaseKeyOffset);
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
