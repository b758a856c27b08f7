// Builds the pages of a primary-key index on a Long column, bottom up, in the
// layout Access writes (see the file layout in words_table_builder.cpp).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "jet/format/format.h"

namespace vorelka::jet::writer {

using format::Format;

struct IndexEntry {
  int32_t key;
  uint32_t row_pointer;  // data::MakeRowPointer(page, row)
};

struct IndexBuild {
  uint32_t root_page = 0;
  std::vector<uint32_t> pages;  // every page of the index, ascending
};

// Puts a row pointer where an index entry holds it: the page in 3 bytes,
// big-endian, then the row.
void PutEntryRowPointer(uint8_t* out, uint32_t row_pointer);

using PageSink = std::function<void(uint32_t page_number, const uint8_t* bytes)>;

// Writes the index over `entries` (sorted by key, keys distinct) into pages
// numbered from first_page on, handing each finished page to `sink`.
IndexBuild BuildIndex(const Format& format, uint32_t owner_page,
                      const std::vector<IndexEntry>& entries, uint32_t first_page,
                      const PageSink& sink);

// One leaf page holding whole entries (key and row pointer each), already in
// index order, with no shared prefix: the index of a small table. Returns no
// bytes if they do not fit on one page.
std::vector<uint8_t> BuildSingleLeaf(const Format& format, uint32_t owner_page,
                                     const std::vector<std::string>& entries);

// Pages BuildIndex will use for `count` entries whose keys run densely; an
// upper bound otherwise, used for early size checks.
uint64_t EstimateIndexPages(const Format& format, uint64_t count);

}  // namespace vorelka::jet::writer
