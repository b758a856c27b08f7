// Fuzz entry: the primary-key seek over a words.mdb made of the input bytes.
// The file is opened as the reader opens it, the Words table found in the
// catalog, then a few keys are sought through the index (falling back to
// the scan as the lookup does): no crash, no hang, whatever the pages hold.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>

#include "jet/read/catalog_lookup.h"
#include "jet/format/page_file.h"
#include "jet/read/index_seek.h"
#include "jet/read/open_table.h"
#include "jet/read/row_lookup.h"
#include "services/error.h"
#include "tests/fuzz/memory_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vorelka::jet;
  const std::string& path =
      vorelka::fuzz::MemoryFileWith(data, vorelka::fuzz::WholePages(data, size));
  try {
    format::PageFile file(path);
    const CatalogEntry entry = FindTable(file, "Words");
    const OpenTable table(file, entry.definition_page, entry.name);
    const auto id = table.FindColumn("Id");
    if (!id) return 0;
    int32_t chosen = 0;
    if (size >= sizeof chosen) std::memcpy(&chosen, data + size - sizeof chosen, sizeof chosen);
    for (const int32_t key : {1, 2, 0, -1, std::numeric_limits<int32_t>::max(), chosen}) {
      SeekLongKey(table, *id, key);
      FindRowsWithLong(table, *id, key);
    }
  } catch (const vorelka::services::ErrorRaised&) {
    // A damaged file is reported; that is the expected way out.
  }
  return 0;
}
