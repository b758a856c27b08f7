// One WordRow as a data page stores it, with every check a row must pass on
// its own: as many texts as the schema has text columns, each text one the
// format can hold, and a row within the format's size. The writer's Add and
// WordRowCheck (a dry run's check) share it, so both refuse the same rows in
// the same words.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "jet/format/format.h"
#include "jet/write/table_layout.h"
#include "jet/write/words_table_builder.h"

namespace vorelka::jet::writer {

using format::Format;

// The Id column and the schema's text columns, as the writer lays them out.
TableLayout LayOutWordColumns(const Format& format, const TableSchema& schema);

class WordRowEncoder {
 public:
  // `format` and `schema` must outlive the encoder.
  WordRowEncoder(const Format& format, const TableSchema& schema);

  // Encodes `row` into bytes(). On failure returns false with *problem set
  // to what reads after the row's name: "English text has the character …".
  bool Encode(const WordRow& row, std::string* problem);

  const std::vector<uint8_t>& bytes() const { return row_; }
  const TableLayout& layout() const { return layout_; }

 private:
  const Format& format_;
  const TableSchema& schema_;
  TableLayout layout_;
  std::vector<std::string> texts_;  // scratch, reused row after row
  std::vector<uint8_t> row_;
};

}  // namespace vorelka::jet::writer
