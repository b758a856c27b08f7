// A database file opened once: its header decoded, its pages read on
// demand with positioned reads, unmasked where the file has a database key,
// and every page number held against the file's length before it is read.
// All structures are decoded from the pages this one object hands out, so
// whatever is checked is what is read.
#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "jet/format/decode_header.h"
#include "jet/format/format.h"

namespace vorelka::services {
class ReadOnlyFile;
}

namespace vorelka::jet::format {

using PageBytes = std::shared_ptr<const std::vector<uint8_t>>;

class PageFile {
 public:
  // Opens `path` for reading only. Raises FileNotFound, CannotOpenFile or
  // UnrecognizedFormat naming `path`.
  explicit PageFile(const std::string& path);
  // The same over bytes in memory; `shown_path` names them in errors.
  PageFile(std::vector<uint8_t> bytes, std::string shown_path);
  ~PageFile();
  PageFile(const PageFile&) = delete;
  PageFile& operator=(const PageFile&) = delete;

  const Format& layout() const { return *header_.format; }
  const HeaderFacts& header() const { return header_; }
  uint32_t page_size() const { return layout().page_size; }
  uint32_t page_count() const { return page_count_; }
  const std::string& shown_path() const { return shown_path_; }

  // The page's bytes; raises DamagedFile when `page` lies beyond the file.
  // `what` says what pointed there, for the error text.
  PageBytes Page(uint64_t page, const char* what);

  // True the first time it is asked about `key`: for checks made once per
  // open file (a data page's rows, say).
  bool FirstVisit(uint64_t key) { return visited_.insert(key).second; }

  // Raises DamagedFile naming the file: "... is damaged (why)".
  [[noreturn]] void Fail(const std::string& why) const;

 private:
  void ReadHeader();
  bool ReadRaw(uint64_t offset, std::span<uint8_t> out) const;

  std::string shown_path_;
  std::unique_ptr<services::ReadOnlyFile> file_;
  std::vector<uint8_t> memory_;
  uint64_t size_ = 0;
  HeaderFacts header_;
  uint32_t page_count_ = 0;
  std::unordered_map<uint64_t, PageBytes> cache_;
  std::set<uint64_t> visited_;
};

}  // namespace vorelka::jet::format
