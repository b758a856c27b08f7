#include "jet/check/table_definition.h"

#include <algorithm>
#include <optional>
#include <set>

#include "jet/format/text_value.h"

namespace vorelka::jet::guard {
namespace {

// Counts libmdb keeps in fixed arrays or loops over without a bound.
constexpr uint32_t kMostColumns = 256;
constexpr uint32_t kMostIndexes = 1000;

// Reads a definition the way libmdb's page-spanning reader does: a
// position that may run past the end of the current page, moving on to the
// next definition page when bytes are taken from beyond it.
class DefinitionCursor {
 public:
  DefinitionCursor(PageSource& source, uint32_t first_page, uint64_t position)
      : source_(source), first_page_(first_page), position_(position) {
    page_ = source_.Page(first_page, "a table definition");
    seen_.insert(first_page);
  }

  void Skip(uint64_t bytes) { position_ += bytes; }

  std::vector<uint8_t> Take(uint64_t length) {
    const uint32_t page_size = source_.page_size();
    while (position_ >= page_size) {
      NextPage();
      position_ -= page_size - tdef::kContinuationStart;
    }
    std::vector<uint8_t> out;
    out.reserve(length);
    while (position_ + length >= page_size) {
      const uint64_t piece = page_size - position_;
      Append(out, piece);
      length -= piece;
      NextPage();
      position_ = tdef::kContinuationStart;
    }
    Append(out, length);
    position_ += length;
    return out;
  }

  uint32_t TakeNumber(uint32_t width) {
    const std::vector<uint8_t> bytes = Take(width);
    uint32_t value = 0;
    for (uint32_t i = width; i-- > 0;) value = value << 8 | bytes[i];
    return value;
  }

 private:
  void Append(std::vector<uint8_t>& out, uint64_t length) {
    if (length == 0) return;
    if (!page_)
      source_.Fail("the definition on page " + std::to_string(first_page_) +
                   " runs past its last page");
    out.insert(out.end(), page_->begin() + static_cast<ptrdiff_t>(position_),
               page_->begin() + static_cast<ptrdiff_t>(position_ + length));
  }

  // libmdb loads whatever page the current one names, even page 0 at the
  // end of the chain; that is harmless only while nothing is read from it.
  void NextPage() {
    if (!page_)
      source_.Fail("the definition on page " + std::to_string(first_page_) +
                   " runs past its last page");
    const uint32_t next = GetLe32(*page_, tdef::kNextPageOffset);
    if (next == 0) {
      page_.reset();
      return;
    }
    if (!seen_.insert(next).second) {
      source_.Fail("the definition on page " + std::to_string(first_page_) +
                   " continues in a cycle");
    }
    page_ = source_.Page(next, "a table definition");
    if ((*page_)[0] != kTableDefinitionPageType) {
      source_.Fail("page " + std::to_string(next) + " continues a table definition but is not one");
    }
  }

