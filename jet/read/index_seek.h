// Finding the row whose Long column holds a given value through the table's
// unique index on that column, instead of reading every row: a walk from
// the index root to one leaf, then one data page.
//
// The index is trusted only as far as it checks out. When the table has no
// such index, or a page of it fails a check (wrong page type, an entry
// outside its page, a child outside the file, keys out of order, a walk
// deeper than the file allows, a row that does not hold the key), the seek
// reports kUnanswered and the caller reads the table instead.
#pragma once

#include <cstddef>
#include <cstdint>

#include "jet/read/open_table.h"

namespace vorelka::jet {

enum class SeekOutcome {
  kFound,       // the row exists: page and row say where
  kNoRow,       // the index holds no entry for the key
  kUnanswered,  // no usable index, or it did not check out: scan instead
};

struct SeekResult {
  SeekOutcome outcome = SeekOutcome::kUnanswered;
  uint32_t page = 0;
  uint16_t row = 0;
};

// `column` is a position in the table's columns. On kFound, page and row
// are where the row keeps its data, as the scan would report it: the slot
// the index names or, for a row that has grown and moved, its new place;
// the row is live and its `column` holds `key`. Data pages are read as the
// scan reads them, so a damaged data page is raised as the scan would
// raise it (kErrUnrecognizedFormat).
SeekResult SeekLongKey(const OpenTable& table, size_t column, int32_t key);

}  // namespace vorelka::jet
