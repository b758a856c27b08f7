// The system tables and catalog rows of the writer's files, held against what
// the databases Access 97 and Access 2000 create hold (Northwind, Jackcess's
// empty Access 2000 template and test files, mdbtools' test data). The facts
// below were read from those files; the files themselves are not ours to
// ship. libmdb reads the rows; system_definition.h takes the definitions
// apart, and the catalog's name index is walked entry by entry.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

#include "jet/format/format.h"
#include "tests/writer/system_definition.h"
#include "tests/writer/writer_test_support.h"

namespace vorelka::testing {
namespace {

using jet::JetFormat;

namespace format = jet::format;
using format::tdef::kBinaryColumn, format::tdef::kBoolColumn, format::tdef::kByteColumn,
    format::tdef::kDateTimeColumn, format::tdef::kIntegerColumn, format::tdef::kLongColumn,
    format::tdef::kMemoColumn, format::tdef::kOleColumn, format::tdef::kTextColumn;
constexpr int kFixed = 0x13, kVariable = 0x12, kSid = 0x32;  // column flags
constexpr int kGeneral = 0x0409;

struct ColumnFact {
  const char* name;
  int type;
  int flags;
};

// Text and Binary columns hold 255 bytes in Jet 3 and 510 in Jet 4; the others
// their type's width, 0 for Memo and OLE. Every system column sorts General
// and Jet 4 stores their text uncompressed.
std::vector<DefinedColumn> Expected(JetFormat format, const std::vector<ColumnFact>& facts) {
  const std::map<int, int> widths = {{kBoolColumn, 1},
                                     {kByteColumn, 1},
                                     {kIntegerColumn, 2},
                                     {kLongColumn, 4},
                                     {kDateTimeColumn, 8},
                                     {kTextColumn, format == JetFormat::kJet4 ? 510 : 255},
                                     {kBinaryColumn, format == JetFormat::kJet4 ? 510 : 255}};
  std::vector<DefinedColumn> columns;
  for (const ColumnFact& f : facts) {
    const auto width = widths.find(f.type);
    columns.push_back(
        {f.name, f.type, width == widths.end() ? 0 : width->second, f.flags, kGeneral, false});
  }
  return columns;
}

std::vector<DefinedColumn> CatalogColumns(JetFormat format) {
  return Expected(format, {{"Id", kLongColumn, kFixed},
                           {"ParentId", kLongColumn, kFixed},
                           {"Name", kTextColumn, kVariable},
                           {"Type", kIntegerColumn, kFixed},
                           {"DateCreate", kDateTimeColumn, kFixed},
                           {"DateUpdate", kDateTimeColumn, kFixed},
                           {"Owner", kBinaryColumn, kSid},
                           {"Flags", kLongColumn, kFixed},
                           {"Database", kMemoColumn, kVariable},
                           {"Connect", kMemoColumn, kVariable},
                           {"ForeignName", kTextColumn, kVariable},
                           {"RmtInfoShort", kBinaryColumn, kVariable},
                           {"RmtInfoLong", kOleColumn, kVariable},
                           {"Lv", kOleColumn, kVariable},
                           {"LvProp", kOleColumn, kVariable},
                           {"LvModule", kOleColumn, kVariable},
                           {"LvExtra", kOleColumn, kVariable}});
}

std::vector<DefinedColumn> QueriesColumns(JetFormat format) {
  std::vector<ColumnFact> facts = {
      {"ObjectId", kLongColumn, kFixed},   {"Attribute", kByteColumn, kFixed},
      {"Order", kBinaryColumn, kVariable}, {"Name1", kTextColumn, kVariable},
      {"Name2", kTextColumn, kVariable},   {"Expression", kMemoColumn, kVariable},
      {"Flag", kIntegerColumn, kFixed}};
  if (format == JetFormat::kJet4) facts.push_back({"LvExtra", kLongColumn, kFixed});
  return Expected(format, facts);
}

// Index flags: 0x01 unique, 0x02 ignore Nulls, 0x08 required; Jet 4 adds
// 0x80 to every index.
int IndexFlags(JetFormat format, int flags) {
  return format == JetFormat::kJet4 ? flags | 0x80 : flags;
}

class Catalog : public ::testing::TestWithParam<JetFormat> {
 protected:
  void SetUp() override {
    WriteWords(file_, GetParam(), {{1, "cat", "кошка"}, {2, "dog", "собака"}});
    bytes_ = ReadBytes(file_);
  }
  bool Jet4() const { return GetParam() == JetFormat::kJet4; }
  Definition Read(uint32_t page) const { return ReadDefinition(bytes_, GetParam(), page); }
  // Rows as libmdb exports them, binary as hex, in stored order.
  std::vector<std::string> Export(const std::string& table, const std::string& columns) const {
    const RunResult r =
        RunProgram({"mdb-export", "-H", "-b", "hex", "-d", "|", "-Q", file_.string(), table});
    EXPECT_EQ(r.exit_code, 0) << r.err;
    std::vector<std::string> rows;
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);) rows.push_back(Pick(line, columns));
    return rows;
  }
  // The fields numbered in `columns` ("0 1 2"), joined by '|'.
  static std::string Pick(const std::string& line, const std::string& columns) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '|');) fields.push_back(field);
    if (!line.empty() && line.back() == '|') fields.push_back("");
    std::istringstream numbers(columns);
    std::string out;
    bool first = true;
    for (size_t k; numbers >> k; first = false) {
      out += (first ? "" : "|") + (k < fields.size() ? fields[k] : "?");
    }
    return out;
  }

  TempDir dir_;
  std::filesystem::path file_ = dir_ / "words.mdb";
  std::string bytes_;
};

