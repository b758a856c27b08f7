// The catalog, MSysObjects: the system table every engine reads first (its
// definition is always on page 2) to find the other objects. Its rows are
// the objects Jet's CreateDatabase makes, then the user's table:
//
//   Id          ParentId    Name               Type  Flags       Owner
//   0x0F000001  0x0F000000  Tables             3     0x80000000  engine
//   0x0F000002  0x0F000000  Databases          3     0x80000000  engine
//   0x0F000003  0x0F000000  Relationships      3     0x80000000  engine
//   0x10000000  0x0F000002  MSysDb             2     0x80000000  Admin
//   2           0x0F000001  MSysObjects        1     0x80000000  engine
//   3           0x0F000001  MSysACEs           1     0x80000000  engine
//   4           0x0F000001  MSysQueries        1     0x80000000  engine
//   5           0x0F000001  MSysRelationships  1     0x80000000  engine
//   <page>      0x0F000001  <table>            1     0           Admin
//
// The first three are containers; a table's Id is the page number of its
// definition. MSysDb's LvProp holds the database's properties
// (database_properties.h); the other long-value columns and Database,
// Connect, ForeignName and RmtInfoShort are Null in every row.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "jet/format/security.h"
#include "jet/write/table_layout.h"

namespace vorelka::jet::writer {

using format::Format;

struct CatalogObject {
  uint32_t id;
  uint32_t parent_id;
  std::string name;
  uint16_t type;
  uint32_t flags;
  format::security::Sid owner;
};

// The rows above, in that order, for a user table defined on table_page.
std::vector<CatalogObject> CatalogObjects(const std::string& table_name, uint32_t table_page);

// The encoded catalog rows. Returns false with *problem set if a name cannot
// be stored.
bool BuildCatalogRows(const Format& format, const std::vector<CatalogObject>& objects, double date,
                      std::vector<std::vector<uint8_t>>* rows, std::string* problem);

}  // namespace vorelka::jet::writer
