#include "jet/read/index_pages.h"

#include <algorithm>
#include <cstdio>

namespace vorelka::jet {

const format::Format& LayoutOf(const MdbHandle* mdb) {
  return mdb->f->jet_version == MDB_VER_JET3 ? format::kJet3 : format::kJet4;
}

PageSource::PageSource(MdbHandle* mdb) : mdb_(mdb), layout_(LayoutOf(mdb)) {
  FILE* stream = mdb->f->stream;
  const off_t here = ftello(stream);
  if (here >= 0 && fseeko(stream, 0, SEEK_END) == 0) {
    const off_t size = ftello(stream);
    if (size > 0) {
      page_count_ = static_cast<uint32_t>(static_cast<uint64_t>(size) / layout_.page_size);
    }
    fseeko(stream, here, SEEK_SET);
  }
}

PageSource::PageSource(MdbHandle* mdb, uint64_t page_count)
    : mdb_(mdb),
      layout_(LayoutOf(mdb)),
      page_count_(static_cast<uint32_t>(std::min<uint64_t>(page_count, UINT32_MAX))) {}

const uint8_t* PageSource::Read(uint32_t number) {
  if (number == 0 || number >= page_count_) return nullptr;
  if (mdb_read_pg(mdb_, number) != static_cast<ssize_t>(layout_.page_size)) return nullptr;
  return mdb_->pg_buf;
}

}  // namespace vorelka::jet
