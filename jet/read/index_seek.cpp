#include "jet/read/index_seek.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "jet/format/decode_index_page.h"
#include "jet/read/row_lookup.h"

namespace vorelka::jet {

namespace {

// Far more levels than an index of 2^31 keys needs, even at two entries a
// page; a deeper walk means the pages point in a loop or astray.
constexpr uint32_t kMaxIndexDepth = 32;

using format::CompareKeys;
using format::IndexEntry;
using format::IndexPage;
using format::index::EncodeLongKey;
using format::index::LongKey;

// An ascending Long index holds only start-flagged 4-byte values and bare
// null flags.
bool IsLongIndexKey(std::span<const uint8_t> key) {
  if (key.size() == format::index::kLongKeySize) {
    return key[0] == format::index::kAscendingStartFlag;
  }
  return key.size() == format::index::kNullKeySize && key[0] == format::index::kAscendingNullFlag;
}

struct RowPointer {
  uint32_t page;
  uint8_t row;
};

enum class WalkOutcome { kFound, kNoRow, kDamaged };

struct WalkResult {
  WalkOutcome outcome;
  RowPointer where{};
};

// Walks from the root to the leaf that would hold `key`. Every page must
// belong to the table, be new on this walk, and keep its entries inside the
// key range its parent gave it: above the entry before, and ending on the
// very key of the parent's entry, which carries the last key below it. Only
// the root may be empty (an empty table).
WalkResult WalkIndex(format::PageFile& file, uint32_t owner, uint32_t root,
                     std::span<const uint8_t> key) {
  const uint32_t max_depth = std::min(kMaxIndexDepth, file.page_count());
  std::vector<uint32_t> visited;
  std::vector<uint8_t> lower;  // keys of the entries bounding this page
  std::vector<uint8_t> upper;
  bool has_lower = false;
  bool has_upper = false;
  uint32_t page_number = root;
  for (uint32_t depth = 0;; ++depth) {
    if (depth == max_depth ||
        std::find(visited.begin(), visited.end(), page_number) != visited.end()) {
      return {WalkOutcome::kDamaged};
    }
    visited.push_back(page_number);
    const auto page = IndexPage::Read(file, page_number, owner);
    if (!page) return {WalkOutcome::kDamaged};
    const auto& entries = page->entries();
    for (const IndexEntry& entry : entries) {
      if (!IsLongIndexKey(entry.key)) return {WalkOutcome::kDamaged};
    }
    if (entries.empty()) {
      if (depth != 0) return {WalkOutcome::kDamaged};
    } else {
      if (has_lower && CompareKeys(entries.front().key, lower) < 0) return {WalkOutcome::kDamaged};
      // A node with a tail child keeps its last keys there, past its entries.
      const int last = has_upper ? CompareKeys(entries.back().key, upper) : 0;
      if (page->tail_page() != 0 ? last > 0 : last != 0) return {WalkOutcome::kDamaged};
    }

    // The first entry whose key is not below the one sought.
    const auto it = std::lower_bound(
        entries.begin(), entries.end(), key,
        [](const IndexEntry& e, std::span<const uint8_t> k) { return CompareKeys(e.key, k) < 0; });

    if (page->leaf()) {
      if (it != entries.end() && CompareKeys(it->key, key) == 0) {
        return {WalkOutcome::kFound, {it->data_page, it->data_row}};
      }
      return {WalkOutcome::kNoRow};
    }

    // A node entry carries the last key of its child; keys beyond the last
    // entry live in the tail child, if the page has one.
    if (it != entries.begin()) {
      const auto& before = *(it - 1);
      lower.assign(before.key.begin(), before.key.end());
      has_lower = true;
    }
    if (it != entries.end()) {
      upper.assign(it->key.begin(), it->key.end());
      has_upper = true;
      page_number = it->child_page;
    } else if (page->tail_page() != 0) {
      page_number = page->tail_page();
    } else {
      return {WalkOutcome::kNoRow};
    }
  }
}

// The unique ascending index whose only key is the column numbered
// `column_number`, if the table has one (primary keys are ascending; the
// rare descending index is left to the scan).
const format::PhysicalIndex* UniqueIndexOn(const format::TableDefinition& table,
                                           uint16_t column_number) {
  for (size_t i = 0; i < table.physical_indexes.size(); ++i) {
    const format::PhysicalIndex& index = table.physical_indexes[i];
    const bool primary_key =
        std::any_of(table.logical_indexes.begin(), table.logical_indexes.end(), [&](const auto& l) {
          return l.physical == i && l.type == format::tdef::kPrimaryKeyIndexType;
        });
    const bool unique = primary_key || (index.flags & format::tdef::kUniqueIndexFlag) != 0;
    if (unique && index.columns.size() == 1 && index.columns[0].number == column_number &&
        index.columns[0].ascending && index.root_page != 0) {
      return &index;
    }
  }
  return nullptr;
}

// Where the row the index points at keeps its data, read as the scan reads
// it (following a moved row to its new place), when that row is live and
// holds `key`.
std::optional<RowLocation> RowHoldingKey(const OpenTable& table, size_t column, int32_t key,
                                         RowPointer where) {
  // A page the table's usage map leaves out is one the scan never reads.
  if (!table.ScanReadsPage(where.page)) return std::nullopt;
  const auto location = table.DataOfSlot(where.page, where.row);
  if (!location) return std::nullopt;
  const std::optional<Row> row = table.ReadRow(*location);
  if (!row || table.IntegerField(*row, column) != key) return std::nullopt;
  return location;
}

}  // namespace

SeekResult SeekLongKey(const OpenTable& table, size_t column_position, int32_t key) {
  const format::TableDefinition& definition = table.definition();
  if (column_position >= definition.columns.size()) return {};
  const format::ColumnDefinition& column = definition.columns[column_position];
  if (column.type != format::tdef::kLongColumn) return {};
  const format::PhysicalIndex* index = UniqueIndexOn(definition, column.number);
  if (index == nullptr) return {};

  const LongKey encoded = EncodeLongKey(key);
  const WalkResult walk = WalkIndex(table.file(), definition.page, index->root_page, encoded);
  switch (walk.outcome) {
    case WalkOutcome::kNoRow:
      return {SeekOutcome::kNoRow};
    case WalkOutcome::kDamaged:
      return {};
    case WalkOutcome::kFound:
      break;
  }
  const auto location = RowHoldingKey(table, column_position, key, walk.where);
  if (!location) return {};
  return {SeekOutcome::kFound, location->page, location->row};
}

}  // namespace vorelka::jet
