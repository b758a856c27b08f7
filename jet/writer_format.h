// What the writer needs to know about the two Jet file formats it writes:
// page sizes, where fields sit in each kind of page, and the format's limits.
// Multi-byte header fields are little-endian; index entry bytes big-endian.
#pragma once

#include <cstddef>
#include <cstdint>

#include "jet/jet_format.h"
#include "jet/words_table_builder.h"

namespace vorelka::jet::writer {

// Page types: the first byte of every page (the second is always 0x01).
using jet_format::kDataPageType;
using jet_format::kHeaderPageType;
using jet_format::kIndexLeafPageType;
using jet_format::kIndexNodePageType;
using jet_format::kPageTypeSecondByte;
using jet_format::kTableDefinitionPageType;
using jet_format::kUsageMapPageType;

// Fixed page numbers of the file (see words_table_builder.cpp).
inline constexpr uint32_t kHeaderPage = 0;
inline constexpr uint32_t kGlobalUsageMapPage = 1;
inline constexpr uint32_t kCatalogDefinitionPage = 2;  // MSysObjects: engines look here
inline constexpr uint32_t kUsageMapRowsPage = 3;
inline constexpr uint32_t kCatalogDataPage = 4;
inline constexpr uint32_t kTableDefinitionPage = 5;
inline constexpr uint32_t kRelationshipsDefinitionPage = 6;
inline constexpr uint32_t kFirstTableDataPage = 7;

// Data pages hold at most this many rows: a row pointer has one row byte.
inline constexpr uint32_t kMaxRowsPerDataPage = 255;
// Row pointers in indexes and catalogs: page number << 8 | row number.
inline constexpr uint32_t kRowNumberBits = 8;
inline constexpr uint32_t kMaxPageNumberInRowPointer = 0xFFFFFF;

// Limits common to both formats.
inline constexpr size_t kMaxTextChars = 255;  // Text(255)
inline constexpr size_t kMaxNameChars = 64;   // table, column and index names
inline constexpr size_t kMaxColumns = 255;

// A constant Access writes into table and column definitions of Jet 4 files
// ("table magic") and at the head of each physical index definition.
inline constexpr uint32_t kJet4TableMagic = 0x0659;
inline constexpr uint32_t kJet4IndexMagic = 0x0783;

struct Format {
  JetFormat id;
  uint32_t page_size;
  uint8_t version;              // header byte kVersionOffset
  uint32_t header_masked_size;  // bytes RC4-masked from kHeaderMaskStart
  uint64_t max_file_size;

  // Data pages: type(1) 0x01(1) free space(2) owner definition page(4)
  // [Jet 4: 4 unknown bytes] row count(2) row offsets(2 each).
  size_t data_row_count_offset;
  size_t data_header_size;  // up to the first row offset
  size_t max_row_size;      // the engine's own limit on a stored row

  // Rows: column count, and offsets in the variable-column table.
  size_t row_count_size;       // 1 or 2 bytes
  size_t row_var_offset_size;  // 1 (with a jump table) or 2 bytes

  // Table definitions.
  size_t tdef_header_size;       // up to the first per-index row count
  size_t tdef_index_count_size;  // per physical index, before the columns
  size_t tdef_column_size;
  size_t name_length_size;  // 1 or 2 bytes before each name
  size_t tdef_real_index_size;
  size_t tdef_logical_index_size;
  uint16_t text_unit;  // bytes per character of Text columns: 1 or 2

  // Index pages: type(1) 0x01(1) free space(2) owner(4) [Jet 4: 4 unknown]
  // prev(4) next(4) tail(4) prefix length(1 or 2) [node flag(1)] entry mask.
  size_t index_prev_offset;
  size_t index_next_offset;
  size_t index_tail_offset;
  size_t index_prefix_offset;
  size_t index_prefix_size;
  size_t index_node_flag_offset;
  size_t index_mask_offset;
  size_t index_mask_size;

  // Inline usage maps: type(1) start page(4) bitmap.
  size_t inline_map_bitmap_size;

