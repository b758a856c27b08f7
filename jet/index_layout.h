// Where things sit in the table-definition and index pages of a Jet file,
// for the two layouts the reader knows: Jet 3 (2 KB pages) and Jet 4 (4 KB
// pages, also used by later Access versions). Header fields are
// little-endian; index entries are big-endian so that their bytes sort.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vorelka::jet::index_layout {

// Page types (first byte of every page).
inline constexpr uint8_t kDataPageType = 0x01;
inline constexpr uint8_t kTableDefinitionPageType = 0x02;
inline constexpr uint8_t kIndexNodePageType = 0x03;
inline constexpr uint8_t kIndexLeafPageType = 0x04;

// Common to both layouts.
inline constexpr size_t kPageOwnerOffset = 4;  // data/index page: its table's definition page
inline constexpr size_t kDefinitionNextPageOffset = 4;  // definition page: next page of the chain
inline constexpr size_t kDefinitionContinuationStart = 8;  // data of a chained definition page
inline constexpr size_t kIndexColumnSlots = 10;            // columns an index may name
inline constexpr size_t kIndexColumnSlotSize = 3;          // column number (2) + order flags (1)
inline constexpr uint16_t kUnusedColumnSlot = 0xFFFF;
inline constexpr size_t kIndexUsageMapSize = 4;
inline constexpr size_t kIndexRootPageSize = 4;
inline constexpr uint8_t kAscendingColumnFlag = 0x01;
inline constexpr uint8_t kUniqueIndexFlag = 0x01;
inline constexpr uint8_t kPrimaryKeyIndexType = 0x01;
inline constexpr uint8_t kForeignKeyIndexType = 0x02;

// Index entries: a key, a data row pointer, and on node pages a child page.
inline constexpr size_t kRowPointerSize = 4;  // 3-byte page + 1-byte row
inline constexpr size_t kChildPointerSize = 4;
inline constexpr uint8_t kAscendingStartFlag = 0x7F;
inline constexpr uint8_t kAscendingNullFlag = 0x00;
inline constexpr size_t kLongKeySize = 5;  // start flag + 4 value bytes
inline constexpr size_t kNullKeySize = 1;  // null flag alone

struct Layout {
  size_t page_size;
  // Table definition.
  size_t num_rows_offset;
  size_t num_cols_offset;
  size_t num_idxs_offset;
  size_t num_real_idxs_offset;
  size_t columns_start;          // first block after the header
  size_t real_index_count_size;  // per physical index, before the columns
  size_t column_entry_size;
  size_t name_length_size;        // 1 (Jet 3) or 2 (Jet 4) bytes
  size_t real_index_skip_before;  // unknown bytes before the column slots
  size_t real_index_skip_before_flags;
  size_t real_index_skip_after_flags;
  size_t real_index_size;
  size_t logical_index_data_number_offset;
  size_t logical_index_type_offset;
  size_t logical_index_size;
  // Index pages.
  size_t index_prev_page_offset;
  size_t index_next_page_offset;
  size_t index_tail_page_offset;
  size_t index_prefix_length_offset;
  size_t index_prefix_length_size;  // Jet 3 keeps a flag byte after a 1-byte length
  size_t index_entry_mask_offset;
  size_t index_entry_mask_size;

  size_t IndexEntriesStart() const { return index_entry_mask_offset + index_entry_mask_size; }
};

inline constexpr Layout kJet3{
    .page_size = 2048,
    .num_rows_offset = 12,
    .num_cols_offset = 25,
    .num_idxs_offset = 27,
    .num_real_idxs_offset = 31,
    .columns_start = 43,
    .real_index_count_size = 8,
    .column_entry_size = 18,
    .name_length_size = 1,
    .real_index_skip_before = 0,
    .real_index_skip_before_flags = 0,
    .real_index_skip_after_flags = 0,
    .real_index_size = 39,
    .logical_index_data_number_offset = 4,
    .logical_index_type_offset = 19,
    .logical_index_size = 20,
    .index_prev_page_offset = 8,
    .index_next_page_offset = 12,
    .index_tail_page_offset = 16,
    .index_prefix_length_offset = 20,
    .index_prefix_length_size = 1,
    .index_entry_mask_offset = 22,
    .index_entry_mask_size = 226,
};

inline constexpr Layout kJet4{
    .page_size = 4096,
    .num_rows_offset = 16,
    .num_cols_offset = 45,
    .num_idxs_offset = 47,
    .num_real_idxs_offset = 51,
    .columns_start = 63,
    .real_index_count_size = 12,
    .column_entry_size = 25,
    .name_length_size = 2,
    .real_index_skip_before = 4,
    .real_index_skip_before_flags = 4,
    .real_index_skip_after_flags = 5,
    .real_index_size = 52,
    .logical_index_data_number_offset = 8,
    .logical_index_type_offset = 23,
    .logical_index_size = 28,
    .index_prev_page_offset = 12,
    .index_next_page_offset = 16,
    .index_tail_page_offset = 20,
    .index_prefix_length_offset = 24,
    .index_prefix_length_size = 2,
    .index_entry_mask_offset = 27,
    .index_entry_mask_size = 453,
};

inline uint16_t Le16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline uint32_t Be24(const uint8_t* p) {
  return (static_cast<uint32_t>(p[0]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[2];
}
inline uint32_t Be32(const uint8_t* p) {
  return (static_cast<uint32_t>(p[0]) << 24) | Be24(p + 1);
}

}  // namespace vorelka::jet::index_layout
