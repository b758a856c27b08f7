// Data pages (type 0x01) and the rows on them.
//
//   Field                            Jet 3        Jet 4
//   ------------------------------   ----------   ----------
//   page type, 0x01, free space      0  (4)       0  (4)
//   owning table definition          4  (4)       4  (4)
//   [Jet 4: unknown (4)]
//   row count                        8  (2)       12 (2)
//   row table: 2 bytes per row       10           14
//
// Rows are packed from the end of the page towards the row table; row n
// runs from its offset up to row n-1's (row 0 to the page end). The top bits
// of a row-table entry are flags.
//
// A row: its column count (1 or 2 bytes), the fixed columns, the variable
// columns, then from the end backwards: the null mask (a bit per column, set
// when not Null), the variable-column count, its offset table and the end
// of the data (1 byte each in Jet 3, with a jump table for rows past 256
// bytes; 2 bytes each in Jet 4).
//
// A row pointer names a row as page << 8 | row number.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vorelka::jet::format {

struct DataPageLayout {
  size_t row_count_offset;
  size_t header_size;            // up to the first row-table entry
  size_t max_row_size;           // the engine's own limit on a stored row
  size_t row_column_count_size;  // 1 or 2 bytes at the head of a row
  size_t row_var_offset_size;    // 1 (with a jump table) or 2 bytes
};

inline constexpr DataPageLayout kJet3DataPage{
    .row_count_offset = 8,
    .header_size = 10,
    .max_row_size = 2012,
    .row_column_count_size = 1,
    .row_var_offset_size = 1,
};

inline constexpr DataPageLayout kJet4DataPage{
    .row_count_offset = 12,
    .header_size = 14,
    .max_row_size = 4060,
    .row_column_count_size = 2,
    .row_var_offset_size = 2,
};

namespace data {

inline constexpr size_t kRowCountSize = 2;
inline constexpr size_t kRowTableEntrySize = 2;
inline constexpr uint32_t kDeletedRowFlag = 0x8000;
inline constexpr uint32_t kMovedRowFlag = 0x4000;  // the row holds a pointer to where it went
inline constexpr uint32_t kRowOffsetMask = 0x1FFF;
inline constexpr size_t kMovedRowPointerSize = 4;
// A row pointer has one byte for the row.
inline constexpr uint32_t kMaxRowsPerPage = 255;
inline constexpr uint32_t kRowNumberBits = 8;
inline constexpr uint32_t kRowNumberMask = 0xFF;
inline constexpr uint32_t kMaxPageNumberInRowPointer = 0xFFFFFF;

// A row pointer and its two parts: the page and the row's number on it.
constexpr uint32_t MakeRowPointer(uint32_t page, uint32_t row) {
  return page << kRowNumberBits | row;
}
constexpr uint32_t PageOfRowPointer(uint32_t pointer) {
  return pointer >> kRowNumberBits;
}
constexpr uint32_t RowOfRowPointer(uint32_t pointer) {
  return pointer & kRowNumberMask;
}
// Jet 3 rows: one-byte offsets, so every 256 bytes a jump-table entry.
inline constexpr size_t kJumpSpan = 256;
inline constexpr uint8_t kJumpFiller = 0xFF;

}  // namespace data
}  // namespace vorelka::jet::format
