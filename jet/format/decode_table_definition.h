// Reading a table definition (table_definition.h): its counts, columns,
// physical and logical indexes and the row pointers of its usage maps, from
// its chain of definition pages. Whatever does not fit the format is raised
// as damage.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "jet/format/page_file.h"

namespace vorelka::jet::format {

struct ColumnDefinition {
  uint8_t type = 0;
  uint16_t number = 0;     // the bit in the null mask; columns are ordered by it
  uint16_t var_index = 0;  // the slot in a row's table of variable columns
  uint16_t fixed_offset = 0;
  uint16_t size = 0;  // 0 for Yes/No, whose value is its null-mask bit
  uint8_t flags = 0;
  uint8_t precision = 0;  // Decimal columns
  uint8_t scale = 0;
  std::string name;  // UTF-8

  bool fixed() const { return (flags & tdef::kFixedColumnFlag) != 0; }
};

struct IndexKeyColumn {
  uint16_t number = 0;  // a column number
  bool ascending = true;
};

struct PhysicalIndex {
  std::vector<IndexKeyColumn> columns;
  uint32_t root_page = 0;
  uint8_t flags = 0;
};

struct LogicalIndex {
  uint32_t number = 0;
  uint32_t physical = 0;  // its entry in physical_indexes
  uint8_t type = 0;       // plain, primary key or foreign key
  std::string name;
};

struct TableDefinition {
  uint32_t page = 0;
  uint32_t row_count = 0;
  uint16_t var_column_count = 0;
  std::vector<ColumnDefinition> columns;  // by column number
  std::vector<PhysicalIndex> physical_indexes;
  std::vector<LogicalIndex> logical_indexes;
  uint32_t owned_map = 0;  // row pointers to the two usage maps
  uint32_t free_map = 0;
};

TableDefinition DecodeTableDefinition(PageFile& file, uint32_t page);

}  // namespace vorelka::jet::format
