#include "jet/format/decode_usage_map.h"

#include <string>

#include "jet/format/bytes.h"
#include "jet/format/decode_data_page.h"
#include "jet/format/page.h"

namespace vorelka::jet::format {
namespace {

bool IsInline(const std::vector<uint8_t>& map) {
  return map[0] == map::kInlineMap;
}

size_t ReferenceCount(const std::vector<uint8_t>& map) {
  return (map.size() - map::kReferencePagesOffset) / map::kPagePointerSize;
}

uint32_t Reference(const std::vector<uint8_t>& map, size_t i) {
  return GetLe32(map, map::kReferencePagesOffset + i * map::kPagePointerSize);
}

}  // namespace

UsageMap UsageMap::Decode(PageFile& file, uint32_t pointer, uint32_t owner) {
  const LocatedRow row = LocateRow(file, pointer, "a usage map pointer");
  UsageMap map;
  map.owner_ = owner;
  map.bytes_.assign(row.bytes().begin(), row.bytes().end());
  const std::string name = "the usage map of the table defined on page " + std::to_string(owner);
  if (map.bytes_.empty()) file.Fail(name + " is empty");
  if (map.bytes_[0] != map::kInlineMap && map.bytes_[0] != map::kReferenceMap) {
    file.Fail(name + " is of unknown kind " + std::to_string(map.bytes_[0]));
  }
  if (map.bytes_.size() < map::kInlineBitsOffset) file.Fail(name + " is too short");
  // Every page it names lies in the file when the highest of each run does.
  map.ForEachRun(file, [&](std::span<const uint8_t> bits, uint64_t first_page) {
    for (size_t byte = bits.size(); byte-- > 0;) {
      if (bits[byte] == 0) continue;
      const uint64_t highest = first_page + byte * 8 + (31 - __builtin_clz(bits[byte]));
      if (highest >= file.page_count()) {
        file.Fail(name + " names page " + std::to_string(highest) + ", beyond the file");
      }
      return;
    }
  });
  return map;
}

std::span<const uint8_t> UsageMap::MapPageBits(PageFile& file, uint32_t map_page,
                                               PageBytes& keep) const {
  keep = file.Page(map_page, "a usage map");
  if ((*keep)[kPageTypeOffset] != kUsageMapPageType) {
    file.Fail("page " + std::to_string(map_page) + " is named as a usage map but is not one");
  }
  return std::span(*keep).subspan(map::kMapPageBitsOffset);
}

void UsageMap::ForEachRun(
    PageFile& file, const std::function<void(std::span<const uint8_t>, uint64_t)>& visit) const {
  if (IsInline(bytes_)) {
    visit(std::span(bytes_).subspan(map::kInlineBitsOffset),
          GetLe32(bytes_, map::kInlineStartOffset));
    return;
  }
  const uint64_t per_map_page = file.layout().PagesPerMapPage();
  for (size_t i = 0; i < ReferenceCount(bytes_); ++i) {
    const uint32_t map_page = Reference(bytes_, i);
    if (map_page == 0) continue;
    PageBytes keep;
    visit(MapPageBits(file, map_page, keep), i * per_map_page);
  }
}

void UsageMap::ForEachPage(PageFile& file, const std::function<void(uint32_t)>& visit) const {
  ForEachRun(file, [&](std::span<const uint8_t> bits, uint64_t first_page) {
    for (size_t byte = 0; byte < bits.size(); ++byte) {
      for (unsigned set = bits[byte]; set != 0; set &= set - 1) {
        visit(static_cast<uint32_t>(first_page + byte * 8 + __builtin_ctz(set)));
      }
    }
  });
}

bool UsageMap::Contains(PageFile& file, uint32_t page) const {
  const auto bit = [](std::span<const uint8_t> bits, uint64_t at) {
    return at / 8 < bits.size() && (bits[at / 8] & (1u << (at % 8))) != 0;
  };
  if (IsInline(bytes_)) {
    const uint32_t first = GetLe32(bytes_, map::kInlineStartOffset);
    return page >= first && bit(std::span(bytes_).subspan(map::kInlineBitsOffset), page - first);
  }
  const uint64_t per_map_page = file.layout().PagesPerMapPage();
  const size_t i = page / per_map_page;
  if (i >= ReferenceCount(bytes_) || Reference(bytes_, i) == 0) return false;
  PageBytes keep;
  return bit(MapPageBits(file, Reference(bytes_, i), keep), page % per_map_page);
}

}  // namespace vorelka::jet::format
