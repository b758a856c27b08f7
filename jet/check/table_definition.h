// Checks of a table definition, made before libmdb reads it (mdb_read_table,
// mdb_read_columns, mdb_read_indices): the definition pages and their chain,
// the counts, every column entry and name, and the index entries.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "jet/check/page_source.h"

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
  uint32_t owned_map_pointer = 0;     // row pointers to the two usage maps
  uint32_t free_map_pointer = 0;
  std::vector<uint8_t> owned_map;  // the usage map of the table's pages (usage_map.h)

  // The position in `columns` of the column whose name matches `lower_name`
  // (ASCII, lower case), as libmdb's bind-by-name finds it; -1 if none.
  int FindColumn(std::string_view lower_name) const;
};

// Raises kErrUnrecognizedFormat (through source.Fail) where a structure
// would mislead libmdb.
TableLayout CheckTableDefinition(PageSource& source, uint32_t definition_page);

}  // namespace vorelka::jet::guard
