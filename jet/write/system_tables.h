// The system tables Jet's CreateDatabase leaves in every database, with the
// columns, in order, that Jet gives them (lengths follow the format: Text
// and Binary hold 255 bytes in Jet 3, 510 in Jet 4):
//
//   MSysObjects        the catalog: one row per object (catalog.h)
//   MSysACEs           access-control entries: who may do what with each
//                      object (access_rights.h)
//   MSysQueries        saved queries; none here
//   MSysRelationships  relations between tables; none here
//
// Their definitions lie on pages 2 to 5, the rows of the first two on pages
// 8 and 9 (page.h); each has the indexes Jet gives it:
//
//   MSysObjects        ParentIdName (ParentId, Name) unique; Id primary key
//   MSysACEs           ObjectId, required
//   MSysQueries        ObjectIdAttribute (ObjectId, Attribute, Order), primary
//   MSysRelationships  szRelationship, szObject, szReferencedObject, each
//                      ignoring Nulls
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "jet/write/table_layout.h"

namespace vorelka::jet::writer {

using format::Format;

// The index of a table before its pages are placed: names, columns, flags.
struct IndexShape {
  std::string name;
  std::vector<uint16_t> columns;
  uint8_t flags;
  bool primary_key;
};

// A system table with all it holds: its definition, its rows, which fit on
// one data page, and the entries of each of its indexes, which fit on one
// leaf page each.
struct SystemTable {
  std::string name;
  uint32_t definition_page;
  TableLayout layout;
  std::vector<IndexShape> indexes;
  uint32_t data_page = 0;  // 0: the table has no rows and no data page
  std::vector<std::vector<uint8_t>> rows;
  std::vector<std::vector<std::string>> index_entries;  // one list per index, in index order
};

// Column numbers of MSysObjects.
enum CatalogColumn : uint16_t {
  kObjectId,
  kObjectParentId,
  kObjectName,
  kObjectType,
  kObjectDateCreate,
  kObjectDateUpdate,
  kObjectOwner,
  kObjectFlags,
  kObjectDatabase,
  kObjectConnect,
  kObjectForeignName,
  kObjectRmtInfoShort,
  kObjectRmtInfoLong,
  kObjectLv,
  kObjectLvProp,
  kObjectLvModule,
  kObjectLvExtra,
  kCatalogColumns
};

// Column numbers of MSysACEs.
enum AccessControlColumn : uint16_t {
  kAceObjectId,
  kAceSid,
  kAceAcm,
  kAceInheritable,
  kAceColumns
};

TableLayout CatalogLayout(const Format& format);
TableLayout AccessControlLayout(const Format& format);

// Each system table of a database whose one user table is `table_name`,
// defined on table_page and made on `date`. CatalogTable returns false with
// *problem set if the catalog cannot hold the name.
bool CatalogTable(const Format& format, const std::string& table_name, uint32_t table_page,
                  double date, SystemTable* table, std::string* problem);
SystemTable AccessControlTable(const Format& format, uint32_t table_page);
SystemTable QueriesTable(const Format& format);
SystemTable RelationshipsTable(const Format& format);

// All four, in the order above.
bool MakeSystemTables(const Format& format, const std::string& table_name, uint32_t table_page,
                      double date, std::vector<SystemTable>* tables, std::string* problem);

}  // namespace vorelka::jet::writer
