// Finding the rows whose integer column equals a value: the WHERE of the
// word lookup. The table's unique index on the column answers when it has
// one that checks out; otherwise every data page is read.
#pragma once

#include <cstdint>
#include <vector>

#include "jet/read/open_table.h"

namespace vorelka::jet {

// The locations of the rows whose column `column` (an integer column)
// holds `value`, in storage order. Rows where the column is Null never match.
std::vector<RowLocation> FindRowsWithLong(const OpenTable& table, size_t column, int32_t value);

// The same, by reading every data page of the table.
std::vector<RowLocation> ScanRowsWithLong(const OpenTable& table, size_t column, int32_t value);

}  // namespace vorelka::jet
