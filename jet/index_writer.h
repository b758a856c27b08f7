// Builds the pages of a primary-key index on a Long column, bottom up, in the
// layout Access writes (see the file layout in words_table_builder.cpp).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "jet/writer_format.h"

namespace vorelka::jet::writer {

using jet_format::kChildPointerSize;
using jet_format::kLongKeySize;
using jet_format::kRowPointerSize;
inline constexpr size_t kLeafEntrySize = kLongKeySize + kRowPointerSize;
inline constexpr size_t kNodeEntrySize = kLeafEntrySize + kChildPointerSize;
using jet_format::kAscendingStartFlag;
inline constexpr uint8_t kNodePageFlag = 0x01;

// The index key of a Long: 0x7F, then the value big-endian with its sign bit
// flipped, so that the bytes sort as the numbers do.
std::array<uint8_t, kLongKeySize> LongIndexKey(int32_t value);

struct IndexEntry {
  int32_t key;
  uint32_t row_pointer;  // data page << 8 | row
};

struct IndexBuild {
  uint32_t root_page = 0;
  std::vector<uint32_t> pages;  // every page of the index, ascending
};

using PageSink = std::function<void(uint32_t page_number, const uint8_t* bytes)>;

// Writes the index over `entries` (sorted by key, keys distinct) into pages
// numbered from first_page on, handing each finished page to `sink`.
IndexBuild BuildIndex(const Format& format, uint32_t owner_page,
                      const std::vector<IndexEntry>& entries, uint32_t first_page,
                      const PageSink& sink);

// Pages BuildIndex will use for `count` entries whose keys run densely; an
// upper bound otherwise, used for early size checks.
uint64_t EstimateIndexPages(const Format& format, uint64_t count);

}  // namespace vorelka::jet::writer
