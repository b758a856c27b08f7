// The catalog, MSysObjects: the system table every engine reads first (its
// definition is always on page 2) to find the other objects. It holds the
// columns Access gives it and these rows:
//
//   Id          ParentId    Name           Type  Flags
//   0x0F000001  0x0F000000  Tables         3     0x80000000   (container)
//   0x0F000002  0x0F000000  Databases      3     0x80000000   (container)
//   0x0F000003  0x0F000000  Relationships  3     0x80000000   (container)
//   0x10000000  0x0F000002  MSysDb         2     0x80000000
//   2           0x0F000001  MSysObjects    1     0x80000000
//   6           0x0F000001  MSysRelationships 1  0x80000000   (empty)
//   <page>      0x0F000001  <table>        1     0
//
// A table's Id is the page number of its definition. The long-value columns
// (Database, Connect, RmtInfoLong, Lv, LvProp, LvModule, LvExtra) and Owner,
// ForeignName and RmtInfoShort are Null in every row.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "jet/write/table_layout.h"

namespace vorelka::jet::writer {

using format::Format;

TableLayout CatalogLayout(const Format& format);

// MSysRelationships, which tools read for foreign keys; always empty here.
TableLayout RelationshipsLayout(const Format& format);

// The encoded catalog rows for one user table whose definition is on
// table_page. Returns false with *problem set if the name cannot be stored.
bool BuildCatalogRows(const Format& format, const std::string& table_name, uint32_t table_page,
                      double date, std::vector<std::vector<uint8_t>>* rows, std::string* problem);

}  // namespace vorelka::jet::writer
