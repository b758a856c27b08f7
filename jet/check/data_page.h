// Checks of a data page's row table, made before libmdb finds a row on the
// page (mdb_find_row) or follows a row pointer to it.
#pragma once

#include <cstdint>
#include <span>

#include "jet/check/page_source.h"

namespace vorelka::jet::guard {

// A row as libmdb's row locator finds it from a 4-byte pointer (page << 8 |
// row): the page, and the row's start and length in it. Raises where the
// pointer or the page's row table is unsound. `what` names the pointer.
struct LocatedRow {
  PageBytes page;
  uint32_t start = 0;
  uint32_t size = 0;
  std::span<const uint8_t> bytes() const { return std::span(*page).subspan(start, size); }
};
LocatedRow LocateRow(PageSource& source, uint32_t pointer, const char* what);

// libmdb's reading of one slot of a data page's row table: the row's start
// (flags removed) and length, or false where libmdb would skip it.
struct SlotExtent {
  uint32_t flags = 0;
  uint32_t start = 0;
  uint32_t size = 0;
};
bool SlotOfRow(const format::Format& layout, std::span<const uint8_t> page, uint32_t row,
               SlotExtent& extent);

// Whether `page` is a data page of the table defined on `definition_page`.
bool IsDataPageOf(std::span<const uint8_t> page, uint32_t definition_page);

// The page's row count; raises unless it fits the page's row table.
uint32_t CheckRowCount(PageSource& source, std::span<const uint8_t> page, uint32_t page_number);

// The flags of row `row` in the page's row table (deleted, moved); `row`
// must be below the row count.
uint32_t RowFlags(const format::Format& layout, std::span<const uint8_t> page, uint32_t row);

}  // namespace vorelka::jet::guard
