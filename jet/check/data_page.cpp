#include "jet/check/data_page.h"

#include <string>
#include <vector>

namespace vorelka::jet::guard {
namespace {

// The highest row number libmdb looks for on a page.
constexpr uint32_t kHighestRowLibmdbFinds = 1000;

uint32_t RowTableEntry(std::span<const uint8_t> page, const format::Format& layout, uint32_t row) {
  return GetLe16(page, layout.data.row_count_offset + data::kRowCountSize +
                           row * data::kRowTableEntrySize);
}

}  // namespace

bool IsDataPageOf(std::span<const uint8_t> page, uint32_t definition_page) {
  return page[kPageTypeOffset] == kDataPageType &&
         GetLe32(page, kPageOwnerOffset) == definition_page;
}

uint32_t CheckRowCount(PageSource& source, std::span<const uint8_t> page, uint32_t page_number) {
  const format::Format& layout = source.layout();
  const uint32_t slots = GetLe16(page, layout.data.row_count_offset);
  if (layout.data.row_count_offset + data::kRowCountSize +
          uint64_t{slots} * data::kRowTableEntrySize >
      layout.page_size) {
    source.Fail("page " + std::to_string(page_number) + " claims more rows than it holds");
  }
  return slots;
}

uint32_t RowFlags(const format::Format& layout, std::span<const uint8_t> page, uint32_t row) {
  return RowTableEntry(page, layout, row) & ~data::kRowOffsetMask;
}

bool SlotOfRow(const format::Format& layout, std::span<const uint8_t> page, uint32_t row,
               SlotExtent& extent) {
  if (row > kHighestRowLibmdbFinds) return false;
  const uint32_t entry = RowTableEntry(page, layout, row);
  const uint32_t start = entry & data::kRowOffsetMask;
  const uint32_t next =
      row == 0 ? layout.page_size : RowTableEntry(page, layout, row - 1) & data::kRowOffsetMask;
  if (start >= layout.page_size || start > next || next > layout.page_size) return false;
  extent = SlotExtent{entry & ~data::kRowOffsetMask, start, next - start};
  return true;
}

LocatedRow LocateRow(PageSource& source, uint32_t pointer, const char* what) {
  // libmdb shifts the pointer as a signed number.
  const auto page_number =
      static_cast<uint32_t>(static_cast<int32_t>(pointer) >> data::kRowNumberBits);
  const uint32_t row = pointer & data::kRowNumberMask;
  LocatedRow located;
  located.page = source.Page(page_number, what);
  const format::Format& layout = source.layout();
  const std::vector<uint8_t>& page = *located.page;
  if (page[0] != kDataPageType) {
    source.Fail(std::string(what) + " names page " + std::to_string(page_number) +
                ", which is not a data page");
  }
  SlotExtent extent;
  if (row >= GetLe16(page, layout.data.row_count_offset) || !SlotOfRow(layout, page, row, extent)) {
    source.Fail(std::string(what) + " names row " + std::to_string(row) + " of page " +
                std::to_string(page_number) + ", which that page does not hold");
  }
  located.start = extent.start;
  located.size = extent.size;
  return located;
}

}  // namespace vorelka::jet::guard
