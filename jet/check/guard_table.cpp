#include "jet/check/guard_table.h"

#include <algorithm>
#include <optional>
#include <set>

namespace vorelka::jet::guard {
namespace {

// Counts libmdb keeps in fixed arrays or loops over without a bound.
constexpr uint32_t kMostColumns = 256;
constexpr uint32_t kMostIndexes = 1000;
// The highest row number libmdb looks for on a page.
constexpr uint32_t kHighestRowLibmdbFinds = 1000;

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
  } else if (raw.size() >= 2 && raw[0] == 0xFF && raw[1] == 0xFE) {
    for (size_t i = 2; i < raw.size(); ++i)
      if (raw[i] != 0) name.push_back(fold(raw[i]));
  } else {
    for (size_t i = 0; i + 1 < raw.size(); i += 2) name.push_back(fold(raw[i] | raw[i + 1] << 8));
  }
  return name;
}

void CheckUsageMapShape(PageSource& source, const std::vector<uint8_t>& map, uint32_t definition) {
  const std::string table =
      "the usage map of the table defined on page " + std::to_string(definition);
  if (map.empty()) source.Fail(table + " is empty");
  if (map[0] != map::kInlineMap && map[0] != map::kReferenceMap) {
    source.Fail(table + " is of unknown kind " + std::to_string(map[0]));
  }
  if (map.size() < map::kInlineBitsOffset) source.Fail(table + " is too short");
}

}  // namespace

int TableLayout::FindColumn(std::string_view lower_name) const {
  for (size_t i = 0; i < columns.size(); ++i) {
    if (columns[i].name == lower_name) return static_cast<int>(i);
  }
  return -1;
}

bool SlotOfRow(const format::Format& layout, std::span<const uint8_t> page, uint32_t row,
               SlotExtent& extent) {
  if (row > kHighestRowLibmdbFinds) return false;
  const uint32_t rco = layout.data.row_count_offset;
  const uint32_t entry = GetLe16(page, rco + 2 + row * 2);
  const uint32_t start = entry & data::kRowOffsetMask;
  const uint32_t next = row == 0 ? layout.page_size : GetLe16(page, rco + row * 2) & data::kRowOffsetMask;
  if (start >= layout.page_size || start > next || next > layout.page_size) return false;
  extent = SlotExtent{entry & ~data::kRowOffsetMask, start, next - start};
  return true;
}

LocatedRow LocateRow(PageSource& source, uint32_t pointer, const char* what) {
  // libmdb shifts the pointer as a signed number.
  const auto page_number = static_cast<uint32_t>(static_cast<int32_t>(pointer) >> 8);
  const uint32_t row = pointer & 0xFF;
  LocatedRow located;
  located.page = source.Page(page_number, what);
  const format::Format& layout = source.layout();
  const std::vector<uint8_t>& page = *located.page;
  if (page[0] != kDataPageType) {
    source.Fail(std::string(what) + " names page " + std::to_string(page_number) +
                ", which is not a data page");
  }
  SlotExtent extent;
  if (row >= GetLe16(page, layout.data.row_count_offset) || !SlotOfRow(layout, page, row, extent)) {
    source.Fail(std::string(what) + " names row " + std::to_string(row) + " of page " +
                std::to_string(page_number) + ", which that page does not hold");
  }
  located.start = extent.start;
  located.size = extent.size;
  return located;
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
  const uint64_t slots_per_page = (layout.page_size - layout.data.row_count_offset - 2) / 2;
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
    if (!(layout.id == JetFormat::kJet3)) blocks.Skip(4);
    const bool found = std::any_of(entries.begin(), entries.end(), [&](const auto& e) {
      return e.second != tdef::kForeignKeyIndexType && e.first == i;
    });
    if (!found) continue;  // libmdb skips the block's reading, too
    for (uint32_t k = 0; k < tdef::kIndexColumnSlots; ++k) {
      const uint32_t number = blocks.TakeNumber(2);
      const bool known = std::any_of(table.columns.begin(), table.columns.end(),
                                     [&](const ColumnLayout& c) { return c.number == number; });
      if (number == tdef::kUnusedColumnSlot || !known) {
        blocks.Skip(1);
      } else {
        blocks.Take(1);
      }
    }
    blocks.Skip(4);
    blocks.Take(4);  // the index's first page: the seek checks its own pages
    if (!(layout.id == JetFormat::kJet3)) blocks.Skip(4);
    blocks.Take(1);
    if (!(layout.id == JetFormat::kJet3)) blocks.Skip(5);
  }

  // The usage maps: both must be found; the map of owned pages is walked.
  const LocatedRow owned =
      LocateRow(source, GetLe32(page, layout.tdef.owned_map_offset), "a usage map pointer");
  table.owned_map.assign(owned.bytes().begin(), owned.bytes().end());
  CheckUsageMapShape(source, table.owned_map, definition_page);
  LocateRow(source, GetLe32(page, layout.tdef.free_map_offset), "a free-space map pointer");
  CheckMappedPagesInFile(source, table);
  return table;
}