  size_t IndexEntriesStart() const { return index_mask_offset + index_mask_size; }
  // What one index page can hold: the smaller of the space after the mask
  // and what the mask's bits can mark.
  size_t IndexPageCapacity() const {
    size_t space = page_size - IndexEntriesStart();
    size_t marks = index_mask_size * 8;
    return space < marks ? space : marks;
  }
  size_t MapRowSize() const { return 5 + inline_map_bitmap_size; }
  uint64_t MaxPages() const { return max_file_size / page_size; }
};

inline constexpr uint64_t kGiB = 1024ull * 1024 * 1024;

inline constexpr Format kJet3Format{
    .id = JetFormat::kJet3,
    .page_size = jet_format::kJet3.page_size,
    .version = 0x00,
    .header_masked_size = 126,
    .max_file_size = 1 * kGiB,
    .data_row_count_offset = 8,
    .data_header_size = 10,
    .max_row_size = 2012,
    .row_count_size = 1,
    .row_var_offset_size = 1,
    .tdef_header_size = jet_format::kJet3.tdef_header_size,
    .tdef_index_count_size = jet_format::kJet3.tdef_index_count_size,
    .tdef_column_size = jet_format::kJet3.tdef_column_size,
    .name_length_size = jet_format::kJet3.name_length_size,
    .tdef_real_index_size = jet_format::kJet3.tdef_real_index_size,
    .tdef_logical_index_size = jet_format::kJet3.tdef_logical_index_size,
    .text_unit = 1,
    .index_prev_offset = jet_format::kJet3.index_prev_offset,
    .index_next_offset = jet_format::kJet3.index_next_offset,
    .index_tail_offset = jet_format::kJet3.index_tail_offset,
    .index_prefix_offset = jet_format::kJet3.index_prefix_offset,
    .index_prefix_size = jet_format::kJet3.index_prefix_size,
    .index_node_flag_offset = jet_format::kJet3.index_node_flag_offset,
    .index_mask_offset = jet_format::kJet3.index_mask_offset,
    .index_mask_size = jet_format::kJet3.index_mask_size,
    .inline_map_bitmap_size = 128,
};

inline constexpr Format kJet4Format{
    .id = JetFormat::kJet4,
    .page_size = jet_format::kJet4.page_size,
    .version = 0x01,
    .header_masked_size = 128,
    .max_file_size = 2 * kGiB,
    .data_row_count_offset = 12,
    .data_header_size = 14,
    .max_row_size = 4060,
    .row_count_size = 2,
    .row_var_offset_size = 2,
    .tdef_header_size = jet_format::kJet4.tdef_header_size,
    .tdef_index_count_size = jet_format::kJet4.tdef_index_count_size,
    .tdef_column_size = jet_format::kJet4.tdef_column_size,
    .name_length_size = jet_format::kJet4.name_length_size,
    .tdef_real_index_size = jet_format::kJet4.tdef_real_index_size,
    .tdef_logical_index_size = jet_format::kJet4.tdef_logical_index_size,
    .text_unit = 2,
    .index_prev_offset = jet_format::kJet4.index_prev_offset,
    .index_next_offset = jet_format::kJet4.index_next_offset,
    .index_tail_offset = jet_format::kJet4.index_tail_offset,
    .index_prefix_offset = jet_format::kJet4.index_prefix_offset,
    .index_prefix_size = jet_format::kJet4.index_prefix_size,
    .index_node_flag_offset = jet_format::kJet4.index_node_flag_offset,
    .index_mask_offset = jet_format::kJet4.index_mask_offset,
    .index_mask_size = jet_format::kJet4.index_mask_size,
    .inline_map_bitmap_size = 64,
};

inline const Format& FormatOf(JetFormat id) {
  return id == JetFormat::kJet3 ? kJet3Format : kJet4Format;
}

// Byte helpers for page buffers.
inline void PutU8(uint8_t* p, uint8_t v) {
  p[0] = v;
}
inline void PutLe16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
inline void PutLe24(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
  p[2] = static_cast<uint8_t>(v >> 16);
}
inline void PutLe32(uint8_t* p, uint32_t v) {
  PutLe16(p, static_cast<uint16_t>(v));
  PutLe16(p + 2, static_cast<uint16_t>(v >> 16));
}
inline void PutBe24(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v >> 16);
  p[1] = static_cast<uint8_t>(v >> 8);
  p[2] = static_cast<uint8_t>(v);
}
inline void PutBe32(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v >> 24);
  PutBe24(p + 1, v);
}

}  // namespace vorelka::jet::writer
