// Usage maps: which pages belong to a table or an index. A map is a row of
// fixed size (5 + 128 bytes in Jet 3, 5 + 64 in Jet 4) on a data page:
//
//   inline    (type 0): 0x00, first page(4), bitmap: bit i = page first+i
//   reference (type 1): 0x01, page numbers(4 each) of usage-map pages; map
//                       page k covers pages k*B .. (k+1)*B-1, B = (page size-4)*8
//   usage-map page: 0x05, 0x01, 0x00, 0x00, bitmap of its B pages
//
// Bits run from the low-order bit of each byte. The writer uses an inline map
// while the pages span fewer pages than its bitmap has bits.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "jet/writer_format.h"

namespace vorelka::jet::writer {

struct UsageMap {
  std::vector<uint8_t> row;  // format.MapRowSize() bytes
  // Usage-map pages to write (reference maps only): page number and bytes.
  std::vector<std::pair<uint32_t, std::vector<uint8_t>>> map_pages;
};

// Builds the map of `pages` (ascending). Usage-map pages, if any, take page
// numbers from *next_page on.
UsageMap BuildUsageMap(const Format& format, const std::vector<uint32_t>& pages,
                       uint32_t* next_page);

// An inline map starting at `first_page` with the bits of `pages` set;
// pages outside its range are left out.
std::vector<uint8_t> InlineMapRow(const Format& format, uint32_t first_page,
                                  const std::vector<uint32_t>& pages);

// Pages one map page of a reference map covers.
inline uint32_t PagesPerMapPage(const Format& format) {
  return (format.page_size - 4) * 8;
}

// How many usage-map pages a reference map over `pages` needs.
size_t MapPagesNeeded(const Format& format, const std::vector<uint32_t>& pages);

}  // namespace vorelka::jet::writer
