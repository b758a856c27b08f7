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
// Their definitions lie on pages 2 to 5; each has the indexes Jet gives it:
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

struct SystemTable {
  std::string name;
  uint32_t definition_page;
  TableLayout layout;
  std::vector<IndexShape> indexes;
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
enum AccessControlColumn : uint16_t { kAceObjectId, kAceSid, kAceAcm, kAceInheritable, kAceColumns };

// MSysObjects, MSysACEs, MSysQueries and MSysRelationships, in that order.
std::vector<SystemTable> SystemTables(const Format& format);
TableLayout CatalogLayout(const Format& format);
TableLayout AccessControlLayout(const Format& format);

}  // namespace vorelka::jet::writer
