#include "jet/write/catalog.h"

#include <bit>
#include <cstring>

#include "jet/write/row_encoder.h"
#include "jet/write/text_encoding.h"
#include "jet/format/catalog_row.h"

namespace vorelka::jet::writer {

using namespace format;  // NOLINT(google-build-using-namespace): the format this writes
using namespace catalog;  // NOLINT(google-build-using-namespace)
namespace {

enum CatalogColumn : size_t {
  kId,
  kParentId,
  kName,
  kType,
  kDateCreate,
  kDateUpdate,
  kOwner,
  kFlags,
  kDatabase,
  kConnect,
  kForeignName,
  kRmtInfoShort,
  kRmtInfoLong,
  kLv,
  kLvProp,
  kLvModule,
  kLvExtra,
  kCatalogColumns
};


struct CatalogRow {
  uint32_t id;
  uint32_t parent_id;
  std::string name;
  uint16_t type;
  uint32_t flags;
};

template <typename T>
std::string LittleEndian(T value) {
  std::string bytes(sizeof value, '\0');
  std::memcpy(bytes.data(), &value, sizeof value);
  return bytes;
}

}  // namespace

TableLayout CatalogLayout(const Format& format) {
  return LayOutColumns(format, {{"Id", ColumnType::kLong},
                                {"ParentId", ColumnType::kLong},
                                {"Name", ColumnType::kText},
                                {"Type", ColumnType::kInteger},
                                {"DateCreate", ColumnType::kDateTime},
                                {"DateUpdate", ColumnType::kDateTime},
                                {"Owner", ColumnType::kBinary},
                                {"Flags", ColumnType::kLong},
                                {"Database", ColumnType::kMemo},
                                {"Connect", ColumnType::kMemo},
                                {"ForeignName", ColumnType::kText},
                                {"RmtInfoShort", ColumnType::kBinary},
                                {"RmtInfoLong", ColumnType::kOle},
                                {"Lv", ColumnType::kOle},
                                {"LvProp", ColumnType::kOle},
                                {"LvModule", ColumnType::kOle},
                                {"LvExtra", ColumnType::kOle}});
}

TableLayout RelationshipsLayout(const Format& format) {
  return LayOutColumns(format, {{"szRelationship", ColumnType::kText},
                                {"grbit", ColumnType::kLong},
                                {"ccolumn", ColumnType::kLong},
                                {"icolumn", ColumnType::kLong},
                                {"szObject", ColumnType::kText},
                                {"szColumn", ColumnType::kText},
                                {"szReferencedObject", ColumnType::kText},
                                {"szReferencedColumn", ColumnType::kText}});
}

bool BuildCatalogRows(const Format& format, const std::string& table_name, uint32_t table_page,
                      double date, std::vector<std::vector<uint8_t>>* rows, std::string* problem) {
  static_assert(std::endian::native == std::endian::little, "rows are stored little-endian");
  const std::vector<CatalogRow> catalog = {
      {kTablesContainerId, kRootContainerId, "Tables", kContainerType, kSystemObjectFlag},
      {kDatabasesContainerId, kRootContainerId, "Databases", kContainerType, kSystemObjectFlag},
      {kRelationshipsContainerId, kRootContainerId, "Relationships", kContainerType,
       kSystemObjectFlag},
      {kDatabaseObjectId, kDatabasesContainerId, "MSysDb", kDatabaseType, kSystemObjectFlag},
      {kCatalogDefinitionPage, kTablesContainerId, "MSysObjects", kTableType, kSystemObjectFlag},
      {kRelationshipsDefinitionPage, kTablesContainerId, "MSysRelationships", kTableType,
       kSystemObjectFlag},
      {table_page, kTablesContainerId, table_name, kTableType, 0},
  };
  const TableLayout layout = CatalogLayout(format);
  rows->clear();
  for (const CatalogRow& row : catalog) {
    std::string name;
    if (!EncodeTextValue(format, row.name, &name, problem)) {
      *problem = "table name \"" + row.name + "\" " + *problem;
      return false;
    }
    const std::string id = LittleEndian(row.id);
    const std::string parent = LittleEndian(row.parent_id);
    const std::string type = LittleEndian(row.type);
    const std::string when = LittleEndian(date);
    const std::string flags = LittleEndian(row.flags);
    Cell cells[kCatalogColumns];  // Null unless set
    cells[kId] = CellOf(id);
    cells[kParentId] = CellOf(parent);
    cells[kName] = CellOf(name);
    cells[kType] = CellOf(type);
    cells[kDateCreate] = CellOf(when);
    cells[kDateUpdate] = CellOf(when);
    cells[kFlags] = CellOf(flags);
    std::vector<uint8_t> encoded;
    if (!EncodeRow(format, layout, cells, &encoded, problem)) return false;
    rows->push_back(std::move(encoded));
  }
  return true;
}

}  // namespace vorelka::jet::writer