  PageSource& source_;
  uint32_t first_page_;
  uint64_t position_;
  PageBytes page_;
  std::set<uint32_t> seen_;
};

std::string FoldName(const format::Format& layout, const std::vector<uint8_t>& raw) {
  // Jet 4 keeps names in UCS-2, sometimes compressed (a 0xFF 0xFE mark, then
  // single bytes). Only the ASCII letters matter for finding a column.
  std::string name;
  const auto fold = [](uint32_t c) -> char {
    if (c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
    return c < 0x80 ? static_cast<char>(c) : '?';
  };
  if ((layout.id == JetFormat::kJet3)) {
    for (uint8_t c : raw) name.push_back(fold(c));
  } else if (raw.size() >= 2 && raw[0] == text::kCompressedMarker0 &&
             raw[1] == text::kCompressedMarker1) {
    for (size_t i = 2; i < raw.size(); ++i)
      if (raw[i] != 0) name.push_back(fold(raw[i]));
  } else {
    for (size_t i = 0; i + 1 < raw.size(); i += 2) name.push_back(fold(raw[i] | raw[i + 1] << 8));
  }
  return name;
}

}  // namespace

int TableLayout::FindColumn(std::string_view lower_name) const {
  for (size_t i = 0; i < columns.size(); ++i) {
    if (columns[i].name == lower_name) return static_cast<int>(i);
  }
  return -1;
}

TableLayout CheckTableDefinition(PageSource& source, uint32_t definition_page) {
  const format::Format& layout = source.layout();
  const PageBytes first = source.Page(definition_page, "the catalog");
  const std::vector<uint8_t>& page = *first;
  const std::string where = "the table defined on page " + std::to_string(definition_page);
  if (page[0] != kTableDefinitionPageType) {
    source.Fail("page " + std::to_string(definition_page) + " is not a table definition");
  }

  TableLayout table;
  table.definition_page = definition_page;
  const uint32_t rows = GetLe32(page, layout.tdef.row_count_offset);
  table.var_column_count = GetLe16(page, layout.tdef.var_column_count_offset);
  const uint32_t column_count = GetLe16(page, layout.tdef.column_count_offset);
  const uint32_t index_count = GetLe32(page, layout.tdef.index_count_offset);
  uint32_t real_index_count = GetLe32(page, layout.tdef.real_index_count_offset);

  // A table holds no more rows than its file has row slots.
  const uint64_t slots_per_page =
      (layout.page_size - layout.data.row_count_offset - data::kRowCountSize) /
      data::kRowTableEntrySize;
  if (rows > INT32_MAX || rows > uint64_t{source.page_count()} * slots_per_page) {
    source.Fail(where + " claims " + std::to_string(rows) + " rows");
  }
  if (column_count > kMostColumns)
    source.Fail(where + " claims " + std::to_string(column_count) + " columns");
  if (table.var_column_count > column_count) source.Fail(where + " counts its columns wrongly");
  if (index_count > kMostIndexes || real_index_count > index_count) {
    source.Fail(where + " counts its indexes wrongly");
  }
  // libmdb reads each real index's row count from the first page.
  if (layout.tdef.header_size + uint64_t{real_index_count} * layout.tdef.real_index_count_size >
      layout.page_size) {
    source.Fail(where + " has more indexes than its first page holds");
  }

  // Columns: the entries, then the names, as mdb_read_columns reads them.
  DefinitionCursor cursor(
      source, definition_page,
      layout.tdef.header_size + uint64_t{real_index_count} * layout.tdef.real_index_count_size);
  std::set<uint8_t> numbers;
  for (uint32_t i = 0; i < column_count; ++i) {
    const std::vector<uint8_t> entry = cursor.Take(layout.tdef.column_size);
    ColumnLayout column;
    column.type = entry[0];
    column.number = entry[layout.tdef.column_number_offset];
    column.var_index = GetLe16(entry, layout.tdef.column_var_index_offset);
    column.fixed = (entry[layout.tdef.column_flags_offset] & tdef::kFixedColumnFlag) != 0;
    column.fixed_offset = GetLe16(entry, layout.tdef.column_fixed_offset_offset);
    column.size = column.type == tdef::kBoolColumn ? 0 : GetLe16(entry, layout.tdef.column_length_offset);
    // libmdb sorts by number without a tie-break; two alike leave the order
    // (and so which value belongs to which column) to chance.
    if (!numbers.insert(column.number).second) source.Fail(where + " numbers two columns alike");
    table.columns.push_back(column);
  }
  for (ColumnLayout& column : table.columns) {
    const uint32_t length = cursor.TakeNumber(layout.tdef.name_length_size);
    column.name = FoldName(layout, cursor.Take(length));
  }
  std::stable_sort(
      table.columns.begin(), table.columns.end(),
      [](const ColumnLayout& a, const ColumnLayout& b) { return a.number < b.number; });

  // Indexes, as mdb_read_indices reads them: the entries and names after
  // the real indexes' key blocks, then those blocks.
  DefinitionCursor indexes = cursor;
  indexes.Skip(uint64_t{real_index_count} * layout.tdef.real_index_size);
  std::vector<std::pair<uint32_t, uint8_t>> entries;  // number, type
  uint32_t keyed = 0;
  for (uint32_t i = 0; i < index_count; ++i) {
    const std::vector<uint8_t> entry = indexes.Take(layout.tdef.logical_index_size);
    entries.emplace_back(GetLe16(entry, 4), entry[layout.tdef.logical_index_type_offset]);
    if (entry[layout.tdef.logical_index_type_offset] != tdef::kForeignKeyIndexType) ++keyed;
  }
  for (uint32_t i = 0; i < index_count; ++i)
    indexes.Take(indexes.TakeNumber(layout.tdef.name_length_size));
  real_index_count = std::min(real_index_count, keyed);
  DefinitionCursor blocks = cursor;
  for (uint32_t i = 0; i < real_index_count; ++i) {
    blocks.Skip(layout.tdef.real_index_skip_before);
    const bool found = std::any_of(entries.begin(), entries.end(), [&](const auto& e) {
      return e.second != tdef::kForeignKeyIndexType && e.first == i;
    });
    if (!found) continue;  // libmdb skips the block's reading, too
    for (uint32_t k = 0; k < tdef::kIndexColumnSlots; ++k) {
      const uint32_t number = blocks.TakeNumber(tdef::kIndexColumnSlotSize - 1);
      const bool known = std::any_of(table.columns.begin(), table.columns.end(),
                                     [&](const ColumnLayout& c) { return c.number == number; });
      if (number == tdef::kUnusedColumnSlot || !known) {
        blocks.Skip(1);  // the order flags
      } else {
        blocks.Take(1);
      }
    }
    blocks.Skip(tdef::kIndexUsageMapSize);
    blocks.Take(tdef::kIndexRootPageSize);  // the index's first page: the seek checks its own pages
    blocks.Skip(layout.tdef.real_index_skip_before_flags);
    blocks.Take(1);
    blocks.Skip(layout.tdef.real_index_skip_after_flags);
  }

  // The usage maps are checked apart (usage_map.h); here only where they are.
  table.owned_map_pointer = GetLe32(page, layout.tdef.owned_map_offset);
  table.free_map_pointer = GetLe32(page, layout.tdef.free_map_offset);
  return table;
}

}  // namespace vorelka::jet::guard
