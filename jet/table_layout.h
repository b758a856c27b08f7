// The columns of a table as rows store them: fixed-length columns at fixed
// offsets after the column count, variable-length ones through an offset
// table at the end of the row. Shared by the table definition and the rows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "jet/writer_format.h"

namespace vorelka::jet::writer {

enum class ColumnType : uint8_t {
  kInteger = 0x03,   // 16-bit
  kLong = 0x04,      // 32-bit
  kDateTime = 0x08,  // double: days since 1899-12-30
  kBinary = 0x09,    // up to 255 bytes
  kText = 0x0A,      // up to 255 characters
  kOle = 0x0B,       // long binary (only ever Null here)
  kMemo = 0x0C,      // long text (only ever Null here)
};

struct NewColumn {
  std::string name;
  ColumnType type;
};

struct Column {
  std::string name;
  ColumnType type;
  uint16_t number;        // column number: also its bit in the null mask
  bool fixed;             // stored at fixed_offset, else through var_index
  uint16_t fixed_offset;  // bytes after the row's column count
  uint16_t var_index;     // slot in the row's variable-column offset table
  uint16_t length;        // bytes of a fixed column; most bytes of a Text
                          // or Binary column; 0 for Memo and OLE
};

struct TableLayout {
  std::vector<Column> columns;
  uint16_t fixed_size = 0;  // bytes of all fixed columns
  uint16_t var_count = 0;   // variable-length columns
};

TableLayout LayOutColumns(const Format& format, const std::vector<NewColumn>& new_columns);

}  // namespace vorelka::jet::writer
