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

namespace vorelka::jet::guard {

// Where the two formats keep what libmdb reads. Offsets in a table
// definition page, in a column entry, or in a data page.
struct FormatLayout {
  bool jet3 = false;
  uint32_t page_size = 0;
  // Data pages: the number of row slots, then one 2-byte slot per row.
  uint32_t row_count_offset = 0;
  // Table definition page.
  uint32_t row_total_offset = 0;
  uint32_t var_column_count_offset = 0;
  uint32_t column_count_offset = 0;
  uint32_t index_count_offset = 0;
  uint32_t real_index_count_offset = 0;
  uint32_t owned_map_offset = 0;
  uint32_t free_map_offset = 0;
  uint32_t columns_start_offset = 0;
  uint32_t real_index_entry_size = 0;
  // One column entry.
  uint32_t column_entry_size = 0;
  uint32_t column_number_offset = 0;
  uint32_t column_var_index_offset = 0;
  uint32_t column_flags_offset = 0;
  uint32_t column_fixed_offset_offset = 0;
  uint32_t column_size_offset = 0;
  // A column or index name is preceded by its length in this many bytes.
  uint32_t name_length_size = 0;
  // A row starts with its column count in this many bytes.
  uint32_t row_column_count_size = 0;
  // The index part of a definition: per real index a block of key columns,
  // per index an entry whose type byte says whether it is a reference.
  uint32_t real_index_block_size = 0;
  uint32_t index_entry_size = 0;
  uint32_t index_type_offset = 0;
};

const FormatLayout& Jet3Layout();
const FormatLayout& Jet4Layout();

inline constexpr uint8_t kDatabasePage = 0x00;
inline constexpr uint8_t kDataPage = 0x01;
inline constexpr uint8_t kTableDefinitionPage = 0x02;
inline constexpr uint8_t kUsageMapPage = 0x05;

// Little-endian reads from a page the caller has already bounded.
inline uint32_t U8(std::span<const uint8_t> b, size_t at) {
  return b[at];
}
inline uint32_t U16(std::span<const uint8_t> b, size_t at) {
  return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8;
}
inline uint32_t U32(std::span<const uint8_t> b, size_t at) {
  return U16(b, at) | U16(b, at + 2) << 16;
}

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

  const FormatLayout& layout() const { return *layout_; }
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
  const FormatLayout* layout_ = nullptr;
  uint32_t page_count_ = 0;
  uint32_t database_key_ = 0;
  std::unordered_map<uint64_t, PageBytes> cache_;
};

}  // namespace vorelka::jet::guard
