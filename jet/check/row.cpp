#include "jet/check/row.h"

#include "jet/check/long_value.h"

namespace vorelka::jet::guard {
namespace {

// The page as libmdb's buffer holds it: reads past the page's end would
// meet bytes we cannot know, so they make the row misleading.
class RowReader {
 public:
  RowReader(std::span<const uint8_t> page, std::string& why) : page_(page), why_(why) {}
  bool Fits(uint64_t at, uint64_t length) const { return at + length <= page_.size(); }
  uint32_t Byte(uint64_t at) const { return page_[at]; }
  uint32_t Word(uint64_t at) const { return GetLe16(page_, at); }
  RowVerdict Misleading(const std::string& why) {
    why_ = why;
    return RowVerdict::kMisleading;
  }
  RowVerdict Unreadable(const std::string& why) {
    why_ = why;
    return RowVerdict::kUnreadable;
  }

 private:
  std::span<const uint8_t> page_;
  std::string& why_;
};

}  // namespace

RowVerdict CheckRow(PageSource& source, const TableLayout& table, std::span<const uint8_t> page,
                    uint32_t row_start, uint32_t row_size, std::vector<FieldPlace>& fields,
                    std::string& why) {
  const format::Format& layout = source.layout();
  RowReader in(page, why);
  fields.assign(table.columns.size(), FieldPlace{});
  if (row_size == 0) return in.Unreadable("an empty row");
  const uint32_t row_end = row_start + row_size - 1;
  const uint32_t count_size = layout.data.row_column_count_size;
  if (row_size < count_size || !in.Fits(row_start, count_size)) {
    return in.Misleading("a row too short for its column count");
  }

  // The column count, the null mask at the row's end, and before the mask
  // the table of where the variable-length values start.
  const uint32_t row_columns = (layout.id == JetFormat::kJet3) ? in.Byte(row_start) : in.Word(row_start);
  const uint32_t mask_size = (row_columns + 7) / 8;
  if (mask_size + ((layout.id == JetFormat::kJet3) ? 0 : 1) >= row_end) return in.Unreadable("a row's null mask");
  const uint32_t null_mask = row_end - mask_size + 1;

  std::string misleading;
  uint32_t row_var_columns = 0;
  std::vector<uint32_t> offsets;
  uint64_t lowest_table_byte = row_end + 1;
  if (table.var_column_count > 0) {
    if ((layout.id == JetFormat::kJet3)) {
      row_var_columns = in.Byte(row_end - mask_size);
      const uint32_t row_length = row_end - row_start + 1;
      uint32_t jumps = (row_length - 1) / 256;
      const uint32_t table_end = row_end - mask_size - jumps - 1;
      if ((table_end - row_start - row_var_columns) / 256 < jumps) --jumps;
      if (mask_size + jumps + 1 > row_end) return in.Unreadable("a row's jump table");
      if (table_end >= layout.page_size || table_end < row_var_columns) {
        return in.Unreadable("a row's variable-column table");
      }
      uint32_t jumps_used = 0;
      for (uint32_t i = 0; i <= row_var_columns; ++i) {
        while (jumps_used < jumps && i == in.Byte(row_end - mask_size - jumps_used - 1))
          ++jumps_used;
        offsets.push_back(in.Byte(table_end - i) + jumps_used * 256);
      }
      lowest_table_byte = table_end - row_var_columns;
    } else {
      if (!in.Fits(row_end - mask_size - 1, 2))
        return in.Misleading("a row's variable-column count");
      row_var_columns = in.Word(row_end - mask_size - 1);
      if (mask_size + 3 + row_var_columns * 2 + 2 > row_end) {
        return in.Unreadable("a row's variable-column table");
      }
      for (uint32_t i = 0; i <= row_var_columns; ++i) {
        offsets.push_back(in.Word(row_end - mask_size - 3 - i * 2));
      }
      lowest_table_byte = row_end - mask_size - 3 - uint64_t{row_var_columns} * 2;
    }
    if (lowest_table_byte < uint64_t{row_start} + count_size) {
      misleading = "a row's variable-column table runs outside the row";
    }
  }
  // libmdb refuses a row only when a value ends beyond it; anything else
  // it takes, so what follows is noted and judged once it has had its say.
  if (row_var_columns > row_columns && misleading.empty()) {
    misleading = "a row counts its columns wrongly";
  }
  const uint32_t row_fixed_columns = row_columns - row_var_columns;  // wraps, as libmdb's does

  uint32_t fixed_found = 0;
  const uint64_t row_limit = uint64_t{row_start} + row_size;
  for (size_t i = 0; i < table.columns.size(); ++i) {
    const ColumnLayout& column = table.columns[i];
    FieldPlace& field = fields[i];
    int64_t start = 0;
    int64_t size = 0;
    if (column.fixed && fixed_found < row_fixed_columns) {
      start = int64_t{row_start} + column.fixed_offset + count_size;
      size = column.size;
      ++fixed_found;
      field.present = true;
    } else if (!column.fixed && column.var_index < row_var_columns) {
      const uint32_t from = offsets[column.var_index];
      const uint32_t to = offsets[column.var_index + 1];
      start = int64_t{row_start} + from;
      size = static_cast<int32_t>(to - from);  // libmdb takes it as a signed length
      if ((to < from || from < count_size) && misleading.empty()) {
        misleading = "a row's variable-column table is out of order";
      }
      field.present = true;
    }
    if (start + size < 0 || start + size > static_cast<int64_t>(row_limit)) {
      return in.Unreadable("a value lies beyond its row");
    }
    if (!field.present) continue;
    const uint64_t null_byte = null_mask + column.number / 8u;
    if (null_byte > row_end) {
      if (misleading.empty()) misleading = "a row's null mask is too short for its columns";
      continue;
    }
    field.is_null = (in.Byte(null_byte) & (1u << (column.number % 8))) == 0;
    field.start = static_cast<uint32_t>(start);
    field.size = static_cast<uint32_t>(size);
    const uint32_t width = FixedWidthOfType(column.type);
    if (!field.is_null && width > 0 && start + width > static_cast<int64_t>(row_limit) &&
        misleading.empty()) {
      misleading = "a value is shorter than its type";
    }
  }
  if (!misleading.empty()) return in.Misleading(misleading);
  for (size_t i = 0; i < table.columns.size(); ++i) {
    if (table.columns[i].type != tdef::kMemoColumn || fields[i].is_null) continue;
    if (!CheckMemoValue(source, page, fields[i].start, fields[i].size, why)) {
      return RowVerdict::kMisleading;
    }
  }
  return RowVerdict::kSound;
}

}  // namespace vorelka::jet::guard
