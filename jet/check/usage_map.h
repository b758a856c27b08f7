// Checks of a table's usage map, made before libmdb reads it
// (mdb_map_find_next): its kind and length, and every page it names.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "jet/check/page_source.h"
#include "jet/check/table_definition.h"

namespace vorelka::jet::guard {

// Finds both usage maps of `table` (fills table.owned_map) and checks the
// map of its pages: its kind, its length, and that every page it names lies
// in the file.
void CheckUsageMaps(PageSource& source, TableLayout& table);

// Raises kErrUnrecognizedFormat where the table's usage map names a page
// beyond the file, or a map page that is none.
void CheckMappedPagesInFile(PageSource& source, const TableLayout& table);

// Calls visit(page) for each page the table's usage map names, in the order
// libmdb walks them.
void ForEachMappedPage(PageSource& source, const TableLayout& table,
                       const std::function<void(uint32_t)>& visit);

}  // namespace vorelka::jet::guard
