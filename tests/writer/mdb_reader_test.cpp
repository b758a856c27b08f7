// mdb-reader (npm), a reader independent of libmdb, on the writer's files:
// identical rows, and unlike libmdb it tells Null from an empty text. The
// package is installed into the build folder by the ctest fixture.
#include <gtest/gtest.h>

#include "tests/writer/writer_test_support.h"

namespace vorelka::testing {
namespace {

using jet::JetFormat;

std::string DumpWithMdbReader(const std::filesystem::path& file) {
  const RunResult r =
      RunProgram({"node", VORELKA_DUMP_ROWS_SCRIPT, VORELKA_NODE_MODULES, file.string()});
  EXPECT_EQ(r.exit_code, 0) << r.err;
  return r.out;
}

class MdbReader : public ::testing::TestWithParam<JetFormat> {
 protected:
  TempDir dir_;
  std::filesystem::path file_ = dir_ / "words.mdb";
};

TEST_P(MdbReader, ReadsTheSameRowsWithNullsApartFromEmptyText) {
  const std::vector<Words> rows = {{1, "cat", "кошка"},
                                   {2, "", std::nullopt},
                                   {3, std::nullopt, ""},
                                   {-2147483647 - 1, "min", "Ёё ЯЯ «»"},
                                   {2147483647, "tab\tand\\", "перевод\nстроки"},
                                   {0, std::string(255, 'z'), "конец"}};
  WriteWords(file_, GetParam(), rows);
  EXPECT_EQ(DumpWithMdbReader(file_), AsTsv(rows));
}

TEST_P(MdbReader, ReadsRowsOfEveryLengthAroundTheJumpBoundaries) {
  std::vector<Words> rows;
  for (int length = 200; length <= 255; ++length) {
    std::string russian;
    for (int i = 0; i < length; ++i) russian += "ж";
    rows.push_back({length, std::string(length, 'e'), std::nullopt});
    rows.push_back({1000 + length, std::string(length, 'e'), russian});
  }
  WriteWords(file_, GetParam(), rows);
  EXPECT_EQ(DumpWithMdbReader(file_), AsTsv(rows));
}

TEST_P(MdbReader, ReadsAnEmptyTable) {
  WriteWords(file_, GetParam(), {});
  EXPECT_EQ(DumpWithMdbReader(file_), AsTsv({}));
}

TEST_P(MdbReader, ReadsATableWhoseUsageMapsNeedMapPages) {
  std::vector<Words> rows;
  for (int i = 1; i <= 150000; ++i) {
    rows.push_back({i, "word " + std::to_string(i),
                    i % 97 == 0 ? std::nullopt : std::optional<std::string>("слово")});
  }
  WriteWords(file_, GetParam(), rows);
  EXPECT_TRUE(DumpWithMdbReader(file_) == AsTsv(rows));
}

TEST_P(MdbReader, ListsJetsSystemTablesWithTheirColumns) {
  WriteWords(file_, GetParam(), {{1, "cat", "кошка"}});
  const RunResult r =
      RunProgram({"node", VORELKA_LIST_TABLES_SCRIPT, VORELKA_NODE_MODULES, file_.string()});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  const std::string queries_extra = GetParam() == JetFormat::kJet4 ? " LvExtra:long" : "";
  EXPECT_EQ(r.out,
            "MSysObjects\t9\tId:long ParentId:long Name:text Type:integer DateCreate:datetime "
            "DateUpdate:datetime Owner:binary Flags:long Database:memo Connect:memo "
            "ForeignName:text RmtInfoShort:binary RmtInfoLong:ole Lv:ole LvProp:ole LvModule:ole "
            "LvExtra:ole\n"
            "MSysACEs\t18\tObjectId:long SID:binary ACM:long FInheritable:boolean\n"
            "MSysQueries\t0\tObjectId:long Attribute:byte Order:binary Name1:text Name2:text "
            "Expression:memo Flag:integer" +
                queries_extra +
                "\n"
                "MSysRelationships\t0\tszRelationship:text grbit:long ccolumn:long icolumn:long "
                "szObject:text szColumn:text szReferencedObject:text szReferencedColumn:text\n"
                "Words\t1\tId:long English:text Russian:text\n");
}

INSTANTIATE_TEST_SUITE_P(BothFormats, MdbReader,
                         ::testing::Values(JetFormat::kJet3, JetFormat::kJet4),
                         [](const auto& info) { return FormatName(info.param); });

}  // namespace
}  // namespace vorelka::testing
