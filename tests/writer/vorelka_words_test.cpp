// The vorelka-words program: build from TSV and CSV in both formats, list
// back, round trips, bad input (message with file and line, non-zero exit,
// no output file), the findings of check, and --version.
#include <gtest/gtest.h>

#include "tests/writer/writer_test_support.h"

namespace vorelka::testing {
namespace {

const std::string kTool = VORELKA_WORDS_PROGRAM;

class VorelkaWords : public ::testing::Test {
 protected:
  RunResult Build(const std::string& list_name, const std::string& list,
                  std::vector<std::string> extra = {}) {
    WriteBytes(dir_ / list_name, list);
    std::vector<std::string> args = {kTool, "build", (dir_ / list_name).string(), "-o",
                                     db_.string()};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunProgram(args);
  }
  RunResult List() { return RunProgram({kTool, "list", db_.string()}); }
  RunResult Check() { return RunProgram({kTool, "check", db_.string()}); }

  TempDir dir_;
  std::filesystem::path db_ = dir_ / "words.mdb";
};

TEST_F(VorelkaWords, BuildsFromTsvWithOrWithoutIdsAndListsItBackInBothFormats) {
  const std::string numbered = "English\tRussian\ncat\tкот\n\t\\N\ntab\\there\tback\\\\slash\n";
  const std::string with_ids =
      "Id\tEnglish\tRussian\n-5\tminus\t\\N\n0\t\\N\t\n7\ta\\nb\tв\n2147483647\tmax\tмакс\n";
  for (const std::string format : {"jet4", "jet3"}) {
    const RunResult build = Build("list.tsv", numbered, {"--format", format});
    ASSERT_EQ(build.exit_code, 0) << build.err;
    EXPECT_EQ(build.err, "");
    EXPECT_EQ(List().out,
              "Id\tEnglish\tRussian\n1\tcat\tкот\n2\t\t\\N\n3\ttab\\there\tback\\\\slash\n");
    ASSERT_EQ(Build("ids.tsv", with_ids, {"--format", format}).exit_code, 0);
    EXPECT_EQ(List().out, with_ids);
  }
}

TEST_F(VorelkaWords, BuildsFromCsvByExtensionOrByHeader) {
  ASSERT_EQ(Build("list.csv", "Russian,English\n\"кот, серый\",cat\n").exit_code, 0);
  EXPECT_EQ(List().out, "Id\tEnglish\tRussian\n1\tcat\tкот, серый\n");
  ASSERT_EQ(Build("list.txt", "English,Russian\ndog,пёс\n").exit_code, 0);
  EXPECT_EQ(List().out, "Id\tEnglish\tRussian\n1\tdog\tпёс\n");
}

// The parser's own wording of each fault is tested with the parser, and a
// fault of the whole file with the importers (build_import_test.cpp); here,
// a fault on a line as the command reports it.
TEST_F(VorelkaWords, RefusesBadInputWithFileAndLineAndKeepsTheOldDatabase) {
  WriteBytes(db_, "the old database");
  const RunResult r = Build("list.tsv", "English\tRussian\ncat\n");
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, "vorelka-words build: " + (dir_ / "list.tsv").string() +
                       ":2: has 1 fields; the header has 2\n");
  EXPECT_EQ(ReadBytes(db_), "the old database");
  EXPECT_EQ(dir_.FileNames(), (std::vector<std::string>{"list.tsv", "words.mdb"}));
}

// Our own lists are strict: a row the format cannot hold is refused, by the
// dry run as by the build; Jet 4 holds an emoji as its surrogate pair.
TEST_F(VorelkaWords, RefusesTextJet3CannotHoldInTheDryRunToo) {
  const std::string list = "English\tRussian\nok\tда\ncafé\tкафе\n";
  const std::string message = "vorelka-words build: " + (dir_ / "list.tsv").string() +
                              ":3: row 2 (Id 2): English text has the character 'é' (U+00E9), "
                              "which code page 1251 cannot hold\n";
  for (const std::vector<std::string>& extra :
       {std::vector<std::string>{"--format", "jet3"},
        std::vector<std::string>{"--format", "jet3", "--dry-run"}}) {
    const RunResult r = Build("list.tsv", list, extra);
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.err, message);
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(std::filesystem::exists(db_));
  }
  ASSERT_EQ(Build("list.tsv", "English\tRussian\nsmile \xF0\x9F\x98\x80\tулыбка\n").exit_code, 0);
  EXPECT_EQ(List().out, "Id\tEnglish\tRussian\n1\tsmile \xF0\x9F\x98\x80\tулыбка\n");
}

