#include "jet/write/word_row_encoder.h"

#include "jet/format/bytes.h"
#include "jet/write/row_encoder.h"
#include "jet/write/text_encoding.h"

namespace vorelka::jet::writer {

TableLayout LayOutWordColumns(const Format& format, const TableSchema& schema) {
  std::vector<NewColumn> columns = {{schema.key_column, ColumnType::kLong}};
  for (const std::string& name : schema.text_columns) columns.push_back({name, ColumnType::kText});
  return LayOutColumns(format, columns);
}

WordRowEncoder::WordRowEncoder(const Format& format, const TableSchema& schema)
    : format_(format), schema_(schema), layout_(LayOutWordColumns(format, schema)) {}

bool WordRowEncoder::Encode(const WordRow& row, std::string* problem) {
  const size_t text_count = schema_.text_columns.size();
  if (row.texts.size() != text_count) {
    *problem = "has " + std::to_string(row.texts.size()) + " texts; the table has " +
               std::to_string(text_count) + " text columns";
    return false;
  }
  texts_.resize(text_count);
  thread_local std::vector<Cell> cells;
  cells.assign(text_count + 1, Cell{});
  uint8_t id_bytes[4];
  format::PutLe32(id_bytes, static_cast<uint32_t>(row.id));
  cells[0] = Cell{id_bytes, sizeof id_bytes, false};
  for (size_t i = 0; i < text_count; ++i) {
    if (!row.texts[i]) continue;
    std::string fault;
    if (!EncodeTextValue(format_, *row.texts[i], &texts_[i], &fault)) {
      *problem = schema_.text_columns[i] + " text " + fault;
      return false;
    }
    cells[i + 1] = CellOf(texts_[i]);
  }
  return EncodeRow(format_, layout_, cells.data(), &row_, problem);
}

}  // namespace vorelka::jet::writer
