// The mdbtools programs on the writer's files: they list the table, export
// the rows, answer SQL and show the primary key, without a warning.
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

TEST_P(MdbTools, MdbTablesListsTheUserTableAndTheSystemTables) {
  RunResult user = Tool({"mdb-tables", "-1"});
  EXPECT_EQ(user.out, "Words\n");
  EXPECT_EQ(user.err, "");
  RunResult all = Tool({"mdb-tables", "-1", "-S"});
  // Jet's own system tables, in the order of their definitions, as in every
  // database Jet makes.
  EXPECT_EQ(all.out, "MSysObjects\nMSysACEs\nMSysQueries\nMSysRelationships\nWords\n");
}

TEST_P(MdbTools, MdbPropShowsTheAccessVersionOfTheFormat) {
  // Only rows with properties: mdb-prop reads a stale buffer for the others.
  RunResult r = Tool({"mdb-prop", "MSysDb"});
  EXPECT_EQ(r.exit_code, 0);
  const bool jet3 = GetParam() == JetFormat::kJet3;
  EXPECT_EQ(r.out, std::string("name: (none)\n\tAccessVersion: ") + (jet3 ? "07.53" : "08.50") +
                       "\n\tBuild: " + (jet3 ? "0" : "6620") + "\n\n");
  EXPECT_EQ(r.err, "");
}

TEST_P(MdbTools, MdbExportPrintsTheRowsInStoredOrder) {
  RunResult r = Tool({"mdb-export", "Words"});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.out, "Id,English,Russian\n1,\"cat\",\"кошка\"\n2,,\n-3,\"dog, big\",\"собака\"\n");
  EXPECT_EQ(r.err, "");
}

TEST_P(MdbTools, MdbSqlAnswersTheCountAndTheWordQueries) {
  RunResult count = MdbSql(file_, "SELECT Count(*) FROM Words");
  EXPECT_EQ(count.out, "3\n");
  RunResult word = MdbSql(file_, "SELECT Russian FROM Words WHERE Id = 1");
  EXPECT_EQ(word.out, "кошка\n");
  RunResult none = MdbSql(file_, "SELECT Russian FROM Words WHERE Id = 7");
  EXPECT_EQ(none.out, "");
  EXPECT_EQ(count.err + word.err + none.err, "");
}

TEST_P(MdbTools, MdbSchemaShowsTheColumnsAndThePrimaryKey) {
  RunResult access = Tool({"mdb-schema"});
  EXPECT_NE(access.out.find("[Id]\t\t\tLong Integer"), std::string::npos) << access.out;
  EXPECT_NE(access.out.find("[English]\t\t\tText (255)"), std::string::npos);
  EXPECT_NE(access.out.find("[Russian]\t\t\tText (255)"), std::string::npos);
  EXPECT_EQ(access.err, "");
  RunResult postgres = Tool({"mdb-schema", "postgres"});
  EXPECT_NE(postgres.out.find(
                "ALTER TABLE \"words\" ADD CONSTRAINT \"words_pkey\" PRIMARY KEY (\"id\");"),
            std::string::npos)
      << postgres.out;
  // libmdb says so for every database whose MSysRelationships is empty,
  // Access's own included.
  EXPECT_EQ(postgres.err, "No MSysRelationships\n");
}

TEST_P(MdbTools, MdbVerAndMdbCountSeeTheFormatAndRowCount) {
  EXPECT_EQ(Tool({"mdb-ver"}).out, GetParam() == JetFormat::kJet3 ? "JET3\n" : "JET4\n");
  EXPECT_EQ(Tool({"mdb-count", "Words"}).out, "3\n");
}

INSTANTIATE_TEST_SUITE_P(BothFormats, MdbTools,
                         ::testing::Values(JetFormat::kJet3, JetFormat::kJet4),
                         [](const auto& info) { return FormatName(info.param); });

}  // namespace
}  // namespace vorelka::testing