TEST_P(Catalog, SystemTablesHaveJetsColumnsFlagsAndIndexes) {
  const JetFormat f = GetParam();
  const Definition objects = Read(format::kCatalogDefinitionPage);
  EXPECT_EQ(objects.table_type, format::tdef::kSystemTableType);
  EXPECT_EQ(objects.columns, CatalogColumns(f));
  EXPECT_EQ(objects.indexes, (std::vector<DefinedIndex>{
                                 {"ParentIdName", {"ParentId", "Name"}, IndexFlags(f, 0x01), false},
                                 {"Id", {"Id"}, IndexFlags(f, 0x01), true}}));

  const Definition aces = Read(format::kAccessControlDefinitionPage);
  EXPECT_EQ(aces.table_type, format::tdef::kSystemTableType);
  EXPECT_EQ(aces.columns, Expected(f, {{"ObjectId", kLongColumn, kFixed},
                                       {"SID", kBinaryColumn, kSid},
                                       {"ACM", kLongColumn, kFixed},
                                       {"FInheritable", kBoolColumn, kFixed}}));
  EXPECT_EQ(aces.indexes,
            (std::vector<DefinedIndex>{{"ObjectId", {"ObjectId"}, IndexFlags(f, 0x08), false}}));

  const Definition queries = Read(format::kQueriesDefinitionPage);
  EXPECT_EQ(queries.table_type, format::tdef::kSystemTableType);
  EXPECT_EQ(queries.columns, QueriesColumns(f));
  EXPECT_EQ(
      queries.indexes,
      (std::vector<DefinedIndex>{
          {"ObjectIdAttribute", {"ObjectId", "Attribute", "Order"}, IndexFlags(f, 0x01), true}}));

  const Definition relationships = Read(format::kRelationshipsDefinitionPage);
  EXPECT_EQ(relationships.table_type, format::tdef::kSystemTableType);
  EXPECT_EQ(relationships.columns, Expected(f, {{"szRelationship", kTextColumn, kVariable},
                                                {"grbit", kLongColumn, kFixed},
                                                {"ccolumn", kLongColumn, kFixed},
                                                {"icolumn", kLongColumn, kFixed},
                                                {"szObject", kTextColumn, kVariable},
                                                {"szColumn", kTextColumn, kVariable},
                                                {"szReferencedObject", kTextColumn, kVariable},
                                                {"szReferencedColumn", kTextColumn, kVariable}}));
  EXPECT_EQ(relationships.indexes,
            (std::vector<DefinedIndex>{
                {"szRelationship", {"szRelationship"}, IndexFlags(f, 0x02), false},
                {"szObject", {"szObject"}, IndexFlags(f, 0x02), false},
                {"szReferencedObject", {"szReferencedObject"}, IndexFlags(f, 0x02), false}}));
}

