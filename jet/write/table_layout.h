// The columns of a table as rows store them: fixed-length columns at fixed
// offsets after the column count, variable-length ones through an offset
// table at the end of the row. Shared by the table definition and the rows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "jet/format/format.h"

namespace vorelka::jet::writer {

using format::Format;

enum class ColumnType : uint8_t {
  kBoolean = format::tdef::kBoolColumn,  // its value is its bit in the null mask
  kByte = format::tdef::kByteColumn,
  kInteger = format::tdef::kIntegerColumn,
  kLong = format::tdef::kLongColumn,
  kDateTime = format::tdef::kDateTimeColumn,
  kBinary = format::tdef::kBinaryColumn,
  kText = format::tdef::kTextColumn,
  kOle = format::tdef::kOleColumn,    // only ever Null here
  kMemo = format::tdef::kMemoColumn,  // only ever Null here
};

struct NewColumn {
  std::string name;
  ColumnType type;
  bool security_id = false;  // holds a SID (flagged so in the definition)
};

struct Column {
  std::string name;
  ColumnType type;
  uint16_t number;        // column number: also its bit in the null mask
  bool fixed;             // stored at fixed_offset, else through var_index
  uint16_t fixed_offset;  // bytes after the row's column count
  uint16_t var_index;     // slot in the row's variable-column offset table
  uint16_t length;        // bytes of a fixed column; most bytes of a Text
                          // or Binary column; 0 for Memo and OLE; 1 for a
                          // Boolean, which takes no bytes in the row
  bool security_id = false;
};

struct TableLayout {
  std::vector<Column> columns;
  uint16_t fixed_size = 0;  // bytes of all fixed columns
  uint16_t var_count = 0;   // variable-length columns
};

TableLayout LayOutColumns(const Format& format, const std::vector<NewColumn>& new_columns);

}  // namespace vorelka::jet::writer
