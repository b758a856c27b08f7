// A data page being filled with rows:
//
//   type 0x01, 0x01, free space(2), owner table-definition page(4),
//   [Jet 4: 4 zero bytes], row count(2), one 2-byte offset per row, ...free
//   space..., rows packed from the end of the page towards the offsets.
//
// Row n runs from its offset up to row n-1's offset (row 0 to the page end).
#pragma once

#include <cstdint>
#include <vector>

#include "jet/format/format.h"

namespace vorelka::jet::writer {

using format::Format;

class DataPage {
 public:
  DataPage(const Format& format, uint32_t owner_page);

  bool Fits(size_t row_size) const;
  // Adds a row that Fits; returns its row number on the page.
  uint8_t AddRow(const uint8_t* row, size_t size);

  uint32_t RowCount() const { return row_count_; }
  size_t FreeSpace() const;
  const uint8_t* bytes() const { return page_.data(); }
  void Clear();

 private:
  void PutHead();  // with the free space as it now is

  const Format& format_;
  uint32_t owner_page_;
  std::vector<uint8_t> page_;
  uint32_t row_count_ = 0;
  size_t rows_start_;  // offset of the lowest row
};

// The largest row a data page can take.
inline size_t MaxRowOnEmptyPage(const Format& format) {
  return format.page_size - format.data.header_size - 2;
}

}  // namespace vorelka::jet::writer
