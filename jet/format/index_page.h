// Index node (type 0x03) and leaf (type 0x04) pages. After the header comes
// an entry mask: bit i set means an entry ends at byte i of the entries,
// which start right after the mask. Each entry after the first on a page
// leaves out the prefix it shares with the page's first entry.
//
//   Field                            Jet 3        Jet 4
//   ------------------------------   ----------   ----------
//   page type, 0x01, free space      0  (4)       0  (4)
//   owning table definition          4  (4)       4  (4)
//   [Jet 4: unknown (4)]
//   previous page at this level      8  (4)       12 (4)
//   next page at this level          12 (4)       16 (4)
//   tail page (node pages)           16 (4)       20 (4)
//   shared prefix length             20 (1)       24 (2)
//   node flag (Jet 3: with the length)  21 (1)    26 (1)
//   entry mask                       22 (226)     27 (453)
//
// An entry is its key, a data row pointer (page(3) row(1), big-endian) and,
// on node pages, the child page (4, big-endian). The key of an ascending
// Long is 0x7F and the value with its sign bit flipped, big-endian; a Null
// key is the single byte 0x00.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "jet/format/bytes.h"

namespace vorelka::jet::format {

struct IndexPageLayout {
  size_t prev_offset;
  size_t next_offset;
  size_t tail_offset;
  size_t prefix_offset;
  size_t prefix_size;
  size_t node_flag_offset;
  size_t mask_offset;
  size_t mask_size;

  size_t EntriesStart() const { return mask_offset + mask_size; }
};

inline constexpr IndexPageLayout kJet3IndexPage{
    .prev_offset = 8,
    .next_offset = 12,
    .tail_offset = 16,
    .prefix_offset = 20,
    .prefix_size = 1,
    .node_flag_offset = 21,
    .mask_offset = 22,
    .mask_size = 226,
};

inline constexpr IndexPageLayout kJet4IndexPage{
    .prev_offset = 12,
    .next_offset = 16,
    .tail_offset = 20,
    .prefix_offset = 24,
    .prefix_size = 2,
    .node_flag_offset = 26,
    .mask_offset = 27,
    .mask_size = 453,
};

namespace index {

inline constexpr size_t kRowPointerSize = 4;  // 3-byte page + 1-byte row
inline constexpr size_t kChildPointerSize = 4;
inline constexpr uint8_t kAscendingStartFlag = 0x7F;  // first byte of a non-Null ascending key
inline constexpr uint8_t kAscendingNullFlag = 0x00;   // the whole key of a Null
inline constexpr size_t kLongKeySize = 5;             // start flag + 4 value bytes
inline constexpr size_t kNullKeySize = 1;             // null flag alone
inline constexpr uint32_t kLongKeySignFlip = 0x80000000u;
inline constexpr size_t kLeafEntrySize = kLongKeySize + kRowPointerSize;
inline constexpr size_t kNodeEntrySize = kLeafEntrySize + kChildPointerSize;
inline constexpr uint8_t kNodePageFlag = 0x01;

using LongKey = std::array<uint8_t, kLongKeySize>;
// The key of a Long in an ascending index: the start flag, then the value
// big-endian with its sign bit flipped, so that the bytes sort like the
// numbers.
inline LongKey EncodeLongKey(int32_t value) {
  LongKey key;
  key[0] = kAscendingStartFlag;
  PutBe32(&key[1], static_cast<uint32_t>(value) ^ kLongKeySignFlip);
  return key;
}

}  // namespace index
}  // namespace vorelka::jet::format
