// Reading a usage map (usage_map.h): the pages a table owns.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "jet/format/page_file.h"

namespace vorelka::jet::format {

class UsageMap {
 public:
  // The map in the row `pointer` names, of the table defined on `owner`.
  // Raises where the map is of no known kind, too short, or names a page
  // beyond the file or a map page that is none.
  static UsageMap Decode(PageFile& file, uint32_t pointer, uint32_t owner);

  // Calls visit(page) for each page the map names, in ascending order.
  void ForEachPage(PageFile& file, const std::function<void(uint32_t)>& visit) const;
  // Whether the map names `page`.
  bool Contains(PageFile& file, uint32_t page) const;

 private:
  // Calls visit(bits, first_page) for each run of bits: the inline map's
  // one run, or one per map page of a reference map.
  void ForEachRun(PageFile& file,
                  const std::function<void(std::span<const uint8_t>, uint64_t)>& visit) const;
  std::span<const uint8_t> MapPageBits(PageFile& file, uint32_t map_page, PageBytes& keep) const;

  uint32_t owner_ = 0;
  std::vector<uint8_t> bytes_;
};

}  // namespace vorelka::jet::format
