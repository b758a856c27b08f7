#include "jet/format/decode_table_definition.h"

#include <algorithm>
#include <set>

#include "jet/format/bytes.h"
#include "jet/format/decode_text.h"
#include "jet/format/page.h"

namespace vorelka::jet::format {
namespace {

// The definition's bytes as one run: the first page whole, then each
// continuation page from kContinuationStart, end to end.
std::vector<uint8_t> GatherDefinition(PageFile& file, uint32_t first, const std::string& where) {
  std::vector<uint8_t> bytes;
  std::set<uint32_t> seen;
  for (uint32_t next = first; next != 0;) {
    if (!seen.insert(next).second) file.Fail(where + " continues in a cycle");
    if (seen.size() > tdef::kMostDefinitionPages) file.Fail(where + " runs over too many pages");
    const PageBytes page = file.Page(next, "a table definition");
    if ((*page)[kPageTypeOffset] != kTableDefinitionPageType) {
      file.Fail(next == first
                    ? "page " + std::to_string(next) + " is not a table definition"
                    : "page " + std::to_string(next) + " continues a table definition but is not one");
    }
    const size_t skip = next == first ? 0 : tdef::kContinuationStart;
    bytes.insert(bytes.end(), page->begin() + static_cast<ptrdiff_t>(skip), page->end());
    next = GetLe32(*page, tdef::kNextPageOffset);
  }
  return bytes;
}

// Takes fixed-size pieces of the definition; running past its end is damage.
class Cursor {
 public:
  Cursor(PageFile& file, const std::vector<uint8_t>& bytes, std::string where)
      : file_(file), bytes_(bytes), where_(std::move(where)) {}

  std::span<const uint8_t> Take(size_t n) {
    if (n > bytes_.size() - at_) file_.Fail(where_ + " runs past its last page");
    const auto piece = std::span(bytes_).subspan(at_, n);
    at_ += n;
    return piece;
  }
  void Skip(size_t n) { Take(n); }
  uint32_t Number(size_t width) {
    const auto p = Take(width);
    return width == 1 ? p[0] : GetLe16(p, 0);
  }
  std::span<const uint8_t> Name(size_t length_size) { return Take(Number(length_size)); }

 private:
  PageFile& file_;
  const std::vector<uint8_t>& bytes_;
  std::string where_;
  size_t at_ = 0;
};

ColumnDefinition DecodeColumn(const TableDefinitionLayout& t, std::span<const uint8_t> entry) {
  ColumnDefinition column;
  column.type = entry[0];
  column.number = static_cast<uint16_t>(GetLe16(entry, t.column_number_offset));
  column.var_index = static_cast<uint16_t>(GetLe16(entry, t.column_var_index_offset));
  column.flags = entry[t.column_flags_offset];
  column.fixed_offset = static_cast<uint16_t>(GetLe16(entry, t.column_fixed_offset_offset));
  column.precision = entry[t.column_precision_offset];
  column.scale = entry[t.column_scale_offset];
  column.size = column.type == tdef::kBoolColumn
                    ? 0
                    : static_cast<uint16_t>(GetLe16(entry, t.column_length_offset));
  return column;
}

PhysicalIndex DecodePhysicalIndex(const TableDefinitionLayout& t, Cursor& in) {
  PhysicalIndex index;
  in.Skip(t.real_index_skip_before);
  for (size_t slot = 0; slot < tdef::kIndexColumnSlots; ++slot) {
    const auto p = in.Take(tdef::kIndexColumnSlotSize);
    const auto number = static_cast<uint16_t>(GetLe16(p, 0));
    if (number == tdef::kUnusedColumnSlot) continue;
    index.columns.push_back({number, (p[2] & tdef::kAscendingColumnFlag) != 0});
  }
  in.Skip(tdef::kIndexUsageMapSize);
  index.root_page = GetLe32(in.Take(tdef::kIndexRootPageSize), 0);
  in.Skip(t.real_index_skip_before_flags);
  index.flags = in.Take(1)[0];
  in.Skip(t.real_index_skip_after_flags);
  return index;
}

}  // namespace

TableDefinition DecodeTableDefinition(PageFile& file, uint32_t page) {
  const Format& layout = file.layout();
  const TableDefinitionLayout& t = layout.tdef;
  const std::string where = "the table defined on page " + std::to_string(page);
  const std::vector<uint8_t> bytes = GatherDefinition(file, page, where);
  if (bytes.size() < t.header_size) file.Fail(where + " is too short");

  TableDefinition table;
  table.page = page;
  table.row_count = GetLe32(bytes, t.row_count_offset);
  table.var_column_count = static_cast<uint16_t>(GetLe16(bytes, t.var_column_count_offset));
  const uint32_t column_count = GetLe16(bytes, t.column_count_offset);
  const uint32_t logical_count = GetLe32(bytes, t.index_count_offset);
  const uint32_t physical_count = GetLe32(bytes, t.real_index_count_offset);
  table.owned_map = GetLe32(bytes, t.owned_map_offset);
  table.free_map = GetLe32(bytes, t.free_map_offset);

  // A table holds no more rows than its file has row slots.
  const uint64_t slots_per_page =
      (layout.page_size - layout.data.header_size) / data::kRowTableEntrySize;
  if (table.row_count > INT32_MAX || table.row_count > file.page_count() * slots_per_page) {
    file.Fail(where + " claims " + std::to_string(table.row_count) + " rows");
  }
  if (column_count > kMaxColumns + 1)
    file.Fail(where + " claims " + std::to_string(column_count) + " columns");
  if (table.var_column_count > column_count) file.Fail(where + " counts its columns wrongly");
  if (logical_count > tdef::kMostIndexes || physical_count > logical_count) {
    file.Fail(where + " counts its indexes wrongly");
  }

  Cursor in(file, bytes, where);
  in.Skip(t.header_size + uint64_t{physical_count} * t.real_index_count_size);
  std::set<uint16_t> numbers;
  for (uint32_t i = 0; i < column_count; ++i) {
    table.columns.push_back(DecodeColumn(t, in.Take(t.column_size)));
    if (!numbers.insert(table.columns.back().number).second)
      file.Fail(where + " numbers two columns alike");
  }
  for (ColumnDefinition& column : table.columns) {
    column.name = DecodeText(file.header(), in.Name(t.name_length_size));
  }
  std::stable_sort(table.columns.begin(), table.columns.end(),
                   [](const auto& a, const auto& b) { return a.number < b.number; });

  for (uint32_t i = 0; i < physical_count; ++i)
    table.physical_indexes.push_back(DecodePhysicalIndex(t, in));
  for (uint32_t i = 0; i < logical_count; ++i) {
    const auto entry = in.Take(t.logical_index_size);
    LogicalIndex index;
    index.number = GetLe32(entry, t.logical_index_number_offset);
    index.physical = GetLe32(entry, t.logical_index_data_number_offset);
    index.type = entry[t.logical_index_type_offset];
    table.logical_indexes.push_back(index);
  }
  for (LogicalIndex& index : table.logical_indexes) {
    index.name = DecodeText(file.header(), in.Name(t.name_length_size));
  }
  return table;
}

}  // namespace vorelka::jet::format
