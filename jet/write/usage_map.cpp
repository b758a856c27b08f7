#include "jet/write/usage_map.h"

#include "jet/write/page_head.h"

namespace vorelka::jet::writer {

using namespace format;  // NOLINT(google-build-using-namespace): the format this writes
using namespace map;     // NOLINT(google-build-using-namespace)
namespace {

void SetBit(uint8_t* bitmap, uint32_t bit) {
  bitmap[bit / 8] = static_cast<uint8_t>(bitmap[bit / 8] | (1u << (bit % 8)));
}

bool FitsInline(const Format& format, const std::vector<uint32_t>& pages) {
  return pages.empty() || pages.back() - pages.front() < format.map.inline_bitmap_size * 8;
}

}  // namespace

std::vector<uint8_t> InlineMapRow(const Format& format, uint32_t first_page,
                                  const std::vector<uint32_t>& pages) {
  std::vector<uint8_t> row(format.map.RowSize(), 0);
  row[0] = kInlineMap;
  PutLe32(&row[kInlineStartOffset], first_page);
  uint8_t* bitmap = &row[kInlineBitsOffset];
  const uint64_t bits = format.map.inline_bitmap_size * 8;
  for (uint32_t page : pages) {
    if (page >= first_page && page - first_page < bits) SetBit(bitmap, page - first_page);
  }
  return row;
}

size_t MapPagesNeeded(const Format& format, const std::vector<uint32_t>& pages) {
  if (FitsInline(format, pages)) return 0;
  size_t count = 0;
  uint32_t last_index = UINT32_MAX;
  for (uint32_t page : pages) {
    const uint32_t index = page / format.PagesPerMapPage();
    if (index != last_index) ++count, last_index = index;
  }
  return count;
}

std::optional<UsageMap> BuildUsageMap(const Format& format, const std::vector<uint32_t>& pages,
                                      uint32_t* next_page) {
  UsageMap map;
  if (FitsInline(format, pages)) {
    map.row = InlineMapRow(format, pages.empty() ? 0 : pages.front(), pages);
    return map;
  }
  map.row.assign(format.map.RowSize(), 0);
  map.row[0] = kReferenceMap;
  const size_t slots = (format.map.RowSize() - kReferencePagesOffset) / kPagePointerSize;
  const uint32_t span = format.PagesPerMapPage();
  uint32_t current_index = UINT32_MAX;
  for (uint32_t page : pages) {
    const uint32_t index = page / span;
    if (index >= slots) return std::nullopt;
    if (index != current_index) {
      std::vector<uint8_t> bytes(format.page_size, 0);
      PutPageHead(bytes.data(), kUsageMapPageType, 0, 0);  // the bitmap is set below
      PutLe32(&map.row[kReferencePagesOffset + index * kPagePointerSize], *next_page);
      map.map_pages.emplace_back((*next_page)++, std::move(bytes));
      current_index = index;
    }
    SetBit(&map.map_pages.back().second[kMapPageBitsOffset], page - index * span);
  }
  return map;
}

}  // namespace vorelka::jet::writer
