#include "jet/read/index_seek.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "jet/read/index_definitions.h"
#include "jet/read/index_page.h"
#include "jet/read/row_lookup.h"

namespace vorelka::jet {

namespace {

// Far more levels than an index of 2^31 keys needs, even at two entries a
// page; a deeper walk means the pages point in a loop or astray.
constexpr uint32_t kMaxIndexDepth = 32;

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
WalkResult WalkIndex(PageSource& pages, uint32_t owner, uint32_t root,
                     std::span<const uint8_t> key) {
  const uint32_t max_depth = std::min(kMaxIndexDepth, pages.page_count());
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
    const auto page = IndexPage::Read(pages, page_number, owner);
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

// Where the row the index points at keeps its data, read as the scan reads
// it (through the table's guarded page and row access, following a moved
// row to its new place), when that row is live and holds `key`.
std::optional<RowLocation> RowHoldingKey(const OpenTable& table, uint32_t page_count, size_t column,
                                         int32_t key, RowPointer where) {
  if (where.page == 0 || where.page >= page_count) return std::nullopt;
  // A page the table's usage map leaves out is one the scan never reads.
  if (!ScanReadsPage(table, where.page)) return std::nullopt;
  table.LoadPage(where.page);
  if (!table.LoadedPageHoldsRows() || where.row >= table.LoadedRowSlots()) return std::nullopt;
  const auto location = table.DataOfSlot(where.page, where.row);
  if (!location || location->page == 0 || location->page >= page_count) return std::nullopt;
  RowFields fields;
  if (!table.CrackRow(*location, fields)) return std::nullopt;
  if (table.IntegerField(fields, column) != key) return std::nullopt;
  return location;
}

}  // namespace

SeekResult SeekLongKey(const OpenTable& table, size_t column_position, int32_t key) {
  MdbTableDef* def = table.def();
  if (def->columns == nullptr || column_position >= def->columns->len) return {};
  const auto* column =
      static_cast<const MdbColumn*>(g_ptr_array_index(def->columns, column_position));
  if (column->col_type != MDB_LONGINT) return {};
  PageSource pages(table.mdb(), table.page_count());
  const uint32_t owner = static_cast<uint32_t>(def->entry->table_pg);
  const auto indexes = ReadIndexDefinitions(pages, owner);
  if (!indexes) return {};
  const auto index = FindUniqueSingleColumnIndex(*indexes, static_cast<uint16_t>(column->col_num));
  if (!index) return {};

  const LongKey encoded = EncodeLongKey(key);
  const WalkResult walk = WalkIndex(pages, owner, index->root_page, encoded);
  switch (walk.outcome) {
    case WalkOutcome::kNoRow:
      return {SeekOutcome::kNoRow};
    case WalkOutcome::kDamaged:
      return {};
    case WalkOutcome::kFound:
      break;
  }
  const auto location = RowHoldingKey(table, pages.page_count(), column_position, key, walk.where);
  if (!location) return {};
  return {SeekOutcome::kFound, location->page, location->row};
}

}  // namespace vorelka::jet
