// What the writer refuses, how it says so, and that a refused build leaves
// nothing behind: no partial file, no clobbered target, no temporary file.
#include <gtest/gtest.h>

#include "tests/writer/second_reader.h"
#include "tests/writer/writer_test_support.h"

namespace vorelka::testing {
namespace {

using jet::JetFormat;
using jet::Status;
using jet::TableSchema;
using jet::WordsTableBuilder;

class WriterErrors : public ::testing::TestWithParam<JetFormat> {
 protected:
  // Adds the rows and finishes; returns the status.
  Status Build(const std::vector<jet::WordRow>& rows, TableSchema schema = {}) {
    WordsTableBuilder builder(file_, GetParam(), std::move(schema));
    for (const auto& row : rows) builder.Add(row);
    return builder.Finish();
  }

  TempDir dir_;
  std::filesystem::path file_ = dir_ / "words.mdb";
};

TEST_P(WriterErrors, Add_RefusesDuplicateKeysAndBadTextNamingTheRowAndKeepsTheOldFile) {
  const struct {
    std::vector<jet::WordRow> rows;
    std::string message;
  } cases[] = {
      {{{5, {"a", "б"}}, {6, {"c", "д"}}, {5, {"e", "ж"}}}, "duplicate key 5: rows 1 and 3"},
      {{{1, {"ok", "да"}}, {9, {std::string(256, 'a'), "нет"}}},
       "row 2 (Id 9): English text has 256 characters; a Text column holds at most 255"},
      {{{3, {"ok", "\xD0"}}},
       "row 1 (Id 3): Russian text is not valid UTF-8 (truncated sequence at byte 1)"},
      {{{3, {"\xC0\x80", "x"}}}, "row 1 (Id 3): English text is not valid UTF-8 (byte 1)"},
      {{{4, {std::string("a\0b", 3), "x"}}},
       "row 1 (Id 4): English text contains a NUL character (U+0000)"},
      {{{1, {"only English"}}}, "row 1 (Id 1): has 1 texts; the table has 2 text columns"},
  };
  for (const auto& c : cases) {
    WriteBytes(file_, "previous database");
    EXPECT_EQ(Build(c.rows).message(), c.message);
    EXPECT_EQ(ReadBytes(file_), "previous database") << c.message;
    EXPECT_EQ(dir_.FileNames(), std::vector<std::string>{"words.mdb"}) << c.message;
  }
}

TEST_P(WriterErrors, KeepsTheFirstErrorAndIgnoresLaterRows) {
  WordsTableBuilder builder(file_, GetParam());
  builder.Add({1, {"a", "б"}});
  builder.Add({2, {std::string(300, 'x'), "в"}});
  builder.Add({3, {"\xFF", "г"}});
  EXPECT_EQ(builder.NumRows(), 1u);
  EXPECT_EQ(builder.status().message(),
            "row 2 (Id 2): English text has 300 characters; a Text column holds at most 255");
  EXPECT_EQ(builder.Finish().message(), builder.status().message());
  EXPECT_TRUE(dir_.FileNames().empty());
}

TEST_P(WriterErrors, AbandonAndDestructionLeaveTheOldFileAndAFinishedFileRefusesMoreRows) {
  WriteBytes(file_, "keep me");
  {
    WordsTableBuilder builder(file_, GetParam());
    builder.Add({1, {"a", "б"}});
    builder.Abandon();
    EXPECT_FALSE(builder.status().ok());
    EXPECT_FALSE(builder.Finish().ok());
  }
  {
    WordsTableBuilder builder(file_, GetParam());
    builder.Add({1, {"a", "б"}});
  }  // neither Finish nor Abandon
  EXPECT_EQ(ReadBytes(file_), "keep me");
  EXPECT_EQ(dir_.FileNames(), std::vector<std::string>{"words.mdb"});

  WordsTableBuilder builder(file_, GetParam());
  ASSERT_TRUE(builder.Finish().ok());
  builder.Add({1, {"late", "поздно"}});
  EXPECT_FALSE(builder.status().ok());
  EXPECT_TRUE(ReadWords(file_).empty());  // the finished file stays as it was
}

TEST_P(WriterErrors, RefusesUnsoundSchemas) {
  EXPECT_EQ(Build({}, TableSchema{"", "Id", {"English"}}).message(), "table name is empty");
  EXPECT_EQ(Build({}, TableSchema{"Words", "Id", {"English", "english"}}).message(),
            "column name \"english\" appears twice");
  EXPECT_EQ(Build({}, TableSchema{"Wo.rds", "Id", {"English"}}).message(),
            "table name \"Wo.rds\" has a character names may not hold (. ! ` [ ])");
  EXPECT_EQ(Build({}, TableSchema{"MSysObjects", "Id", {"English"}}).message(),
            "table name \"MSysObjects\" is the catalog's own");
  EXPECT_EQ(Build({}, TableSchema{"msysaces", "Id", {"English"}}).message(),
            "table name \"msysaces\" is a system table's own");
  // The catalog's index of names holds the sort codes of a few characters.
  for (const std::string name : {"Слова", "Words-2", "Word's"}) {
    EXPECT_EQ(Build({}, TableSchema{name, "Id", {"English"}}).message(),
              "table name \"" + name +
                  "\" has a character the catalog's index of names cannot hold here: use ASCII "
                  "letters, digits, blanks and underscores");
  }
  EXPECT_EQ(
      Build({}, TableSchema{"Words", std::string(65, 'k'), {}}).message(),
      "column name \"" + std::string(65, 'k') + "\" has 65 characters; names hold at most 64");
  EXPECT_TRUE(dir_.FileNames().empty());
}

TEST_P(WriterErrors, ReportsAFolderThatDoesNotExist) {
  WordsTableBuilder builder(dir_ / "missing" / "words.mdb", GetParam());
  builder.Add({1, {"a", "б"}});
  EXPECT_EQ(builder.Finish().message(), "cannot create a temporary file in " +
                                            (dir_ / "missing").string() +
                                            ": No such file or directory");
}

INSTANTIATE_TEST_SUITE_P(BothFormats, WriterErrors, ::testing::ValuesIn(kBothFormats),
                         FormatParamName());

TEST(WriterJet3Text, StoresEveryCharacterOfCodePage1251) {
  // The printable bytes of code page 1251 as glibc's iconv decodes them, and
  // libmdb reading them through iconv: independent checks of the writer's own
  // code page table. (Text 1251 cannot hold is refused with vorelka-words.)
  std::string bytes;
  for (int b = 0x20; b < 0x100; ++b) {
    if (b != 0x7F && b != 0x98) bytes += static_cast<char>(b);
  }
  const RunResult utf8 = RunProgram({"iconv", "-f", "WINDOWS-1251", "-t", "UTF-8"}, bytes);
  ASSERT_EQ(utf8.exit_code, 0) << utf8.err;
  const std::string first = utf8.out.substr(0, utf8.out.find("a"));
  const std::string rest = utf8.out.substr(first.size());
  TempDir dir;
  WriteWords(dir / "words.mdb", JetFormat::kJet3, {{1, first, rest}});
  EXPECT_EQ(ReadWords(dir / "words.mdb"), (std::vector<Words>{{1, first, rest}}));
  ExpectSameRows(dir / "words.mdb", "Words");
}

}  // namespace
}  // namespace vorelka::testing
