// Encodes one row as data pages store it.
//
//   Jet 4: count(2) fixed columns, variable data, eod(2), the offsets of the
//          variable columns last to first (2 each), their count(2), null mask.
//   Jet 3: count(1) fixed columns, variable data, eod(1), the low bytes of the
//          offsets last to first, [a 0xFF filler], the jump table, the
//          variable count(1), null mask. Each jump-table entry names the first
//          offset entry (eod counting as the last) at or past a multiple of 256;
//          the filler appears when the row's own length implies one more jump.
//
// The null mask has one bit per column number, 1 for "not null". A Null text
// and an empty text both take no data bytes; only the mask tells them apart.
// A Boolean is its bit alone: a cell that is not Null is True.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "jet/write/table_layout.h"

namespace vorelka::jet::writer {

using format::Format;

struct Cell {
  const uint8_t* data = nullptr;
  size_t size = 0;
  bool null = true;
};

inline Cell CellOf(const std::string& bytes) {
  return Cell{reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), false};
}

// Encodes a row from one cell per column of the layout (fixed cells must have
// the column's length). Returns false with *problem set if the row is longer
// than the format allows.
bool EncodeRow(const Format& format, const TableLayout& layout, const Cell* cells,
               std::vector<uint8_t>* out, std::string* problem);

}  // namespace vorelka::jet::writer
