// Reading a row (data_page.h): its column count, the null mask at its end,
// the table of where its variable-length values start (with Jet 3's jump
// table), and so where each column's value lies.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "jet/format/decode_table_definition.h"

namespace vorelka::jet::format {

// One value of a row.
struct FieldPlace {
  bool present = false;  // rows written before a column was added lack it
  bool is_null = true;   // for Yes/No: No
  uint32_t start = 0;    // offset in the page
  uint32_t size = 0;
};

// The places of the columns of `table` (in its column order) in the row at
// [start, start + size) of `page`. Raises DamagedFile, naming the row as
// `what`, where the row contradicts itself or its table.
void DecodeRow(PageFile& file, const TableDefinition& table, std::span<const uint8_t> page,
               uint32_t start, uint32_t size, const std::string& what,
               std::vector<FieldPlace>& fields);

// Jet 3's table of variable-column offsets, read from a whole row whose
// null mask takes `mask_size` bytes: the offsets of the values and of the
// end of the data, each a byte plus 256 for every jump-table entry at or
// before it, into `offsets`. False where the tables do not fit the row.
bool DecodeJet3VarOffsets(std::span<const uint8_t> row, uint32_t mask_size,
                          std::vector<uint32_t>& offsets);

}  // namespace vorelka::jet::format
