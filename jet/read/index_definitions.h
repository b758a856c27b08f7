// The index definitions stored in a table's definition pages: for each
// physical index, its root page, its columns and whether its keys are
// unique. libmdb's own reader of these blocks depends on where its column
// reader left the page buffer; this one reads the pages itself and checks
// every length against the bytes it has.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "jet/read/index_pages.h"

namespace vorelka::jet {

struct IndexColumn {
  uint16_t number = 0;  // the column's number in the table definition
  bool ascending = true;
};

struct IndexDefinition {
  uint32_t root_page = 0;
  uint8_t flags = 0;
  bool primary_key = false;
  std::vector<IndexColumn> columns;

  bool Unique() const { return primary_key || (flags & format::tdef::kUniqueIndexFlag) != 0; }
};

// Reads the physical indexes of the table whose definition starts at
// `definition_page`. Returns nullopt when the definition cannot be read or
// its counts run past its bytes. Leaves libmdb's page buffer changed.
std::optional<std::vector<IndexDefinition>> ReadIndexDefinitions(PageSource& pages,
                                                                 uint32_t definition_page);

// The unique ascending index whose only key is the column numbered
// `column_number`, if the table has one (primary keys are ascending; the
// rare descending index is left to the scan).
std::optional<IndexDefinition> FindUniqueSingleColumnIndex(
    const std::vector<IndexDefinition>& indexes, uint16_t column_number);

}  // namespace vorelka::jet
