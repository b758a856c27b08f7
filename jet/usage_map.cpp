#include "jet/usage_map.h"

#include <stdexcept>

namespace vorelka::jet::writer {
namespace {

constexpr uint8_t kInlineMapType = 0x00;
constexpr uint8_t kReferenceMapType = 0x01;
constexpr size_t kMapTypeSize = 1;
constexpr size_t kMapStartSize = 4;
constexpr size_t kPagePointerSize = 4;
constexpr size_t kMapPageBitmapOffset = 4;

void SetBit(uint8_t* bitmap, uint32_t bit) {
  bitmap[bit / 8] = static_cast<uint8_t>(bitmap[bit / 8] | (1u << (bit % 8)));
}

bool FitsInline(const Format& format, const std::vector<uint32_t>& pages) {
  return pages.empty() || pages.back() - pages.front() < format.inline_map_bitmap_size * 8;
}

}  // namespace

std::vector<uint8_t> InlineMapRow(const Format& format, uint32_t first_page,
                                  const std::vector<uint32_t>& pages) {
  std::vector<uint8_t> row(format.MapRowSize(), 0);
  row[0] = kInlineMapType;
  PutLe32(&row[kMapTypeSize], first_page);
  uint8_t* bitmap = &row[kMapTypeSize + kMapStartSize];
  const uint64_t bits = format.inline_map_bitmap_size * 8;
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
    const uint32_t index = page / PagesPerMapPage(format);
    if (index != last_index) ++count, last_index = index;
  }
  return count;
}

UsageMap BuildUsageMap(const Format& format, const std::vector<uint32_t>& pages,
                       uint32_t* next_page) {
  UsageMap map;
  if (FitsInline(format, pages)) {
    map.row = InlineMapRow(format, pages.empty() ? 0 : pages.front(), pages);
    return map;
  }
  map.row.assign(format.MapRowSize(), 0);
  map.row[0] = kReferenceMapType;
  const size_t slots = (format.MapRowSize() - kMapTypeSize) / kPagePointerSize;
  const uint32_t span = PagesPerMapPage(format);
  uint32_t current_index = UINT32_MAX;
  for (uint32_t page : pages) {
    const uint32_t index = page / span;
    if (index >= slots) throw std::length_error("page beyond what a usage map can cover");
    if (index != current_index) {
      std::vector<uint8_t> bytes(format.page_size, 0);
      PutU8(&bytes[0], kUsageMapPageType);
      PutU8(&bytes[1], kPageTypeSecondByte);
      PutLe32(&map.row[kMapTypeSize + index * kPagePointerSize], *next_page);
      map.map_pages.emplace_back((*next_page)++, std::move(bytes));
      current_index = index;
    }
    SetBit(&map.map_pages.back().second[kMapPageBitmapOffset], page - index * span);
  }
  return map;
}

}  // namespace vorelka::jet::writer
