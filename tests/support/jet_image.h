// A Jet file's bytes in memory, to damage on purpose: little-endian fields
// of a page read and overwritten, the rows of a data page found, the result
// saved as another file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "jet/format/format.h"

namespace vorelka::testing {

class JetImage {
 public:
  explicit JetImage(const std::filesystem::path& file);
  void Save(const std::filesystem::path& file) const;

  // The format the header names.
  const jet::format::Format& format() const { return *format_; }
  uint32_t page_count() const { return static_cast<uint32_t>(bytes_.size() / format_->page_size); }
  std::string& bytes() { return bytes_; }
  uint8_t* Page(uint32_t page);

  // `size` bytes (1 to 4) at `offset` of `page`.
  uint32_t Get(uint32_t page, size_t offset, size_t size) const;
  void Put(uint32_t page, size_t offset, size_t size, uint32_t value);

  // A data page's row table: where the entry of `row` lies, and where the
  // row starts and ends (at the start of the row before it; row 0 at the
  // page end).
  size_t RowSlot(uint32_t row) const;
  size_t RowStart(uint32_t page, uint32_t row) const;
  size_t RowEnd(uint32_t page, uint32_t row) const;
  // The row a row pointer names.
  size_t RowStart(uint32_t row_pointer) const;

  // Where the entry of column `column` (in stored order) of the table
  // defined on `definition` starts.
  size_t ColumnEntry(uint32_t definition, uint32_t column) const;

  // The first data page of the table defined on `definition`.
  uint32_t FirstDataPage(uint32_t definition) const;

 private:
  std::string bytes_;
  const jet::format::Format* format_;
};

}  // namespace vorelka::testing
