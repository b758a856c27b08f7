// The pages of a Jet file as the file guard sees them: read on demand with
// pread (never mapped: a file cut short under us must not raise SIGBUS),
// decoded the way libmdb decodes them, and every page number held against
// the file's page count before it is read.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "jet/format/format.h"

namespace vorelka::jet::guard {

using namespace format;  // NOLINT(google-build-using-namespace): the format checked

using PageBytes = std::shared_ptr<const std::vector<uint8_t>>;

class PageSource {
 public:
  // Reads the file at `open_path` (read-only, never locked or written);
  // `shown_path` names it in error texts. Raises kErrUnrecognizedFormat for
  // a header page libmdb would misread.
  PageSource(const std::string& open_path, std::string shown_path);
  // The same over bytes already in memory.
  PageSource(std::vector<uint8_t> bytes, std::string shown_path);
  ~PageSource();
  PageSource(const PageSource&) = delete;
  PageSource& operator=(const PageSource&) = delete;

  const format::Format& layout() const { return *layout_; }
  uint32_t page_size() const { return layout_->page_size; }
  uint32_t page_count() const { return page_count_; }
  const std::string& shown_path() const { return shown_path_; }
  // Identity of the file read (device, inode, size, change time); zeros for
  // bytes in memory.
  struct Identity {
    uint64_t device = 0, inode = 0, size = 0;
    int64_t modified_ns = 0;
    bool operator==(const Identity&) const = default;
  };
  const Identity& identity() const { return identity_; }

  // The decoded bytes of a page; raises when `page` lies beyond the file.
  // `what` says what pointed there, for the error text.
  PageBytes Page(uint64_t page, const char* what);
  uint8_t PageType(uint64_t page, const char* what) { return (*Page(page, what))[0]; }

  // Raises kErrUnrecognizedFormat naming the file: "... is damaged (why)".
  [[noreturn]] void Fail(const std::string& why) const;

 private:
  void ReadHeader();
  std::vector<uint8_t> ReadRaw(uint64_t page);

  std::string shown_path_;
  int fd_ = -1;
  std::vector<uint8_t> memory_;
  uint64_t size_ = 0;
  Identity identity_;
  const format::Format* layout_ = nullptr;
  uint32_t page_count_ = 0;
  uint32_t database_key_ = 0;
  std::unordered_map<uint64_t, PageBytes> cache_;
};

}  // namespace vorelka::jet::guard
