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

#include "jet/libmdb.h"

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

// `table` must have its columns read (mdb_read_columns); `column` is a
// position in table->columns. On kFound the row is live, lies in its own
// slot (not moved to another page) and its `column` holds `key`.
SeekResult SeekLongKey(MdbTableDef* table, size_t column, int32_t key);

}  // namespace vorelka::jet
