// Usage maps of the pages of a table or an index (their layout: see
// jet/format/usage_map.h). The writer uses an inline map while the pages span
// fewer pages than its bitmap has bits, a reference map beyond.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "jet/format/format.h"

namespace vorelka::jet::writer {

using format::Format;

struct UsageMap {
  std::vector<uint8_t> row;  // format.map.RowSize() bytes
  // Usage-map pages to write (reference maps only): page number and bytes.
  std::vector<std::pair<uint32_t, std::vector<uint8_t>>> map_pages;
};

// Builds the map of `pages` (ascending). Usage-map pages, if any, take page
// numbers from *next_page on. Nothing when a page lies beyond what a map
// can name (beyond the largest file the format allows).
std::optional<UsageMap> BuildUsageMap(const Format& format, const std::vector<uint32_t>& pages,
                                      uint32_t* next_page);

// An inline map starting at `first_page` with the bits of `pages` set;
// pages outside its range are left out.
std::vector<uint8_t> InlineMapRow(const Format& format, uint32_t first_page,
                                  const std::vector<uint32_t>& pages);

// How many usage-map pages a reference map over `pages` needs.
size_t MapPagesNeeded(const Format& format, const std::vector<uint32_t>& pages);

}  // namespace vorelka::jet::writer