TEST_P(Catalog, UserTableKeepsItsColumnsAndPrimaryKey) {
  const Definition words = Read(format::kTableDefinitionPage);
  EXPECT_EQ(words.table_type, format::tdef::kUserTableType);
  EXPECT_EQ(words.rows, 2u);
  ASSERT_EQ(words.columns.size(), 3u);
  EXPECT_EQ(words.columns[0].name, "Id");
  // The user's text sorts by the database's order: Cyrillic in Jet 3.
  EXPECT_EQ(words.columns[1].sort_order, Jet4() ? kGeneral : 0x0419);
  EXPECT_EQ(words.columns[1].compressed, Jet4());
  EXPECT_EQ(
      words.indexes,
      (std::vector<DefinedIndex>{{"PrimaryKey", {"Id"}, IndexFlags(GetParam(), 0x09), true}}));
}

TEST_P(Catalog, RowsAreTheObjectsJetCreatesWithTheirOwners) {
  // Owners: the engine owns the containers and system tables, Admin the
  // database and the user's tables. Jet 4 stores SIDs masked, as in Access
  // 2000's own empty database.
  const std::string engine = Jet4() ? "A731" : "0203";
  const std::string admin = Jet4() ? "A633" : "0301";
  const std::string system = "-2147483648";  // flags 0x80000000
  EXPECT_EQ(Export("MSysObjects", "0 1 2 3 6 7"),
            (std::vector<std::string>{
                "251658241|251658240|Tables|3|" + engine + "|" + system,
                "251658242|251658240|Databases|3|" + engine + "|" + system,
                "251658243|251658240|Relationships|3|" + engine + "|" + system,
                "268435456|251658242|MSysDb|2|" + admin + "|" + system,
                "2|251658241|MSysObjects|1|" + engine + "|" + system,
                "3|251658241|MSysACEs|1|" + engine + "|" + system,
                "4|251658241|MSysQueries|1|" + engine + "|" + system,
                "5|251658241|MSysRelationships|1|" + engine + "|" + system,
                "6|251658241|Words|1|" + admin + "|0",
            }));
  // Database, Connect, ForeignName, RmtInfoShort, RmtInfoLong, Lv, LvModule
  // and LvExtra are Null everywhere; LvProp is set on MSysDb alone.
  for (const std::string& row : Export("MSysObjects", "8 9 10 11 12 13 15 16")) {
    EXPECT_EQ(row, "|||||||");
  }
  const std::vector<std::string> properties = Export("MSysObjects", "14");
  for (size_t i = 0; i < properties.size(); ++i) EXPECT_EQ(properties[i].empty(), i != 3) << i;
  // Both dates are set.
  for (const char* date : {"4", "5"}) {
    for (const std::string& row : Export("MSysObjects", date)) EXPECT_FALSE(row.empty());
  }
}

TEST_P(Catalog, AccessControlEntriesGiveTheBuiltInSidsJetsRights) {
  const std::string creator = Jet4() ? "A736" : "0204";
  const std::string admin = Jet4() ? "A633" : "0301";
  const std::string users = Jet4() ? "A733" : "0201";
  std::vector<std::string> expected = {
      // Tables, Databases, Relationships
      "251658241|" + creator + "|983294|1", "251658241|" + admin + "|1048319|1",
      "251658241|" + users + "|1048319|1", "251658242|" + admin + "|393216|0",
      "251658243|" + creator + "|983294|1", "251658243|" + admin + "|393217|0",
      "251658243|" + users + "|1048575|1",
      // MSysDb
      "268435456|" + admin + "|393230|0", "268435456|" + users + "|14|0",
      // MSysObjects, MSysACEs, MSysQueries, MSysRelationships
      "2|" + admin + "|393216|0", "2|" + users + "|20|0", "3|" + admin + "|393216|0",
      "4|" + admin + "|393216|0", "4|" + users + "|20|0", "5|" + admin + "|917504|0",
      "5|" + users + "|20|0",
      // Words
      "6|" + admin + "|1048319|0", "6|" + users + "|1048319|0"};
  std::vector<std::string> actual = Export("MSysACEs", "0 1 2 3");
  std::sort(expected.begin(), expected.end());
  std::sort(actual.begin(), actual.end());
  EXPECT_EQ(actual, expected);
}

