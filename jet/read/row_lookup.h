// Finding the rows whose integer column equals a value: the WHERE of the
// word lookup. Every lookup goes through FindRowsWithLong; today it scans
// the table's data pages, converting nothing but the compared column's raw
// bytes.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "jet/read/open_table.h"

namespace vorelka::jet {

// The locations of the rows whose column `column` (a position in
// MdbTableDef::columns, an integer column) holds `value`, in storage order.
// Rows where the column is null never match.
std::vector<RowLocation> FindRowsWithLong(const OpenTable& table, size_t column, int32_t value);

// Calls `visit` for every live row of the table, in storage order, with its
// fields cracked (and its page loaded). Pages beyond the end of the file
// are raised as damage.
using RowVisitor = std::function<void(const RowLocation&, const RowFields&)>;
void ForEachRow(const OpenTable& table, const RowVisitor& visit);

// Whether the scan reads `page`: whether the table's usage map names it (or
// the map is of a kind libmdb does not read, and every page is read).
bool ScanReadsPage(const OpenTable& table, uint32_t page);

// The same, by reading every data page of the table.
std::vector<RowLocation> ScanRowsWithLong(const OpenTable& table, size_t column, int32_t value);

}  // namespace vorelka::jet
