#include "jet/write/system_tables.h"

#include "jet/format/page.h"

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

TableLayout QueriesLayout(const Format& format) {
  std::vector<NewColumn> columns = {{"ObjectId", ColumnType::kLong},
                                    {"Attribute", ColumnType::kByte},
                                    {"Order", ColumnType::kBinary},
                                    {"Name1", ColumnType::kText},
                                    {"Name2", ColumnType::kText},
                                    {"Expression", ColumnType::kMemo},
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

std::vector<SystemTable> SystemTables(const Format& format) {
  constexpr uint8_t kUnique = kUniqueIndexFlag;
  constexpr uint8_t kRequired = kRequiredIndexFlag;
  constexpr uint8_t kIgnoreNulls = kIgnoreNullsIndexFlag;
  return {
      {"MSysObjects",
       kCatalogDefinitionPage,
       CatalogLayout(format),
       {{"ParentIdName", {kObjectParentId, kObjectName}, kUnique, false},
        {"Id", {kObjectId}, kUnique, true}}},
      {"MSysACEs",
       kAccessControlDefinitionPage,
       AccessControlLayout(format),
       {{"ObjectId", {kAceObjectId}, kRequired, false}}},
      // Keys by column number: ObjectId, Attribute, Order; szRelationship,
      // szObject, szReferencedObject.
      {"MSysQueries",
       kQueriesDefinitionPage,
       QueriesLayout(format),
       {{"ObjectIdAttribute", {0, 1, 2}, kUnique, true}}},
      {"MSysRelationships",
       kRelationshipsDefinitionPage,
       RelationshipsLayout(format),
       {{"szRelationship", {0}, kIgnoreNulls, false},
        {"szObject", {4}, kIgnoreNulls, false},
        {"szReferencedObject", {6}, kIgnoreNulls, false}}},
  };
}

}  // namespace vorelka::jet::writer
