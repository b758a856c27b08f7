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
#include <tuple>

#include "jet/format/format.h"
#include "jet/write/system_indexes.h"
#include "tests/writer/system_definition.h"
#include "tests/writer/writer_test_support.h"

namespace vorelka::testing {
namespace {

using jet::JetFormat;
namespace format = jet::format;
using namespace format::tdef;  // NOLINT(google-build-using-namespace): the column types
constexpr int kGeneral = 0x0409;

// The columns as "name:kind", the kind a letter for what Jet gives a system
// column of each type: L Long, I Integer, U Byte, D Date/Time, Y Yes/No, T
// Text, B Binary, S a Binary security ID, M Memo, O OLE; each with its
// width (Text and Binary: 255 bytes in Jet 3, 510 in Jet 4) and flags
// (0x13 fixed, 0x12 variable, 0x32 a SID). "?" marks anything else, "!" a
// sort order other than General or compressed text.
std::string Columns(const Definition& definition, JetFormat f) {
  const int text = f == JetFormat::kJet4 ? 510 : 255;
  const std::map<std::tuple<int, int, int>, char> kinds = {
      {{kLongColumn, 4, 0x13}, 'L'},      {{kIntegerColumn, 2, 0x13}, 'I'},
      {{kByteColumn, 1, 0x13}, 'U'},      {{kDateTimeColumn, 8, 0x13}, 'D'},
      {{kBoolColumn, 1, 0x13}, 'Y'},      {{kTextColumn, text, 0x12}, 'T'},
      {{kBinaryColumn, text, 0x12}, 'B'}, {{kBinaryColumn, text, 0x32}, 'S'},
      {{kMemoColumn, 0, 0x12}, 'M'},      {{kOleColumn, 0, 0x12}, 'O'}};
  std::string out;
  for (const DefinedColumn& c : definition.columns) {
    const auto kind = kinds.find({c.type, c.length, c.flags});
    out += (out.empty() ? "" : " ") + c.name + ":" + (kind == kinds.end() ? '?' : kind->second);
    if (c.sort_order != kGeneral || c.compressed) out += "!";
  }
  return out;
}

class Catalog : public ::testing::TestWithParam<JetFormat> {
 protected:
  void SetUp() override {
    WriteWords(file_, GetParam(), {{1, "cat", "кошка"}, {2, "dog", "собака"}});
    bytes_ = ReadBytes(file_);
  }
  bool Jet4() const { return GetParam() == JetFormat::kJet4; }
  Definition Read(uint32_t page) const { return ReadDefinition(bytes_, GetParam(), page); }
  // Rows as libmdb exports them (binary as hex) in stored order: the fields
  // numbered in `columns`, joined by '|'.
  std::vector<std::string> Export(const std::string& table,
                                  const std::vector<size_t>& columns) const {
    const RunResult r =
        RunProgram({"mdb-export", "-H", "-b", "hex", "-d", "|", "-Q", file_.string(), table});
    EXPECT_EQ(r.exit_code, 0) << r.err;
    std::vector<std::string> rows;
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);) {
      std::vector<std::string> fields;
      for (size_t start = 0, bar = 0; bar != std::string::npos; start = bar + 1) {
        bar = line.find('|', start);
        fields.push_back(line.substr(start, bar - start));
      }
      std::string row;
      for (size_t i = 0; i < columns.size(); ++i) row += (i > 0 ? "|" : "") + fields.at(columns[i]);
      rows.push_back(row);
    }
    return rows;
  }

  TempDir dir_;
  std::filesystem::path file_ = dir_ / "words.mdb";
  std::string bytes_;
};

TEST_P(Catalog, SystemTablesHaveJetsColumnsFlagsAndIndexes) {
  // Index flags: 0x01 unique, 0x02 ignore Nulls, 0x08 required; Jet 4 adds
  // 0x80 to every index.
  const int jet4 = Jet4() ? 0x80 : 0;
  const struct {
    uint32_t page;
    std::string columns;
    std::vector<DefinedIndex> indexes;
  } tables[] = {
      {format::kCatalogDefinitionPage,
       "Id:L ParentId:L Name:T Type:I DateCreate:D DateUpdate:D Owner:S Flags:L Database:M "
       "Connect:M ForeignName:T RmtInfoShort:B RmtInfoLong:O Lv:O LvProp:O LvModule:O LvExtra:O",
       {{"ParentIdName", {"ParentId", "Name"}, 0x01 | jet4, false},
        {"Id", {"Id"}, 0x01 | jet4, true}}},
      {format::kAccessControlDefinitionPage,
       "ObjectId:L SID:S ACM:L FInheritable:Y",
       {{"ObjectId", {"ObjectId"}, 0x08 | jet4, false}}},
      {format::kQueriesDefinitionPage,
       std::string("ObjectId:L Attribute:U Order:B Name1:T Name2:T Expression:M Flag:I") +
           (Jet4() ? " LvExtra:L" : ""),
       {{"ObjectIdAttribute", {"ObjectId", "Attribute", "Order"}, 0x01 | jet4, true}}},
      {format::kRelationshipsDefinitionPage,
       "szRelationship:T grbit:L ccolumn:L icolumn:L szObject:T szColumn:T szReferencedObject:T "
       "szReferencedColumn:T",
       {{"szRelationship", {"szRelationship"}, 0x02 | jet4, false},
        {"szObject", {"szObject"}, 0x02 | jet4, false},
        {"szReferencedObject", {"szReferencedObject"}, 0x02 | jet4, false}}},
  };
  for (const auto& table : tables) {
    const Definition definition = Read(table.page);
    EXPECT_EQ(definition.table_type, kSystemTableType) << table.page;
    EXPECT_EQ(Columns(definition, GetParam()), table.columns);
    EXPECT_EQ(definition.indexes, table.indexes) << table.page;
  }

  const Definition words = Read(format::kTableDefinitionPage);
  EXPECT_EQ(words.table_type, kUserTableType);
  EXPECT_EQ(words.rows, 2u);
  ASSERT_EQ(words.columns.size(), 3u);
  EXPECT_EQ(words.columns[0].name, "Id");
  // The user's text sorts by the database's order: Cyrillic in Jet 3.
  EXPECT_EQ(words.columns[1].sort_order, Jet4() ? kGeneral : 0x0419);
  EXPECT_EQ(words.columns[1].compressed, Jet4());
  EXPECT_EQ(words.indexes, (std::vector<DefinedIndex>{{"PrimaryKey", {"Id"}, 0x09 | jet4, true}}));
}

