#include "jet/format/decode_row.h"

#include "jet/format/bytes.h"

namespace vorelka::jet::format {
namespace {

// The offsets of Jet 4's two-byte table, as for Jet 3's.
bool DecodeJet4VarOffsets(std::span<const uint8_t> row, uint32_t mask_size,
                          std::vector<uint32_t>& offsets) {
  if (row.size() < mask_size + 2) return false;
  const size_t count_at = row.size() - mask_size - 2;
  const uint32_t count = GetLe16(row, count_at);
  if (uint64_t{count + 1} * 2 > count_at) return false;
  offsets.resize(count + 1);
  for (uint32_t i = 0; i <= count; ++i) offsets[i] = GetLe16(row, count_at - 2 * (i + 1));
  return true;
}

// Where the table of offsets starts in the row: nothing of the values may
// lie at or beyond it.
size_t VarTableStart(const Format& layout, size_t row_size, uint32_t mask_size, size_t offsets) {
  if (layout.id == JetFormat::kJet4) return row_size - mask_size - 2 - offsets * 2;
  const size_t jumps = (row_size - 1) / data::kJumpSpan;
  return row_size - mask_size - 1 - jumps - offsets;
}

}  // namespace

bool DecodeJet3VarOffsets(std::span<const uint8_t> row, uint32_t mask_size,
                          std::vector<uint32_t>& offsets) {
  if (row.size() < mask_size + 2) return false;
  const size_t row_end = row.size() - 1;
  const uint32_t count = row[row_end - mask_size];
  size_t jumps = (row.size() - 1) / data::kJumpSpan;
  if (mask_size + jumps + 1 > row_end) return false;
  const size_t table_end = row_end - mask_size - jumps - 1;
  if (table_end < count) return false;
  // The last jump entry may be a filler: the offsets before it do not reach
  // that far.
  if ((table_end - count) / data::kJumpSpan < jumps) --jumps;
  offsets.resize(count + 1);
  size_t used = 0;
  for (uint32_t i = 0; i <= count; ++i) {
    while (used < jumps && i == row[row_end - mask_size - used - 1]) ++used;
    offsets[i] = static_cast<uint32_t>(row[table_end - i] + used * data::kJumpSpan);
  }
  return true;
}

void DecodeRow(PageFile& file, const TableDefinition& table, std::span<const uint8_t> page,
               uint32_t start, uint32_t size, const std::string& what,
               std::vector<FieldPlace>& fields) {
  const Format& layout = file.layout();
  const auto fail = [&](const char* why) { file.Fail(what + ": " + why); };
  fields.assign(table.columns.size(), FieldPlace{});
  const uint32_t count_size = static_cast<uint32_t>(layout.data.row_column_count_size);
  if (size < count_size + 1) fail("a row too short for its column count");
  const auto row = page.subspan(start, size);
  const uint32_t row_columns = count_size == 1 ? row[0] : GetLe16(row, 0);
  const uint32_t mask_size = (row_columns + 7) / 8;
  if (mask_size + count_size >= size) fail("a row's null mask");
  const auto mask = row.subspan(size - mask_size);

  // Kept from row to row: a scan decodes millions.
  thread_local std::vector<uint32_t> offsets;
  offsets.assign(1, static_cast<uint32_t>(size - mask_size));
  size_t var_table_start = size - mask_size;
  if (table.var_column_count > 0) {
    const bool found = layout.id == JetFormat::kJet3 ? DecodeJet3VarOffsets(row, mask_size, offsets)
                                                     : DecodeJet4VarOffsets(row, mask_size, offsets);
    if (!found) fail("a row's variable-column table");
    var_table_start = VarTableStart(layout, size, mask_size, offsets.size());
    if (var_table_start < count_size) fail("a row's variable-column table runs outside the row");
    for (size_t i = 0; i < offsets.size(); ++i) {
      if (offsets[i] < count_size || offsets[i] > var_table_start ||
          (i > 0 && offsets[i] < offsets[i - 1])) {
        fail("a row's variable-column table is out of order");
      }
    }
  }
  const uint32_t row_var_columns = static_cast<uint32_t>(offsets.size() - 1);
  if (row_var_columns > row_columns) fail("a row counts its columns wrongly");
  const uint32_t row_fixed_columns = row_columns - row_var_columns;

  uint32_t fixed_found = 0;
  for (size_t i = 0; i < table.columns.size(); ++i) {
    const ColumnDefinition& column = table.columns[i];
    FieldPlace& field = fields[i];
    uint64_t from = 0;
    uint64_t to = 0;
    if (column.fixed() && fixed_found < row_fixed_columns) {
      ++fixed_found;
      from = uint64_t{count_size} + column.fixed_offset;
      to = from + column.size;
      if (column.size > 0 && to > var_table_start) fail("a value lies beyond its row");
    } else if (!column.fixed() && column.var_index < row_var_columns) {
      from = offsets[column.var_index];
      to = offsets[column.var_index + 1];
    } else {
      continue;
    }
    field.present = true;
    if (column.number / 8u >= mask_size) fail("a row's null mask is too short for its columns");
    field.is_null = (mask[column.number / 8] & (1u << (column.number % 8))) == 0;
    field.start = static_cast<uint32_t>(start + from);
    field.size = static_cast<uint32_t>(to - from);
    const uint32_t width = tdef::FixedWidthOfType(column.type);
    if (!field.is_null && width > 0 && from + width > var_table_start) {
      fail("a value is shorter than its type");
    }
  }
}

}  // namespace vorelka::jet::format
