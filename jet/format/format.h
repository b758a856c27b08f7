// The two Jet file formats, each as the tables of every structure it lays
// out. Jet 3 (Access 97) has 2 KB pages and single-byte text; Jet 4 (Access
// 2000, also the base of later versions) has 4 KB pages and UCS-2 text.
// The structures themselves are described in the headers of this folder:
//
//   page.h              what every page starts with; page types
//   header_page.h       page 0
//   catalog_row.h       MSysObjects
//   table_definition.h  the definition, its column and index entries
//   index_page.h        index node and leaf pages, their entries
//   data_page.h         data pages, the row table, rows, row pointers
//   usage_map.h         inline and reference usage maps
//   long_value.h        memo and OLE values
//   properties.h        property blocks; the database's own properties
//   security.h          owners, SIDs and access-control entries
//   text_index.h        text keys of indexes (General sort order)
//   text_value.h        text as stored
#pragma once

#include <cstddef>
#include <cstdint>

#include "jet/format/bytes.h"
#include "jet/format/data_page.h"
#include "jet/format/index_page.h"
#include "jet/format/jet_format_id.h"
#include "jet/format/page.h"
#include "jet/format/table_definition.h"
#include "jet/format/usage_map.h"

namespace vorelka::jet::format {

struct Format {
  JetFormat id;
  uint32_t page_size;
  uint8_t version;              // header byte header::kVersionOffset
  uint32_t header_masked_size;  // bytes RC4-masked from header::kMaskStart
  uint64_t max_file_size;
  uint16_t text_unit;  // bytes per character of Text columns: 1 or 2
  TableDefinitionLayout tdef;
  IndexPageLayout index;
  DataPageLayout data;
  UsageMapLayout map;

  // What one index page can hold: the smaller of the space after the mask
  // and what the mask's bits can mark.
  size_t IndexPageCapacity() const {
    const size_t space = page_size - index.EntriesStart();
    const size_t marks = index.mask_size * 8;
    return space < marks ? space : marks;
  }
  // Pages one usage-map page covers.
  uint32_t PagesPerMapPage() const {
    return static_cast<uint32_t>((page_size - map::kMapPageBitsOffset) * 8);
  }
  uint64_t MaxPages() const { return max_file_size / page_size; }
};

inline constexpr uint64_t kGiB = 1024ull * 1024 * 1024;

inline constexpr Format kJet3{
    .id = JetFormat::kJet3,
    .page_size = 2048,
    .version = 0x00,
    .header_masked_size = 126,
    .max_file_size = 1 * kGiB,
    .text_unit = 1,
    .tdef = kJet3TableDefinition,
    .index = kJet3IndexPage,
    .data = kJet3DataPage,
    .map = kJet3UsageMap,
};

inline constexpr Format kJet4{
    .id = JetFormat::kJet4,
    .page_size = 4096,
    .version = 0x01,
    .header_masked_size = 128,
    .max_file_size = 2 * kGiB,
    .text_unit = 2,
    .tdef = kJet4TableDefinition,
    .index = kJet4IndexPage,
    .data = kJet4DataPage,
    .map = kJet4UsageMap,
};

inline const Format& FormatOf(JetFormat id) {
  return id == JetFormat::kJet3 ? kJet3 : kJet4;
}
// The header's version byte: 0 is Jet 3; every later version keeps Jet 4's
// layout.
inline const Format& FormatOfVersion(uint8_t version) {
  return version == kJet3.version ? kJet3 : kJet4;
}

// Limits common to both formats.
inline constexpr size_t kMaxTextChars = 255;  // Text(255)
inline constexpr size_t kMaxNameChars = 64;   // table, column and index names
inline constexpr size_t kMaxColumns = 255;

}  // namespace vorelka::jet::format
