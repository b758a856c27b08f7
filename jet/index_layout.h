// Where things sit in the table-definition and index pages of a Jet file,
// for the two layouts the reader knows: Jet 3 (2 KB pages) and Jet 4 (4 KB
// pages, also used by later Access versions). Header fields are
// little-endian; index entries are big-endian so that their bytes sort.
#pragma once

#include <cstddef>
#include <cstdint>

#include "jet/jet_format.h"

namespace vorelka::jet::index_layout {

// Page types (first byte of every page).
using jet_format::kDataPageType;
using jet_format::kIndexLeafPageType;
using jet_format::kIndexNodePageType;
using jet_format::kTableDefinitionPageType;

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
using jet_format::kAscendingNullFlag;
using jet_format::kAscendingStartFlag;
using jet_format::kChildPointerSize;
using jet_format::kLongKeySize;
using jet_format::kRowPointerSize;
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
    .page_size = jet_format::kJet3.page_size,
    .num_rows_offset = 12,
    .num_cols_offset = 25,
    .num_idxs_offset = 27,
    .num_real_idxs_offset = 31,
    .columns_start = jet_format::kJet3.tdef_header_size,
    .real_index_count_size = jet_format::kJet3.tdef_index_count_size,
    .column_entry_size = jet_format::kJet3.tdef_column_size,
    .name_length_size = jet_format::kJet3.name_length_size,
    .real_index_skip_before = 0,
    .real_index_skip_before_flags = 0,
    .real_index_skip_after_flags = 0,
    .real_index_size = jet_format::kJet3.tdef_real_index_size,
    .logical_index_data_number_offset = 4,
    .logical_index_type_offset = 19,
    .logical_index_size = jet_format::kJet3.tdef_logical_index_size,
    .index_prev_page_offset = jet_format::kJet3.index_prev_offset,
    .index_next_page_offset = jet_format::kJet3.index_next_offset,
    .index_tail_page_offset = jet_format::kJet3.index_tail_offset,
    .index_prefix_length_offset = jet_format::kJet3.index_prefix_offset,
    .index_prefix_length_size = jet_format::kJet3.index_prefix_size,
    .index_entry_mask_offset = jet_format::kJet3.index_mask_offset,
    .index_entry_mask_size = jet_format::kJet3.index_mask_size,
};

inline constexpr Layout kJet4{
    .page_size = jet_format::kJet4.page_size,
    .num_rows_offset = 16,
    .num_cols_offset = 45,
    .num_idxs_offset = 47,
    .num_real_idxs_offset = 51,
    .columns_start = jet_format::kJet4.tdef_header_size,
    .real_index_count_size = jet_format::kJet4.tdef_index_count_size,
    .column_entry_size = jet_format::kJet4.tdef_column_size,
    .name_length_size = jet_format::kJet4.name_length_size,
    .real_index_skip_before = 4,
    .real_index_skip_before_flags = 4,
    .real_index_skip_after_flags = 5,
    .real_index_size = jet_format::kJet4.tdef_real_index_size,
    .logical_index_data_number_offset = 8,
    .logical_index_type_offset = 23,
    .logical_index_size = jet_format::kJet4.tdef_logical_index_size,
    .index_prev_page_offset = jet_format::kJet4.index_prev_offset,
    .index_next_page_offset = jet_format::kJet4.index_next_offset,
    .index_tail_page_offset = jet_format::kJet4.index_tail_offset,
    .index_prefix_length_offset = jet_format::kJet4.index_prefix_offset,
    .index_prefix_length_size = jet_format::kJet4.index_prefix_size,
    .index_entry_mask_offset = jet_format::kJet4.index_mask_offset,
    .index_entry_mask_size = jet_format::kJet4.index_mask_size,
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
