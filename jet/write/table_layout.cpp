#include "jet/write/table_layout.h"

namespace vorelka::jet::writer {

using namespace format;  // NOLINT(google-build-using-namespace): the format this writes
using namespace tdef;  // NOLINT(google-build-using-namespace)
TableLayout LayOutColumns(const Format& format, const std::vector<NewColumn>& new_columns) {
  TableLayout layout;
  uint16_t number = 0;
  for (const NewColumn& wanted : new_columns) {
    Column column{wanted.name, wanted.type, number++, true, 0, 0, 0, wanted.security_id};
    switch (wanted.type) {
      case ColumnType::kBoolean:
        column.length = 1;
        layout.columns.push_back(column);
        continue;
      case ColumnType::kByte:
        column.length = 1;
        break;
      case ColumnType::kInteger:
        column.length = kIntegerSize;
        break;
      case ColumnType::kLong:
        column.length = kLongSize;
        break;
      case ColumnType::kDateTime:
        column.length = kDateTimeSize;
        break;
      case ColumnType::kBinary:
        column.fixed = false;
        column.length = static_cast<uint16_t>(kBinaryMaxSize * format.text_unit);
        break;
      case ColumnType::kText:
        column.fixed = false;
        column.length = static_cast<uint16_t>(kMaxTextChars * format.text_unit);
        break;
      case ColumnType::kOle:
      case ColumnType::kMemo:
        column.fixed = false;
        column.length = 0;
        break;
    }
    if (column.fixed) {
      column.fixed_offset = layout.fixed_size;
      layout.fixed_size = static_cast<uint16_t>(layout.fixed_size + column.length);
    } else {
      column.var_index = layout.var_count++;
    }
    layout.columns.push_back(column);
  }
  return layout;
}

}  // namespace vorelka::jet::writer
