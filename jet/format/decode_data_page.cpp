#include "jet/format/decode_data_page.h"

#include <string>

#include "jet/format/bytes.h"
#include "jet/format/page.h"

namespace vorelka::jet::format {
namespace {

uint32_t RowTableEntry(const Format& layout, std::span<const uint8_t> page, uint32_t row) {
  return GetLe16(page, layout.data.header_size + row * data::kRowTableEntrySize);
}

}  // namespace

bool IsDataPageOf(std::span<const uint8_t> page, uint32_t definition_page) {
  return page[kPageTypeOffset] == kDataPageType &&
         GetLe32(page, kPageOwnerOffset) == definition_page;
}

uint32_t RowCountOf(PageFile& file, std::span<const uint8_t> page, uint32_t page_number) {
  const Format& layout = file.layout();
  const uint32_t rows = GetLe16(page, layout.data.row_count_offset);
  if (layout.data.header_size + uint64_t{rows} * data::kRowTableEntrySize > layout.page_size) {
    file.Fail("page " + std::to_string(page_number) + " claims more rows than it holds");
  }
  return rows;
}

bool SlotOfRow(const Format& layout, std::span<const uint8_t> page, uint32_t row, RowSlot& slot) {
  const uint32_t entry = RowTableEntry(layout, page, row);
  const uint32_t start = entry & data::kRowOffsetMask;
  const uint32_t end =
      row == 0 ? layout.page_size : RowTableEntry(layout, page, row - 1) & data::kRowOffsetMask;
  const uint64_t table_end = layout.data.header_size + uint64_t{row + 1} * data::kRowTableEntrySize;
  if (start < table_end || start > end || end > layout.page_size) return false;
  slot = RowSlot{entry & ~data::kRowOffsetMask, start, end - start};
  return true;
}

LocatedRow LocateRow(PageFile& file, uint32_t pointer, const char* what) {
  LocatedRow located;
  located.page_number = data::PageOfRowPointer(pointer);
  located.row = data::RowOfRowPointer(pointer);
  located.page = file.Page(located.page_number, what);
  const std::vector<uint8_t>& page = *located.page;
  if (page[kPageTypeOffset] != kDataPageType) {
    file.Fail(std::string(what) + " names page " + std::to_string(located.page_number) +
              ", which is not a data page");
  }
  if (located.row >= RowCountOf(file, page, located.page_number) ||
      !SlotOfRow(file.layout(), page, located.row, located.slot)) {
    file.Fail(std::string(what) + " names row " + std::to_string(located.row) + " of page " +
              std::to_string(located.page_number) + ", which that page does not hold");
  }
  return located;
}

}  // namespace vorelka::jet::format