namespace {

// The page of the highest set bit of `bits`, a map whose first bit stands
// for `first_page`; nothing when no bit is set.
std::optional<uint64_t> HighestMappedPage(std::span<const uint8_t> bits, uint64_t first_page) {
  for (size_t byte = bits.size(); byte-- > 0;) {
    if (bits[byte] != 0) {
      const auto bit = static_cast<uint64_t>(31 - __builtin_clz(bits[byte]));
      return first_page + byte * 8 + bit;
    }
  }
  return std::nullopt;
}

}  // namespace

void CheckMappedPagesInFile(PageSource& source, const TableLayout& table) {
  // Every mapped page lies in the file when the highest one of each map
  // does: no page needs visiting, however large the table.
  const std::vector<uint8_t>& map = table.owned_map;
  const auto check = [&](std::optional<uint64_t> highest) {
    if (highest && *highest >= source.page_count()) {
      source.Fail("the usage map of the table defined on page " +
                  std::to_string(table.definition_page) + " names page " +
                  std::to_string(*highest) + ", beyond the file");
    }
  };
  if (map[0] == map::kInlineMap) {
    check(HighestMappedPage(std::span(map).subspan(map::kInlineBitsOffset),
                            GetLe32(map, map::kInlineStartOffset)));
    return;
  }
  const uint64_t pages_per_map_page = uint64_t{source.page_size() - map::kMapPageBitsOffset} * 8;
  const size_t references = (map.size() - map::kReferencePagesOffset) / 4;
  for (size_t i = 0; i < references; ++i) {
    const uint32_t map_page = GetLe32(map, map::kReferencePagesOffset + i * 4);
    if (map_page == 0) continue;
    const PageBytes bits = source.Page(map_page, "a usage map");
    if ((*bits)[0] != kUsageMapPageType) {
      source.Fail("page " + std::to_string(map_page) + " is named as a usage map but is not one");
    }
    check(HighestMappedPage(std::span(*bits).subspan(map::kMapPageBitsOffset), i * pages_per_map_page));
  }
}

void ForEachMappedPage(PageSource& source, const TableLayout& table,
                       const std::function<void(uint32_t)>& visit) {
  const std::vector<uint8_t>& map = table.owned_map;
  const uint64_t page_count = source.page_count();
  const auto mapped = [&](uint64_t page) {
    if (page >= page_count) {
      source.Fail("the usage map of the table defined on page " +
                  std::to_string(table.definition_page) + " names page " + std::to_string(page) +
                  ", beyond the file");
    }
    visit(static_cast<uint32_t>(page));
  };
  const auto for_each_bit = [&](std::span<const uint8_t> bits, uint64_t first_page) {
    for (size_t byte = 0; byte < bits.size(); ++byte) {
      if (bits[byte] == 0) continue;
      for (uint32_t bit = 0; bit < 8; ++bit) {
        if (bits[byte] & (1u << bit)) mapped(first_page + byte * 8 + bit);
      }
    }
  };
  if (map[0] == map::kInlineMap) {
    const uint32_t start = GetLe32(map, map::kInlineStartOffset);
    for_each_bit(std::span(map).subspan(map::kInlineBitsOffset), start);
    return;
  }
  const uint64_t pages_per_map_page = uint64_t{source.page_size() - map::kMapPageBitsOffset} * 8;
  const size_t references = (map.size() - map::kReferencePagesOffset) / 4;
  for (size_t i = 0; i < references; ++i) {
    const uint32_t map_page = GetLe32(map, map::kReferencePagesOffset + i * 4);
    if (map_page == 0) continue;
    const PageBytes bits = source.Page(map_page, "a usage map");
    if ((*bits)[0] != kUsageMapPageType) {
      source.Fail("page " + std::to_string(map_page) + " is named as a usage map but is not one");
    }
    for_each_bit(std::span(*bits).subspan(map::kMapPageBitsOffset), i * pages_per_map_page);
  }
}

}  // namespace vorelka::jet::guard