// Walks the leaf of MSysObjects' ParentIdName index: whole entries (the
// catalog's index is one page), each a Long key, a text key and the row.
TEST_P(Catalog, NameIndexFindsEveryCatalogRowByParentAndName) {
  const format::Format& f = format::FormatOf(GetParam());
  const DefinedIndex index = Read(format::kCatalogDefinitionPage).indexes.at(0);
  const std::string page = bytes_.substr(index.root_page * f.page_size, f.page_size);
  ASSERT_EQ(page[format::kPageTypeOffset], format::kIndexLeafPageType);
  std::vector<std::string> entries;
  size_t start = 0;
  for (size_t bit = 1; bit < f.index.mask_size * 8; ++bit) {
    if ((static_cast<uint8_t>(page[f.index.mask_offset + bit / 8]) >> (bit % 8) & 1) == 0) continue;
    entries.push_back(page.substr(f.index.EntriesStart() + start, bit - start));
    start = bit;
  }
  ASSERT_EQ(entries.size(), 9u);
  EXPECT_TRUE(std::is_sorted(entries.begin(), entries.end()));

  const std::vector<std::string> rows = Export("MSysObjects", "1 2");
  auto hex = [](const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes)
      out += "0123456789abcdef"[c >> 4], out += "0123456789abcdef"[c & 15];
    return out;
  };
  std::vector<std::string> keys;
  for (const std::string& entry : entries) {
    const std::string key = entry.substr(0, entry.size() - format::index::kRowPointerSize);
    const auto row = static_cast<uint8_t>(entry.back());
    ASSERT_LT(row, rows.size());
    const uint32_t parent =
        format::GetBe32(reinterpret_cast<const uint8_t*>(key.data()) + 1) ^ 0x80000000u;
    EXPECT_EQ(rows[row].substr(0, rows[row].find('|')), std::to_string(parent));
    keys.push_back(hex(key) + " " + rows[row].substr(rows[row].find('|') + 1));
  }
  // Keys of names as Access writes them, General sort order.
  const std::vector<std::string> jet3 = {
      "7f8f0000007f64607760616076667600 Databases",
      "7f8f0000007f75666d60776a727076696a737600 Relationships",
      "7f8f0000007f7760616d667600 Tables",
      "7f8f0000017f6f767d766062667600 MSysACEs",
      "7f8f0000017f6f767d7672616b6662777600 MSysObjects",
      "7f8f0000017f6f767d76747866756a667600 MSysQueries",
      "7f8f0000017f6f767d7675666d60776a727076696a737600 MSysRelationships"};
  const std::vector<std::string> jet4 = {
      "7f8f0000007f4f4a6d4a4c4a6b516b0100 Databases",
      "7f8f0000007f69515e4a6d5964626b5759666b0100 Relationships",
      "7f8f0000007f6d4a4c5e516b0100 Tables",
      "7f8f0000017f606b766b4a4d516b0100 MSysACEs",
      "7f8f0000017f606b766b644c5b514d6d6b0100 MSysObjects",
      "7f8f0000017f606b766b686f516959516b0100 MSysQueries",
      "7f8f0000017f606b766b69515e4a6d5964626b5759666b0100 MSysRelationships"};
  for (const std::string& fact : Jet4() ? jet4 : jet3) {
    EXPECT_NE(std::find(keys.begin(), keys.end(), fact), keys.end()) << fact;
  }
}

INSTANTIATE_TEST_SUITE_P(BothFormats, Catalog, ::testing::ValuesIn(kBothFormats),
                         FormatParamName());

}  // namespace
}  // namespace vorelka::testing
