#include "jet/check/usage_map.h"

#include <optional>
#include <span>
#include <string>

#include "jet/check/data_page.h"

namespace vorelka::jet::guard {

namespace {

void CheckUsageMapShape(PageSource& source, const std::vector<uint8_t>& map, uint32_t definition) {
  const std::string table =
      "the usage map of the table defined on page " + std::to_string(definition);
  if (map.empty()) source.Fail(table + " is empty");
  if (map[0] != map::kInlineMap && map[0] != map::kReferenceMap) {
    source.Fail(table + " is of unknown kind " + std::to_string(map[0]));
  }
  if (map.size() < map::kInlineBitsOffset) source.Fail(table + " is too short");
}

// The page of the highest set bit of `bits`, a map whose first bit stands
// for `first_page`; nothing when no bit is set.
std::optional<uint64_t> HighestMappedPage(std::span<const uint8_t> bits, uint64_t first_page) {
  for (size_t byte = bits.size(); byte-- > 0;) {
    if (bits[byte] != 0) {
      const auto bit = static_cast<uint64_t>(31 - __builtin_clz(bits[byte]));
      return first_page + byte * 8 + bit;
    }
  }
  return std::nullopt;
}

// Calls visit(bits, first_page) for each run of map bits: the inline map's
// one run, or one run per map page a reference map names (each checked to
// be a map page), in the order libmdb reads them.
void ForEachBitRun(PageSource& source, const TableLayout& table,
                   const std::function<void(std::span<const uint8_t>, uint64_t)>& visit) {
  const std::vector<uint8_t>& map = table.owned_map;
  if (map[0] == map::kInlineMap) {
    visit(std::span(map).subspan(map::kInlineBitsOffset), GetLe32(map, map::kInlineStartOffset));
    return;
  }
  const uint64_t pages_per_map_page = source.layout().PagesPerMapPage();
  const size_t references = (map.size() - map::kReferencePagesOffset) / map::kPagePointerSize;
  for (size_t i = 0; i < references; ++i) {
    const uint32_t map_page = GetLe32(map, map::kReferencePagesOffset + i * map::kPagePointerSize);
    if (map_page == 0) continue;
    const PageBytes bits = source.Page(map_page, "a usage map");
    if ((*bits)[0] != kUsageMapPageType) {
      source.Fail("page " + std::to_string(map_page) + " is named as a usage map but is not one");
    }
    visit(std::span(*bits).subspan(map::kMapPageBitsOffset), i * pages_per_map_page);
  }
}

void FailBeyondFile(PageSource& source, const TableLayout& table, uint64_t page) {
  source.Fail("the usage map of the table defined on page " +
              std::to_string(table.definition_page) + " names page " + std::to_string(page) +
              ", beyond the file");
}

}  // namespace

void CheckUsageMaps(PageSource& source, TableLayout& table) {
  // Both must be found; the map of owned pages is walked.
  const LocatedRow owned = LocateRow(source, table.owned_map_pointer, "a usage map pointer");
  table.owned_map.assign(owned.bytes().begin(), owned.bytes().end());
  CheckUsageMapShape(source, table.owned_map, table.definition_page);
  LocateRow(source, table.free_map_pointer, "a free-space map pointer");
  CheckMappedPagesInFile(source, table);
}

void CheckMappedPagesInFile(PageSource& source, const TableLayout& table) {
  // Every mapped page lies in the file when the highest one of each run
  // does: no page needs visiting, however large the table.
  ForEachBitRun(source, table, [&](std::span<const uint8_t> bits, uint64_t first_page) {
    const std::optional<uint64_t> highest = HighestMappedPage(bits, first_page);
    if (highest && *highest >= source.page_count()) FailBeyondFile(source, table, *highest);
  });
}

void ForEachMappedPage(PageSource& source, const TableLayout& table,
                       const std::function<void(uint32_t)>& visit) {
  const uint64_t page_count = source.page_count();
  ForEachBitRun(source, table, [&](std::span<const uint8_t> bits, uint64_t first_page) {
    for (size_t byte = 0; byte < bits.size(); ++byte) {
      if (bits[byte] == 0) continue;
      for (uint32_t bit = 0; bit < 8; ++bit) {
        if ((bits[byte] & (1u << bit)) == 0) continue;
        const uint64_t page = first_page + byte * 8 + bit;
        if (page >= page_count) FailBeyondFile(source, table, page);
        visit(static_cast<uint32_t>(page));
      }
    }
  });
}

}  // namespace vorelka::jet::guard
