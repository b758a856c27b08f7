#include "jet/format/page_file.h"

#include <array>
#include <cstring>

#include "jet/format/jet_errors.h"
#include "jet/format/mask.h"
#include "jet/format/page.h"
#include "services/read_only_file.h"

namespace vorelka::jet::format {
namespace {

// Pages kept at a time; a scan reads each page once, so the cache is there
// for the pages read again and again (definitions, maps, index roots).
constexpr size_t kCachedPages = 256;

[[noreturn]] void RaiseRefusal(const std::string& path, const services::ReadOnlyFile::Opened& o) {
  using Problem = services::ReadOnlyFile::Problem;
  switch (o.problem) {
    case Problem::kNotFound:
      services::Raise(FileNotFound(path));
    case Problem::kFolder:
      services::Raise(CannotOpenFile(path, "it is a folder, not a file"));
    case Problem::kNotRegularFile:
      services::Raise(CannotOpenFile(path, "it is not a regular file"));
    case Problem::kDenied:
      services::Raise(CannotOpenFile(path, "permission denied"));
    case Problem::kNone:
    case Problem::kOther:
      break;
  }
  services::Raise(CannotOpenFile(path, o.detail));
}

}  // namespace

PageFile::PageFile(const std::string& path) : shown_path_(path) {
  if (path.empty()) services::Raise(FileNotFound(path));
  services::ReadOnlyFile::Opened opened = services::ReadOnlyFile::Open(path);
  if (!opened.file) RaiseRefusal(path, opened);
  file_ = std::move(opened.file);
  size_ = file_->size();
  ReadHeader();
}

PageFile::PageFile(std::vector<uint8_t> bytes, std::string shown_path)
    : shown_path_(std::move(shown_path)), memory_(std::move(bytes)), size_(memory_.size()) {
  ReadHeader();
}

PageFile::~PageFile() = default;

void PageFile::Fail(const std::string& why) const {
  services::Raise(DamagedFile(shown_path_, why));
}

bool PageFile::ReadRaw(uint64_t offset, std::span<uint8_t> out) const {
  if (file_) return file_->ReadAt(offset, out);
  if (offset > memory_.size() || memory_.size() - offset < out.size()) return false;
  std::memcpy(out.data(), memory_.data() + offset, out.size());
  return true;
}

void PageFile::ReadHeader() {
  if (size_ == 0) services::Raise(UnrecognizedFormat(shown_path_, "the file is empty"));
  // The version byte decides the page size: the identifying bytes first.
  std::array<uint8_t, kHeaderIdentitySize> head{};
  if (size_ < head.size()) services::Raise(UnrecognizedFormat(shown_path_, "the file is too short"));
  if (!ReadRaw(0, head)) Fail("its header page cannot be read");
  const Format& layout = IdentifyHeader(head, shown_path_);
  if (size_ % layout.page_size != 0) {
    services::Raise(UnrecognizedFormat(
        shown_path_, "the file is truncated (it does not end on a page boundary)"));
  }
  if (size_ / layout.page_size < kFewestPages) {
    services::Raise(
        UnrecognizedFormat(shown_path_, "the file is truncated (it has no system catalog)"));
  }
  if (size_ / layout.page_size > UINT32_MAX) Fail("it has more pages than a page number can name");
  page_count_ = static_cast<uint32_t>(size_ / layout.page_size);

  std::vector<uint8_t> page(layout.page_size);
  if (!ReadRaw(0, page)) Fail("its header page cannot be read");
  header_ = DecodeHeader(layout, page);
  cache_[kHeaderPage] = std::make_shared<const std::vector<uint8_t>>(std::move(page));
}

PageBytes PageFile::Page(uint64_t page, const char* what) {
  if (page >= page_count_) {
    Fail(std::string(what) + " names page " + std::to_string(page) + ", beyond the file's " +
         std::to_string(page_count_) + " pages");
  }
  if (auto found = cache_.find(page); found != cache_.end()) return found->second;
  std::vector<uint8_t> bytes(page_size());
  if (!ReadRaw(page * page_size(), bytes)) Fail("page " + std::to_string(page) + " cannot be read");
  UnmaskPage(header_, static_cast<uint32_t>(page), bytes);
  if (cache_.size() >= kCachedPages) {
    PageBytes header = cache_[kHeaderPage];
    cache_.clear();
    cache_[kHeaderPage] = std::move(header);
  }
  auto stored = std::make_shared<const std::vector<uint8_t>>(std::move(bytes));
  cache_[page] = stored;
  return stored;
}

}  // namespace vorelka::jet::format
