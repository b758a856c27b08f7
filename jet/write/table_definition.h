// Table-definition pages ("TDEF"): the table's counts and usage maps, its
// columns and names, and its indexes. Layout (Jet 4; Jet 3 in brackets):
//
//   header    0x02 0x01, free space - 8 [the bytes "VC"], next page(4),
//             length(4), [Jet 4: 0x0659(4)], rows(4), autonumber(4),
//             [Jet 4: 0x01, 15 zero bytes], type 0x4E user / 0x53 system,
//             max columns(2), variable columns(2), columns(2),
//             logical indexes(4), physical indexes(4), owned-pages map(4),
//             free-space map(4)                        (63 [43] bytes)
//   per physical index: 0(4), rows(4), [Jet 4: 0(4)]
//   per column (25 [18] bytes): type, [Jet 4: 0x0659(4)], number(2),
//             variable slot(2), number(2), sort order(2) [Jet 3: 1(2),
//             sort order(2), code page(2)] [Jet 4: 0, version], flags,
//             [Jet 4: 0x01 = compressed text, 0(4)], fixed offset(2), length(2)
//   column names: length (2 [1]) and UCS-2 [code page] bytes
//   System tables' columns sort General and, in Jet 4, are never compressed;
//   Owner and SID carry the security-id flag 0x20.
//   per physical index (52 [39] bytes): [Jet 4: 0x0783(4)], 10 slots of
//             column number(2) + order(1) (0xFFFF for none), usage map(4),
//             root page(4), [Jet 4: 0(4)], flags, [Jet 4: 0(5)]
//   per logical index (28 [20] bytes): [Jet 4: 0x0659(4)], number(4),
//             physical index(4), 0, -1(4), 0(4), 0x04, 0x04, type 1 = primary
//             key, [Jet 4: 0(4)]
//   index names, then 0xFFFF (no long-value column maps).
//
// Maps are named by row pointers (data::MakeRowPointer). A definition longer than
// a page continues on further pages, each with an 8-byte header.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "jet/write/table_layout.h"

namespace vorelka::jet::writer {

using format::Format;

// One index: a physical index and the logical index that names it. The
// logical entries are written in name order, as Access does, each naming
// its physical index by number.
struct IndexFacts {
  std::string name;
  std::vector<uint16_t> columns;  // column numbers, each ascending
  uint8_t flags = 0;              // unique, ignore nulls, required
  bool primary_key = false;
  uint32_t root_page = 0;
  uint32_t usage_map = 0;  // row pointer
};

struct TableFacts {
  bool system = false;
  uint32_t row_count = 0;
  uint32_t owned_pages_map = 0;  // row pointer
  uint32_t free_space_map = 0;   // row pointer
  std::vector<IndexFacts> indexes;
};

// The whole definition; its first 8 bytes, the page head, are left for
// PaginateTableDefinition. Returns false with *problem set if a name cannot
// be encoded.
bool BuildTableDefinition(const Format& format, const TableLayout& layout, const TableFacts& facts,
                          std::vector<uint8_t>* out, std::string* problem);

// Splits a definition over its first page and as many continuation pages as
// it needs, numbered from first_continuation on. Returns the pages' bytes.
std::vector<std::vector<uint8_t>> PaginateTableDefinition(const Format& format,
                                                          const std::vector<uint8_t>& definition,
                                                          uint32_t first_continuation);

}  // namespace vorelka::jet::writer
