#include "jet/read/row_lookup.h"

#include <algorithm>

#include "jet/read/index_seek.h"

namespace vorelka::jet {

std::vector<RowLocation> FindRowsWithLong(const OpenTable& table, size_t column, int32_t value) {
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

std::vector<RowLocation> ScanRowsWithLong(const OpenTable& table, size_t column, int32_t value) {
  std::vector<RowLocation> found;
  table.ForEachRow([&](const RowLocation& location, const Row& row) {
    if (table.IntegerField(row, column) != value) return;
    // A moved row can be reached from its old slot and its new one.
    if (std::find(found.begin(), found.end(), location) == found.end()) found.push_back(location);
  });
  return found;
}

}  // namespace vorelka::jet
