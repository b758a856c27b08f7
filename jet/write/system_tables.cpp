#include "jet/write/system_tables.h"

#include "jet/format/page.h"
#include "jet/write/access_rights.h"
#include "jet/write/catalog.h"
#include "jet/write/system_indexes.h"

namespace vorelka::jet::writer {

using namespace format;  // NOLINT(google-build-using-namespace): the format this writes
using namespace tdef;    // NOLINT(google-build-using-namespace)

TableLayout CatalogLayout(const Format& format) {
  return LayOutColumns(format, {{"Id", ColumnType::kLong},
                                {"ParentId", ColumnType::kLong},
                                {"Name", ColumnType::kText},
                                {"Type", ColumnType::kInteger},
                                {"DateCreate", ColumnType::kDateTime},
                                {"DateUpdate", ColumnType::kDateTime},
                                {"Owner", ColumnType::kBinary, /*security_id=*/true},
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

TableLayout AccessControlLayout(const Format& format) {
  return LayOutColumns(format, {{"ObjectId", ColumnType::kLong},
                                {"SID", ColumnType::kBinary, /*security_id=*/true},
                                {"ACM", ColumnType::kLong},
                                {"FInheritable", ColumnType::kBoolean}});
}

namespace {

constexpr uint8_t kUnique = kUniqueIndexFlag;
constexpr uint8_t kRequired = kRequiredIndexFlag;
constexpr uint8_t kIgnoreNulls = kIgnoreNullsIndexFlag;

TableLayout QueriesLayout(const Format& format) {
  std::vector<NewColumn> columns = {
      {"ObjectId", ColumnType::kLong}, {"Attribute", ColumnType::kByte},
      {"Order", ColumnType::kBinary},  {"Name1", ColumnType::kText},
      {"Name2", ColumnType::kText},    {"Expression", ColumnType::kMemo},
      {"Flag", ColumnType::kInteger}};
  // Jet 4 added one column.
  if (format.id == JetFormat::kJet4) columns.push_back({"LvExtra", ColumnType::kLong});
  return LayOutColumns(format, columns);
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

}  // namespace

bool CatalogTable(const Format& format, const std::string& table_name, uint32_t table_page,
                  double date, SystemTable* table, std::string* problem) {
  const std::vector<CatalogObject> objects = CatalogObjects(table_name, table_page);
  *table = {.name = "MSysObjects",
            .definition_page = kCatalogDefinitionPage,
            .layout = CatalogLayout(format),
            .indexes = {{"ParentIdName", {kObjectParentId, kObjectName}, kUnique, false},
                        {"Id", {kObjectId}, kUnique, true}},
            .data_page = kCatalogDataPage,
            .rows = {},  // below
            .index_entries = CatalogIndexEntries(format, objects, kCatalogDataPage)};
  return BuildCatalogRows(format, objects, date, &table->rows, problem);
}

SystemTable AccessControlTable(const Format& format, uint32_t table_page) {
  const std::vector<AccessControlEntry> entries = AccessControlEntries(table_page);
  return {.name = "MSysACEs",
          .definition_page = kAccessControlDefinitionPage,
          .layout = AccessControlLayout(format),
          .indexes = {{"ObjectId", {kAceObjectId}, kRequired, false}},
          .data_page = kAccessControlDataPage,
          .rows = BuildAccessControlRows(format, entries),
          .index_entries = AccessControlIndexEntries(entries, kAccessControlDataPage)};
}

// No rows, so no data page and every index empty. Keys by column number:
// ObjectId, Attribute, Order.
SystemTable QueriesTable(const Format& format) {
  return {.name = "MSysQueries",
          .definition_page = kQueriesDefinitionPage,
          .layout = QueriesLayout(format),
          .indexes = {{"ObjectIdAttribute", {0, 1, 2}, kUnique, true}},
          .rows = {},
          .index_entries = {{}}};
}

// No rows either. Keys by column number: szRelationship, szObject,
// szReferencedObject.
SystemTable RelationshipsTable(const Format& format) {
  return {.name = "MSysRelationships",
          .definition_page = kRelationshipsDefinitionPage,
          .layout = RelationshipsLayout(format),
          .indexes = {{"szRelationship", {0}, kIgnoreNulls, false},
                      {"szObject", {4}, kIgnoreNulls, false},
                      {"szReferencedObject", {6}, kIgnoreNulls, false}},
          .rows = {},
          .index_entries = {{}, {}, {}}};
}

bool MakeSystemTables(const Format& format, const std::string& table_name, uint32_t table_page,
                      double date, std::vector<SystemTable>* tables, std::string* problem) {
  tables->resize(1);
  if (!CatalogTable(format, table_name, table_page, date, &tables->front(), problem)) {
    return false;
  }
  tables->push_back(AccessControlTable(format, table_page));
  tables->push_back(QueriesTable(format));
  tables->push_back(RelationshipsTable(format));
  return true;
}

}  // namespace vorelka::jet::writer
