#include "jet/write/catalog.h"

#include <bit>
#include <cstring>

#include "jet/format/catalog_row.h"
#include "jet/format/long_value.h"
#include "jet/format/page.h"
#include "jet/write/database_properties.h"
#include "jet/write/row_encoder.h"
#include "jet/write/system_tables.h"
#include "jet/write/text_encoding.h"

namespace vorelka::jet::writer {

using namespace format;   // NOLINT(google-build-using-namespace): the format this writes
using namespace catalog;  // NOLINT(google-build-using-namespace)
using namespace security;  // NOLINT(google-build-using-namespace)
namespace {

template <typename T>
std::string LittleEndian(T value) {
  std::string bytes(sizeof value, '\0');
  std::memcpy(bytes.data(), &value, sizeof value);
  return bytes;
}

// A memo or OLE value stored in the row itself, after its header.
std::string InlineLongValue(const std::string& value) {
  std::string bytes =
      LittleEndian(static_cast<uint32_t>(value.size()) | long_value::kInlineValue);
  bytes.append(long_value::kHeaderSize - sizeof(uint32_t), '\0');
  return bytes + value;
}

}  // namespace

std::vector<CatalogObject> CatalogObjects(const std::string& table_name, uint32_t table_page) {
  return {
      {kTablesContainerId, kRootContainerId, "Tables", kContainerType, kSystemObjectFlag,
       kEngineSid},
      {kDatabasesContainerId, kRootContainerId, "Databases", kContainerType, kSystemObjectFlag,
       kEngineSid},
      {kRelationshipsContainerId, kRootContainerId, "Relationships", kContainerType,
       kSystemObjectFlag, kEngineSid},
      {kDatabaseObjectId, kDatabasesContainerId, "MSysDb", kDatabaseType, kSystemObjectFlag,
       kAdminSid},
      {kCatalogDefinitionPage, kTablesContainerId, "MSysObjects", kTableType, kSystemObjectFlag,
       kEngineSid},
      {kAccessControlDefinitionPage, kTablesContainerId, "MSysACEs", kTableType, kSystemObjectFlag,
       kEngineSid},
      {kQueriesDefinitionPage, kTablesContainerId, "MSysQueries", kTableType, kSystemObjectFlag,
       kEngineSid},
      {kRelationshipsDefinitionPage, kTablesContainerId, "MSysRelationships", kTableType,
       kSystemObjectFlag, kEngineSid},
      {table_page, kTablesContainerId, table_name, kTableType, kUserObjectFlags, kAdminSid},
  };
}

bool BuildCatalogRows(const Format& format, const std::vector<CatalogObject>& objects, double date,
                      std::vector<std::vector<uint8_t>>* rows, std::string* problem) {
  static_assert(std::endian::native == std::endian::little, "rows are stored little-endian");
  const TableLayout layout = CatalogLayout(format);
  const bool jet4 = format.id == JetFormat::kJet4;
  const std::string properties = InlineLongValue(DatabaseProperties(format));
  rows->clear();
  for (const CatalogObject& object : objects) {
    std::string name;
    // The catalog's text columns are never compressed.
    if (!EncodeName(format, object.name, &name, problem)) {
      *problem = "table name \"" + object.name + "\" " + *problem;
      return false;
    }
    const std::string id = LittleEndian(object.id);
    const std::string parent = LittleEndian(object.parent_id);
    const std::string type = LittleEndian(object.type);
    const std::string when = LittleEndian(date);
    const std::string flags = LittleEndian(object.flags);
    const Sid sid = StoredSid(jet4, object.owner);
    const std::string owner(sid.begin(), sid.end());
    Cell cells[kCatalogColumns];  // Null unless set
    cells[kObjectId] = CellOf(id);
    cells[kObjectParentId] = CellOf(parent);
    cells[kObjectName] = CellOf(name);
    cells[kObjectType] = CellOf(type);
    cells[kObjectDateCreate] = CellOf(when);
    cells[kObjectDateUpdate] = CellOf(when);
    cells[kObjectOwner] = CellOf(owner);
    cells[kObjectFlags] = CellOf(flags);
    if (object.id == kDatabaseObjectId) cells[kObjectLvProp] = CellOf(properties);
    std::vector<uint8_t> encoded;
    if (!EncodeRow(format, layout, cells, &encoded, problem)) return false;
    rows->push_back(std::move(encoded));
  }
  return true;
}

}  // namespace vorelka::jet::writer
