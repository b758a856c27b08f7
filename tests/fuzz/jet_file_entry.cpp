// Fuzz entry: every structure of a Jet file made of the input bytes, read
// straight from memory by the decoders: the header, the catalog, the
// definition and usage maps of every table it names, and every value of
// every row. Whatever the bytes, a read ends in a value or in the engine's
// error, never in a crash, a hang or a read outside the input.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "jet/format/catalog_row.h"
#include "jet/format/page.h"
#include "jet/format/page_file.h"
#include "jet/read/open_table.h"
#include "services/error.h"

namespace {

using namespace vorelka::jet;  // NOLINT(google-build-using-namespace)

void ReadEveryValue(const OpenTable& table) {
  table.ForEachRow([&](const RowLocation&, const Row& row) {
    for (size_t column = 0; column < row.fields.size(); ++column) {
      table.FieldValue(row, column).AsText();
    }
  });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    format::PageFile file(std::vector<uint8_t>(data, data + size), "fuzz.mdb");
    const OpenTable catalog(file, format::kCatalogDefinitionPage, "MSysObjects");
    const auto id = catalog.FindColumn("Id");
    const auto type = catalog.FindColumn("Type");
    std::vector<uint32_t> pages;
    catalog.ForEachRow([&](const RowLocation&, const Row& row) {
      for (size_t column = 0; column < row.fields.size(); ++column) catalog.FieldValue(row, column);
      if (!id || !type) return;
      const auto kind = catalog.IntegerField(row, *type);
      const auto object = catalog.IntegerField(row, *id);
      if (kind && object && (*kind & format::catalog::kObjectKindMask) == format::catalog::kTableType) {
        pages.push_back(static_cast<uint32_t>(*object) & format::catalog::kObjectPageMask);
      }
    });
    for (const uint32_t page : pages) {
      try {
        ReadEveryValue(OpenTable(file, page, "table"));
      } catch (const vorelka::services::ErrorRaised&) {
        // One damaged table; the others are still read.
      }
    }
  } catch (const vorelka::services::ErrorRaised&) {
    // A damaged file is reported; that is the expected way out.
  }
  return 0;
}
