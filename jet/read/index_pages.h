// Page access for the index code: libmdb's page reader (which also undoes
// the page encryption of protected files), bounded by the file's length so
// that a page number read from a damaged file never reaches past its end.
#pragma once

#include <cstdint>

#include "jet/read/libmdb.h"

#include "jet/format/format.h"

namespace vorelka::jet {

const format::Format& LayoutOf(const MdbHandle* mdb);

class PageSource {
 public:
  // The file's length in pages is measured, or taken from the caller.
  explicit PageSource(MdbHandle* mdb);
  PageSource(MdbHandle* mdb, uint64_t page_count);

  MdbHandle* mdb() const { return mdb_; }
  const format::Format& layout() const { return layout_; }
  uint32_t page_count() const { return page_count_; }

  // Page `number` in libmdb's page buffer, valid until the next read;
  // nullptr for page 0 (the file header) and pages outside the file.
  const uint8_t* Read(uint32_t number);

 private:
  MdbHandle* mdb_;
  const format::Format& layout_;
  uint32_t page_count_ = 0;
};

}  // namespace vorelka::jet
