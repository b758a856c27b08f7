// The mdbtools programs on the writer's files, without a warning: the
// format, Access's version property, the user table apart from the system
// tables, the column types, the primary key, and SQL over the rows.
#include <gtest/gtest.h>

#include "tests/writer/writer_test_support.h"

namespace vorelka::testing {
namespace {

using jet::JetFormat;

class MdbTools : public ::testing::TestWithParam<JetFormat> {
 protected:
  void SetUp() override {
    WriteWords(file_, GetParam(),
               {{1, "cat", "кошка"}, {2, "", std::nullopt}, {-3, "dog, big", "собака"}});
  }
  RunResult Tool(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin() + 1, file_.string());
    return RunProgram(arguments);
  }

  TempDir dir_;
  std::filesystem::path file_ = dir_ / "words.mdb";
};

TEST_P(MdbTools, SeeTheFormatVersionTablesColumnsAndPrimaryKeyAndAnswerSql) {
  const bool jet3 = GetParam() == JetFormat::kJet3;
  EXPECT_EQ(Tool({"mdb-ver"}).out, jet3 ? "JET3\n" : "JET4\n");
  // Only rows with properties: mdb-prop reads a stale buffer for the others.
  const RunResult prop = Tool({"mdb-prop", "MSysDb"});
  EXPECT_EQ(prop.out, std::string("name: (none)\n\tAccessVersion: ") + (jet3 ? "07.53" : "08.50") +
                          "\n\tBuild: " + (jet3 ? "0" : "6620") + "\n\n");
  const RunResult tables = Tool({"mdb-tables", "-1"});
  EXPECT_EQ(tables.out, "Words\n");
  const RunResult schema = Tool({"mdb-schema"});
  EXPECT_NE(schema.out.find("[Id]\t\t\tLong Integer"), std::string::npos) << schema.out;
  EXPECT_NE(schema.out.find("[English]\t\t\tText (255)"), std::string::npos);
  EXPECT_NE(schema.out.find("[Russian]\t\t\tText (255)"), std::string::npos);
  const RunResult postgres = Tool({"mdb-schema", "postgres"});
  EXPECT_NE(postgres.out.find(
                "ALTER TABLE \"words\" ADD CONSTRAINT \"words_pkey\" PRIMARY KEY (\"id\");"),
            std::string::npos)
      << postgres.out;
  // libmdb says so for every database whose MSysRelationships is empty,
  // Access's own included.
  EXPECT_EQ(postgres.err, "No MSysRelationships\n");
  const RunResult count = MdbSql(file_, "SELECT Count(*) FROM Words");
  EXPECT_EQ(count.out, "3\n");
  const RunResult word = MdbSql(file_, "SELECT Russian FROM Words WHERE Id = 1");
  EXPECT_EQ(word.out, "кошка\n");
  const RunResult none = MdbSql(file_, "SELECT Russian FROM Words WHERE Id = 7");
  EXPECT_EQ(none.out, "");
  EXPECT_EQ(prop.err + tables.err + schema.err + count.err + word.err + none.err, "");
}

INSTANTIATE_TEST_SUITE_P(BothFormats, MdbTools, ::testing::ValuesIn(kBothFormats),
                         FormatParamName());

}  // namespace
}  // namespace vorelka::testing