TEST_P(Catalog, RowsAreTheObjectsJetCreatesWithTheirOwners) {
  // Owners: the engine owns the containers and system tables, Admin the
  // database and the user's tables. Jet 4 stores SIDs masked, as in Access
  // 2000's own empty database.
  const std::string engine = Jet4() ? "A731" : "0203";
  const std::string admin = Jet4() ? "A633" : "0301";
  const std::string system = "-2147483648";  // flags 0x80000000
  EXPECT_EQ(Export("MSysObjects", {0, 1, 2, 3, 6, 7}),
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
  // and LvExtra are Null everywhere; LvProp is set on MSysDb alone; both
  // dates everywhere.
  for (const std::string& row : Export("MSysObjects", {8, 9, 10, 11, 12, 13, 15, 16})) {
    EXPECT_EQ(row, "|||||||");
  }
  const std::vector<std::string> properties = Export("MSysObjects", {14});
  for (size_t i = 0; i < properties.size(); ++i) EXPECT_EQ(properties[i].empty(), i != 3) << i;
  for (const std::string& row : Export("MSysObjects", {4, 5})) {
    EXPECT_TRUE(!row.starts_with("|") && !row.ends_with("|")) << row;
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
  std::vector<std::string> actual = Export("MSysACEs", {0, 1, 2, 3});
  std::sort(expected.begin(), expected.end());
  std::sort(actual.begin(), actual.end());
  EXPECT_EQ(actual, expected);
}

// The leaf of MSysObjects' ParentIdName index (the catalog's index is one
// page) holds, whole and in order, one entry per catalog row: 7F, the
// parent's Id with its sign bit flipped, big-endian, the name's key as
// Access builds it (access_facts_test.cpp holds those keys to Access's),
// then the row's pointer.
TEST_P(Catalog, NameIndexHoldsEveryCatalogRowByParentAndName) {
  const format::Format& f = format::FormatOf(GetParam());
  const uint32_t root = Read(format::kCatalogDefinitionPage).indexes.at(0).root_page;
  const std::string page = bytes_.substr(size_t{root} * f.page_size, f.page_size);
  ASSERT_EQ(page[format::kPageTypeOffset], format::kIndexLeafPageType);
  std::vector<std::string> entries;
  for (size_t bit = 1, start = 0; bit < f.index.mask_size * 8; ++bit) {
    if ((static_cast<uint8_t>(page[f.index.mask_offset + bit / 8]) >> (bit % 8) & 1) == 0) continue;
    entries.push_back(page.substr(f.index.EntriesStart() + start, bit - start));
    start = bit;
  }
  std::vector<std::string> expected;
  const std::vector<std::string> rows = Export("MSysObjects", {1, 2});
  for (size_t row = 0; row < rows.size(); ++row) {
    const size_t bar = rows[row].find('|');
    const uint32_t parent =
        static_cast<uint32_t>(std::stoul(rows[row].substr(0, bar))) ^ 0x80000000u;
    std::string name;
    ASSERT_TRUE(jet::writer::CatalogNameKey(f, rows[row].substr(bar + 1), &name)) << rows[row];
    const uint32_t data = format::kCatalogDataPage;
    expected.push_back(std::string{'\x7F', char(parent >> 24), char(parent >> 16),
                                   char(parent >> 8), char(parent)} +
                       name +
                       std::string{char(data >> 16), char(data >> 8), char(data), char(row)});
  }
  ASSERT_EQ(expected.size(), 9u);
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(entries, expected);
}

INSTANTIATE_TEST_SUITE_P(BothFormats, Catalog, ::testing::ValuesIn(kBothFormats),
                         FormatParamName());

}  // namespace
}  // namespace vorelka::testing
