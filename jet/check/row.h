// Checks of rows before libmdb cracks them (mdb_crack_row) and converts
// their values: the row's column count, null mask and table of variable
// columns, and where each value lies. Memo values are followed to their
// pages (long_value.h).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "jet/check/page_source.h"
#include "jet/check/table_definition.h"

namespace vorelka::jet::guard {

// One value of a row, as libmdb's row cracker places it.
struct FieldPlace {
  bool present = false;  // the row holds the column (rows written before a
                         // column was added do not)
  bool is_null = true;
  uint32_t start = 0;  // offset in the page
  uint32_t size = 0;
};

enum class RowVerdict {
  kSound,       // libmdb reads every value from inside the row
  kUnreadable,  // libmdb's own checks refuse the row and skip it
  kMisleading,  // libmdb would take the row and read outside it
};

// Cracks the row at [start, start + size) of `page` as libmdb does, and
// judges it; `why` says what is wrong when it is not sound. Values whose
// bytes lie on other pages (memo text) are followed and checked too.
RowVerdict CheckRow(PageSource& source, const TableLayout& table, std::span<const uint8_t> page,
                    uint32_t start, uint32_t size, std::vector<FieldPlace>& fields,
                    std::string& why);

}  // namespace vorelka::jet::guard
