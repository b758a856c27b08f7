// A reader of table definitions for the catalog tests, independent of the
// writer: it takes a definition page apart byte by byte into its columns
// (with the flags and sort order libmdb does not report) and its indexes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "jet/format/jet_format_id.h"

namespace vorelka::testing {

struct DefinedColumn {
  std::string name;
  int type = 0;
  int length = 0;
  int flags = 0;
  int sort_order = 0;
  bool compressed = false;  // Jet 4's compressed-text flag
  bool operator==(const DefinedColumn&) const = default;
};

struct DefinedIndex {
  std::string name;
  std::vector<std::string> columns;  // all ascending
  int flags = 0;
  bool primary_key = false;
  uint32_t root_page = 0;
  uint32_t usage_map = 0;  // row pointer
  bool operator==(const DefinedIndex& other) const {
    return name == other.name && columns == other.columns && flags == other.flags &&
           primary_key == other.primary_key;
  }
};

struct Definition {
  int table_type = 0;
  uint32_t rows = 0;
  uint32_t owned_pages_map = 0;  // row pointer
  std::vector<DefinedColumn> columns;  // by column number
  std::vector<DefinedIndex> indexes;   // by logical index number
};

// The definition on `page` of the file's bytes; the whole definition must
// lie on that page.
Definition ReadDefinition(const std::string& file_bytes, jet::JetFormat format, uint32_t page);

}  // namespace vorelka::testing
