// The on-disk facts of the two Jet formats, shared by the reader's index seek
// (index_layout.h) and the writer (writer_format.h): page sizes, page types,
// table-definition block sizes, where the fields of an index page sit, and how
// index keys and pointers are written. Jet 3 has 2 KB pages; Jet 4 4 KB pages,
// also used by later Access versions. Header fields are little-endian; index
// entries are big-endian so that their bytes sort.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vorelka::jet::jet_format {

// Page types: the first byte of every page (the second is always 0x01).
inline constexpr uint8_t kHeaderPageType = 0x00;
inline constexpr uint8_t kDataPageType = 0x01;
inline constexpr uint8_t kTableDefinitionPageType = 0x02;
inline constexpr uint8_t kIndexNodePageType = 0x03;
inline constexpr uint8_t kIndexLeafPageType = 0x04;
inline constexpr uint8_t kUsageMapPageType = 0x05;
inline constexpr uint8_t kPageTypeSecondByte = 0x01;

// Index entries: a key, a data row pointer, and on node pages a child page.
inline constexpr size_t kRowPointerSize = 4;  // 3-byte page + 1-byte row
inline constexpr size_t kChildPointerSize = 4;
inline constexpr uint8_t kAscendingStartFlag = 0x7F;  // first byte of a non-Null ascending key
inline constexpr uint8_t kAscendingNullFlag = 0x00;   // the whole key of a Null
inline constexpr size_t kLongKeySize = 5;             // start flag + 4 value bytes

// What differs between the two formats.
struct Geometry {
  uint32_t page_size;
  // Table definitions.
  size_t tdef_header_size;       // up to the first per-index row count
  size_t tdef_index_count_size;  // per physical index, before the columns
  size_t tdef_column_size;
  size_t name_length_size;  // 1 or 2 bytes before each name
  size_t tdef_real_index_size;
  size_t tdef_logical_index_size;
  // Index pages: type(1) 0x01(1) free space(2) owner(4) [Jet 4: 4 unknown]
  // prev(4) next(4) tail(4) prefix length(1 or 2) node flag(1) entry mask.
  size_t index_prev_offset;
  size_t index_next_offset;
  size_t index_tail_offset;
  size_t index_prefix_offset;
  size_t index_prefix_size;
  size_t index_node_flag_offset;
  size_t index_mask_offset;
  size_t index_mask_size;
};

inline constexpr Geometry kJet3{
    .page_size = 2048,
    .tdef_header_size = 43,
    .tdef_index_count_size = 8,
    .tdef_column_size = 18,
    .name_length_size = 1,
    .tdef_real_index_size = 39,
    .tdef_logical_index_size = 20,
    .index_prev_offset = 8,
    .index_next_offset = 12,
    .index_tail_offset = 16,
    .index_prefix_offset = 20,
    .index_prefix_size = 1,
    .index_node_flag_offset = 21,
    .index_mask_offset = 22,
    .index_mask_size = 226,
};

inline constexpr Geometry kJet4{
    .page_size = 4096,
    .tdef_header_size = 63,
    .tdef_index_count_size = 12,
    .tdef_column_size = 25,
    .name_length_size = 2,
    .tdef_real_index_size = 52,
    .tdef_logical_index_size = 28,
    .index_prev_offset = 12,
    .index_next_offset = 16,
    .index_tail_offset = 20,
    .index_prefix_offset = 24,
    .index_prefix_size = 2,
    .index_node_flag_offset = 26,
    .index_mask_offset = 27,
    .index_mask_size = 453,
};

}  // namespace vorelka::jet::jet_format
