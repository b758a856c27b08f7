#include "jet/read/row_lookup.h"

#include <algorithm>

#include "jet/format/usage_map.h"
#include "jet/read/index_seek.h"

namespace vorelka::jet {
namespace {

// The table's usage map comes in two kinds: 0 keeps the bitmap inline,
// 1 points to pages of bitmaps.

bool UsageMapReadable(const MdbTableDef* def) {
  return def->usage_map != nullptr && def->map_sz > 0 &&
         (def->usage_map[0] == format::map::kInlineMap ||
          def->usage_map[0] == format::map::kReferenceMap);
}

// Calls visit(page) for each page that may hold rows of the table: those
// its usage map names, or every page of the file when the map is of a kind
// libmdb does not read.
template <typename Visit>
void ForEachCandidatePage(const OpenTable& table, Visit visit) {
  MdbTableDef* def = table.def();
  if (!UsageMapReadable(def)) {
    for (uint64_t page = 1; page < table.page_count(); ++page) visit(static_cast<uint32_t>(page));
    return;
  }
  guint32 page = 0;
  while (true) {
    const gint32 next = mdb_map_find_next(table.mdb(), def->usage_map,
                                          static_cast<unsigned int>(def->map_sz), page);
    if (next <= 0 || static_cast<guint32>(next) <= page) return;
    page = static_cast<guint32>(next);
    visit(page);
  }
}

}  // namespace

bool ScanReadsPage(const OpenTable& table, uint32_t page) {
  MdbTableDef* def = table.def();
  if (page == 0 || page >= table.page_count()) return false;
  if (!UsageMapReadable(def)) return true;
  // The scan steps from each named page to the next one the map names.
  return mdb_map_find_next(table.mdb(), def->usage_map, static_cast<unsigned int>(def->map_sz),
                           page - 1) == static_cast<gint32>(page);
}

std::vector<RowLocation> FindRowsWithLong(const OpenTable& table, size_t column, int32_t value) {
  // A unique index on the column answers with one walk; without one, or
  // when it does not check out, every data page is read.
  const SeekResult seek = SeekLongKey(table, column, value);
  switch (seek.outcome) {
    case SeekOutcome::kFound:
      return {RowLocation{seek.page, seek.row}};
    case SeekOutcome::kNoRow:
      return {};
    case SeekOutcome::kUnanswered:
      break;
  }
  return ScanRowsWithLong(table, column, value);
}

void ForEachRow(const OpenTable& table, const RowVisitor& visit) {
  RowFields fields;
  ForEachCandidatePage(table, [&](uint32_t page) {
    table.LoadPage(page);
    if (!table.LoadedPageHoldsRows()) return;
    const uint16_t slots = table.LoadedRowSlots();
    for (uint16_t row = 0; row < slots; ++row) {
      table.LoadPage(page);  // following an overflow pointer loads another page
      const auto location = table.DataOfSlot(page, row);
      if (!location || !table.CrackRow(*location, fields)) continue;
      visit(*location, fields);
    }
  });
}

std::vector<RowLocation> ScanRowsWithLong(const OpenTable& table, size_t column, int32_t value) {
  std::vector<RowLocation> found;
  ForEachRow(table, [&](const RowLocation& location, const RowFields& fields) {
    if (table.IntegerField(fields, column) != value) return;
    // A moved row can be reached from its old slot and its new one.
    if (std::find(found.begin(), found.end(), location) == found.end()) found.push_back(location);
  });
  return found;
}

}  // namespace vorelka::jet
