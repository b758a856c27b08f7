// Files from the writer, read back through libmdb in-process: exact rows in
// both formats, including what tends to break (Cyrillic, Null against empty
// text, extreme keys, empty tables, odd schemas, unsorted input).
#include <gtest/gtest.h>

#include "services/error.h"

#include <algorithm>
#include <random>

#include "tests/writer/index_walk.h"
#include "tests/writer/writer_test_support.h"

namespace vorelka::testing {
namespace {

using jet::JetFormat;
using jet::Status;
using jet::TableSchema;
using jet::WordsTableBuilder;

class WriterRoundTrip : public ::testing::TestWithParam<JetFormat> {
 protected:
  TempDir dir_;
  std::filesystem::path file_ = dir_ / "words.mdb";
};

TEST_P(WriterRoundTrip, ReadsBackEveryRowExactlyWithNullApartFromEmptyText) {
  const std::vector<Words> rows = {
      {1, "cat", "кошка"},
      {2, "hedgehog", "ёжик"},
      {3, "Moscow, the capital", "Москва — столица"},
      {4, "it's \"quoted\"", "«ёлки-палки»"},
      {5, "tab\there", "line\nbreak"},
      {6, std::string(255, 'x'), Repeat("я", 255)},
      {7, "", std::nullopt},
      {8, std::nullopt, ""},
      {9, std::nullopt, std::nullopt},
      {10, "", ""},
  };
  WriteWords(file_, GetParam(), rows);
  EXPECT_EQ(ReadWords(file_), rows);
}

TEST_P(WriterRoundTrip, StoresNegativeZeroAndExtremeKeys) {
  const std::vector<Words> rows = {{2147483647, "max", "макс"},
                                   {-2147483647 - 1, "min", "мин"},
                                   {0, "zero", "ноль"},
                                   {-1, "minus one", "минус один"}};
  WriteWords(file_, GetParam(), rows);
  EXPECT_EQ(ReadWords(file_), rows);
  const IndexWalk walk = WalkPrimaryKey(file_);
  EXPECT_TRUE(walk.faults.empty()) << walk.faults.front();
  EXPECT_EQ(walk.keys, (std::vector<int32_t>{-2147483647 - 1, -1, 0, 2147483647}));
}

TEST_P(WriterRoundTrip, WritesAnEmptyTableThatReadsAsNoRows) {
  WriteWords(file_, GetParam(), {});
  EXPECT_TRUE(ReadWords(file_).empty());
  const IndexWalk walk = WalkPrimaryKey(file_);
  EXPECT_TRUE(walk.faults.empty()) << walk.faults.front();
  EXPECT_EQ(walk.leaf_pages, 1u);
}

TEST_P(WriterRoundTrip, KeepsRowsInAddOrderAndTheIndexInKeyOrder) {
  std::vector<Words> rows;
  for (int i = 1; i <= 5000; ++i) rows.push_back({i * 7 - 20000, "w" + std::to_string(i), "с"});
  std::shuffle(rows.begin(), rows.end(), std::mt19937(42));
  WriteWords(file_, GetParam(), rows);
  EXPECT_EQ(ReadWords(file_), rows);
  const IndexWalk walk = WalkPrimaryKey(file_);
  ASSERT_TRUE(walk.faults.empty()) << walk.faults.front();
  std::vector<int32_t> sorted;
  for (const Words& w : rows) sorted.push_back(w.id);
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(walk.keys, sorted);
  EXPECT_GE(walk.levels, 2);
}

TEST_P(WriterRoundTrip, WritesOtherTableAndColumnNames) {
  {
    WordsTableBuilder builder(file_, GetParam(), TableSchema{"Other", "Key", {"Word"}});
    builder.Add({7, {"seven"}});
    builder.Add({3, {std::nullopt}});
    ASSERT_TRUE(builder.Finish().ok()) << builder.status().message();
  }
  const RunResult tables = RunProgram({"mdb-tables", "-1", file_.string()});
  EXPECT_EQ(tables.out, "Other\n");
  const RunResult rows = RunProgram({"mdb-export", "-D", "%F", file_.string(), "Other"});
  EXPECT_EQ(rows.out, "Key,Word\n7,\"seven\"\n3,\n");
  EXPECT_EQ(rows.err, "");
  EXPECT_TRUE(WalkPrimaryKey(file_, "Other").faults.empty());
}

TEST_P(WriterRoundTrip, WritesWordsWithoutRussian) {
  {
    WordsTableBuilder builder(file_, GetParam(), TableSchema{"Words", "Id", {"English"}});
    builder.Add({1, {"one"}});
    ASSERT_TRUE(builder.Finish().ok()) << builder.status().message();
  }
  const RunResult rows = RunProgram({"mdb-export", file_.string(), "Words"});
  EXPECT_EQ(rows.out, "Id,English\n1,\"one\"\n");
  try {
    tools::ReadWordTable(file_.string(), "Words");
    ADD_FAILURE() << "a table without Russian read as a word table";
  } catch (const services::ErrorRaised& raised) {
    EXPECT_EQ(raised.error().description,
              "Item not found in this collection: table 'Words' has no column 'Russian'.");
  }
}

TEST_P(WriterRoundTrip, ReadsBackRowsOfEveryLengthAroundTheJumpBoundaries) {
  // Jet 3 rows pass 256 and 512 bytes here and need jump tables, with and
  // without the filler byte; Jet 4 rows just grow.
  std::vector<Words> rows;
  for (int length = 200; length <= 255; ++length) {
    rows.push_back({length, std::string(length, 'e'), std::nullopt});
    rows.push_back({1000 + length, std::string(length, 'e'), std::string(length - 200, 'r')});
    rows.push_back({2000 + length, std::string(length, 'e'), Repeat("ж", length)});
  }
  WriteWords(file_, GetParam(), rows);
  EXPECT_EQ(ReadWords(file_), rows);
}

TEST_P(WriterRoundTrip, WritesATableDefinitionLongerThanOnePage) {
  TableSchema schema{"Wide", "Key", {}};
  for (int i = 0; i < 200; ++i) schema.text_columns.push_back("Column number " + std::to_string(i));
  jet::WordRow row{42, std::vector<std::optional<std::string>>(200)};
  row.texts[0] = "first";
  row.texts[199] = "last";
  {
    WordsTableBuilder builder(file_, GetParam(), schema);
    builder.Add(row);
    ASSERT_TRUE(builder.Finish().ok()) << builder.status().message();
  }
  const RunResult schema_out = RunProgram({"mdb-schema", file_.string()});
  EXPECT_NE(schema_out.out.find("[Column number 199]"), std::string::npos);
  const RunResult rows = RunProgram({"mdb-export", "-H", file_.string(), "Wide"});
  EXPECT_EQ(rows.out, "42,\"first\"" + std::string(198, ',') + ",\"last\"\n");
  EXPECT_EQ(rows.err, "");
  EXPECT_TRUE(WalkPrimaryKey(file_, "Wide").faults.empty());
}

TEST_P(WriterRoundTrip, ReplacesAnExistingFileOnlyOnSuccess) {
  WriteBytes(file_, "old contents");
  WriteWords(file_, GetParam(), {{1, "one", "один"}});
  EXPECT_EQ(ReadWords(file_), (std::vector<Words>{{1, "one", "один"}}));
  EXPECT_EQ(dir_.FileNames(), std::vector<std::string>{"words.mdb"});
}

INSTANTIATE_TEST_SUITE_P(BothFormats, WriterRoundTrip,
                         ::testing::Values(JetFormat::kJet3, JetFormat::kJet4),
                         [](const auto& info) { return FormatName(info.param); });

}  // namespace
}  // namespace vorelka::testing
