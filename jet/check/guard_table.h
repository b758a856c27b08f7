// Checks of a table definition and its page maps, made before libmdb reads
// them (mdb_read_table, mdb_read_columns, mdb_read_indices): the definition
// pages and their chain, the counts, every column entry and name, the index
// entries, and the two usage maps with every page they name.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "jet/check/guard_pages.h"

namespace vorelka::jet::guard {

using tdef::FixedWidthOfType;

struct ColumnLayout {
  uint8_t type = 0;
  uint8_t number = 0;      // the bit in the null mask; columns are ordered by it
  uint32_t var_index = 0;  // the slot in a row's table of variable columns
  uint32_t fixed_offset = 0;
  uint32_t size = 0;
  bool fixed = false;
  std::string name;  // ASCII letters folded to lower case, others kept as stored
};

struct TableLayout {
  uint32_t definition_page = 0;
  uint32_t var_column_count = 0;
  std::vector<ColumnLayout> columns;  // in libmdb's order: by column number
  std::vector<uint8_t> owned_map;     // the usage map of the table's pages

  // The position in `columns` of the column whose name matches `lower_name`
  // (ASCII, lower case), as libmdb's bind-by-name finds it; -1 if none.
  int FindColumn(std::string_view lower_name) const;
};

// Raises kErrUnrecognizedFormat (through source.Fail) where a structure
// would mislead libmdb.
TableLayout CheckTableDefinition(PageSource& source, uint32_t definition_page);

// Raises kErrUnrecognizedFormat where the table's usage map names a page
// beyond the file, or a map page that is none.
void CheckMappedPagesInFile(PageSource& source, const TableLayout& table);

// Calls visit(page) for each page the table's usage map names, in the order
// libmdb walks them.
void ForEachMappedPage(PageSource& source, const TableLayout& table,
                       const std::function<void(uint32_t)>& visit);

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

}  // namespace vorelka::jet::guard