TEST_F(VorelkaWords, RefusesBadOptionsAndReportsAMissingOrDamagedFileInsteadOfCrashing) {
  EXPECT_EQ(RunProgram({kTool, "build", "x.tsv"}).exit_code, 2);
  EXPECT_EQ(RunProgram({kTool, "build", "x.tsv", "-o", "y", "--format", "jet5"}).exit_code, 2);
  EXPECT_EQ(RunProgram({kTool, "frob"}).exit_code, 2);
  EXPECT_EQ(RunProgram({kTool, "check", "--help"}).exit_code, 0);
  const RunResult missing =
      RunProgram({kTool, "build", (dir_ / "nope.tsv").string(), "-o", db_.string()});
  EXPECT_EQ(missing.exit_code, 1);
  EXPECT_EQ(missing.err, "vorelka-words build: cannot read " + (dir_ / "nope.tsv").string() +
                             ": No such file or directory\n");
  EXPECT_EQ(
      RunProgram({kTool, "list", (dir_ / "nope.mdb").string()}).err,
      "vorelka-words list: 3024 - Could not find file '" + (dir_ / "nope.mdb").string() + "'.\n");
  EXPECT_FALSE(std::filesystem::exists(db_));

  ASSERT_EQ(Build("list.tsv", "English\tRussian\na\tб\n").exit_code, 0);
  std::string bytes = ReadBytes(db_);
  bytes.resize(bytes.size() - 100);  // no longer whole pages
  WriteBytes(db_, bytes);
  for (const RunResult& run : {List(), Check()}) {
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_NE(run.err.find(": 3343 - "), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
  }
}

TEST_F(VorelkaWords, CheckPassesKeysFromOneWithoutGapsAndReportsEverythingElse) {
  const std::string p = db_.string() + ": ";
  const struct {
    std::string list;
    int exit_code;
    std::string out;
  } cases[] = {
      {"English\tRussian\na\tб\nc\tд\n", 0, p + "2 word pairs, keys 1 to 2, no problems found\n"},
      {"Id\tEnglish\tRussian\n1\ta\t\\N\n3\t \tв\n9\tc\tг\n0\t\\N\tд\n", 1,
       p + "keys outside 1..4: 0, 9\n" + p + "keys missing from 1..4: 2, 4\n" + p +
           "English is Null for keys: 0\n" + p + "English is blank for keys: 3\n" + p +
           "Russian is Null for keys: 1\n"},
      {"English\tRussian\n", 1, p + "the table is empty: the drill has no word to show\n"},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(Build("list.tsv", c.list).exit_code, 0) << c.list;
    const RunResult r = Check();
    EXPECT_EQ(r.exit_code, c.exit_code) << c.list;
    EXPECT_EQ(r.out, c.out);
  }
}

TEST_F(VorelkaWords, ShowsProgressForLargeLists) {
  std::string list = "English\tRussian\n";
  for (int i = 0; i < 100000; ++i) list += "w" + std::to_string(i) + "\tс\n";
  const RunResult r = Build("big.tsv", list);
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_NE(r.err.find("10000 of about 100001 rows"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("wrote 100000 rows to " + db_.string()), std::string::npos);
}

TEST_F(VorelkaWords, ReportsItsVersionAndNamesTheOptionInItsUsage) {
  const RunResult version = RunProgram({kTool, "--version"});
  EXPECT_EQ(version.exit_code, 0);
  EXPECT_EQ(version.out, std::string("vorelka-words ") + VORELKA_PROJECT_VERSION + "\n");
  EXPECT_EQ(version.err, "");
  const RunResult help = RunProgram({kTool, "--help"});
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_NE(help.out.find("--version"), std::string::npos) << help.out;
  // Only as the first word: after a command it is that command's option.
  EXPECT_EQ(RunProgram({kTool, "count", "--version"}).exit_code, 2);
}

}  // namespace
}  // namespace vorelka::testing
