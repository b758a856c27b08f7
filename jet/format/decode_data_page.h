// Reading data pages (data_page.h): the row table, the rows it places, and
// rows named by a row pointer.
#pragma once

#include <cstdint>
#include <span>

#include "jet/format/page_file.h"

namespace vorelka::jet::format {

// One entry of a page's row table: the row's flags, start and length.
struct RowSlot {
  uint32_t flags = 0;
  uint32_t start = 0;
  uint32_t size = 0;

  bool deleted() const { return (flags & data::kDeletedRowFlag) != 0; }
  bool moved() const { return (flags & data::kMovedRowFlag) != 0; }
};

// Whether `page` is a data page of the table defined on `definition_page`.
bool IsDataPageOf(std::span<const uint8_t> page, uint32_t definition_page);

// The page's row count; raises unless its row table fits the page.
uint32_t RowCountOf(PageFile& file, std::span<const uint8_t> page, uint32_t page_number);

// Slot `row` (below the row count): a row runs from its start to the start
// of the row before it (row 0 to the page's end). False where the entry
// places the row outside the page or over the row before.
bool SlotOfRow(const Format& layout, std::span<const uint8_t> page, uint32_t row, RowSlot& slot);

// The row a row pointer names, on its page. Raises where the pointer names
// no data page or no row of one. `what` names the pointer.
struct LocatedRow {
  PageBytes page;
  uint32_t page_number = 0;
  uint32_t row = 0;
  RowSlot slot;
  std::span<const uint8_t> bytes() const { return std::span(*page).subspan(slot.start, slot.size); }
};
LocatedRow LocateRow(PageFile& file, uint32_t pointer, const char* what);

}  // namespace vorelka::jet::format
