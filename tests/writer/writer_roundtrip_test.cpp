// Files from the writer, each row set written once per format and read back
// by every reader: our engine (the exact rows, Null apart from empty text),
// libmdb in-process (value by value against the engine), and mdb-reader
// (npm, installed into the build folder by the ctest fixture), which tells
// Null from empty text too. The row sets hold what tends to break: Cyrillic,
// Null against empty text, extreme keys, rows either side of Jet 3's
// jump-table boundaries, an empty table, unsorted keys over three index
// levels and usage maps on map pages, a definition longer than a page.
// VORELKA_MORE_DATABASES may name a folder of other .mdb files (Access's
// own, say) for the engine and libmdb to agree on.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "tests/writer/index_walk.h"
#include "tests/writer/second_reader.h"
#include "tests/writer/writer_test_support.h"

namespace vorelka::testing {
namespace {

using jet::JetFormat;
using jet::TableSchema;
using jet::WordsTableBuilder;

class WriterRoundTrip : public ::testing::TestWithParam<JetFormat> {
 protected:
  // Writes `rows` and holds every reader to them; returns the index walk.
  IndexWalk WriteAndReadBack(const std::vector<Words>& rows) {
    WriteWords(file_, GetParam(), rows);
    EXPECT_TRUE(ReadWords(file_) == rows) << "the engine's rows differ";
    ExpectSameRows(file_, "Words");
    const std::string tsv = RowsByMdbReader(file_);
    EXPECT_TRUE(tsv == AsTsv(rows)) << tsv.substr(0, 2000);
    IndexWalk walk = WalkPrimaryKey(file_);
    EXPECT_TRUE(walk.faults.empty()) << walk.faults.front();
    std::vector<int32_t> keys;
    for (const Words& w : rows) keys.push_back(w.id);
    std::sort(keys.begin(), keys.end());
    EXPECT_TRUE(walk.keys == keys);
    return walk;
  }

  TempDir dir_;
  std::filesystem::path file_ = dir_ / "words.mdb";
};

TEST_P(WriterRoundTrip, ReadsBackWordsOfEveryShapeOverTheOldFile) {
  WriteBytes(file_, "old contents");
  WriteAndReadBack(
      {{1, "cat", "кошка"},
       {2, "hedgehog", "ёжик"},
       {3, "Moscow, the capital: Москва", "Москва — столица"},  // mixed: compressed in Jet 4
       {4, "it's \"quoted\"", "«ёлки-палки»"},
       {5, "tab\there\\", "line\nbreak"},
       {6, std::string(255, 'x'), Repeat("я", 255)},
       {7, "", std::nullopt},
       {8, std::nullopt, ""},
       {9, std::nullopt, std::nullopt},
       {10, "", ""},
       {-4, "ёж, Ёлка", "Ёё ЯЯ «ЁЖ» — hedgehog"},
       {INT_MAX, "max", "макс"},
       {INT_MIN, "min", "мин"},
       {0, "zero", "ноль"},
       {-1, "minus one", "минус один"}});
  EXPECT_EQ(dir_.FileNames(), std::vector<std::string>{"words.mdb"});
}

TEST_P(WriterRoundTrip, ReadsBackRowsOfEveryLengthAroundTheJumpBoundaries) {
  // Jet 3 rows pass 256 and 512 bytes here and need jump tables, with and
  // without the filler byte; Jet 4 rows just grow.
  std::vector<Words> rows;
  for (int length = 200; length <= 255; ++length) {
    rows.push_back({length, std::string(length, 'e'), std::nullopt});
    rows.push_back({1000 + length, std::string(length, 'e'), std::string(length - 200, 'r')});
    rows.push_back({2000 + length, Repeat("я", length), Repeat("ж", length)});
  }
  WriteAndReadBack(rows);
}

TEST_P(WriterRoundTrip, ReadsBackAnEmptyTable) {
  EXPECT_EQ(WriteAndReadBack({}).leaf_pages, 1u);
}

TEST_P(WriterRoundTrip, ReadsBackUnsortedKeysInAddOrderThroughThreeIndexLevels) {
  // Keys spread over the whole range, sign boundary included, in no order:
  // past one node page's children (139 leaves in Jet 3, 279 in Jet 4), and
  // past what an inline usage map covers.
  std::vector<Words> rows;
  for (uint32_t i = 1; i <= 200000; ++i) {
    rows.push_back({static_cast<int32_t>(i * 2654435761u), "w" + std::to_string(i),
                    i % 97 == 0 ? std::nullopt : std::optional<std::string>("слово")});
  }
  const IndexWalk walk = WriteAndReadBack(rows);
  EXPECT_EQ(walk.levels, 3);
  EXPECT_EQ(walk.prefixed_leaves, walk.leaf_pages - 1);  // all leaves but the last
  ExpectSameRows(file_, "MSysObjects");
  ExpectSameRows(file_, "MSysACEs");
}

TEST_P(WriterRoundTrip, ReadsBackADefinitionLongerThanOnePageWithOtherNames) {
  TableSchema schema{"Wide", "Key", {}};
  for (int i = 0; i < 200; ++i) schema.text_columns.push_back("Column number " + std::to_string(i));
  {
    WordsTableBuilder builder(file_, GetParam(), schema);
    for (int32_t id = 3; id >= 1; --id) {
      jet::WordRow row{id, std::vector<std::optional<std::string>>(200)};
      row.texts[0] = "first " + std::to_string(id);
      row.texts[199] = "последний";
      builder.Add(row);
    }
    ASSERT_TRUE(builder.Finish().ok()) << builder.status().message();
  }
  ExpectSameRows(file_, "Wide");
  EXPECT_EQ(TableByLibmdb(file_.string(), "Wide").rows.at(2).back(), "последний");
  EXPECT_TRUE(WalkPrimaryKey(file_, "Wide").faults.empty());
}

INSTANTIATE_TEST_SUITE_P(BothFormats, WriterRoundTrip, ::testing::ValuesIn(kBothFormats),
                         FormatParamName());

TEST(SecondReaderOnOtherFiles, AgreesOnEveryUserTable) {
  const char* folder = std::getenv("VORELKA_MORE_DATABASES");
  if (folder == nullptr) GTEST_SKIP() << "VORELKA_MORE_DATABASES is not set";
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (entry.path().extension() != ".mdb") continue;
    for (const std::string& table : UserTablesByLibmdb(entry.path().string())) {
      ExpectSameRows(entry.path(), table);
    }
  }
}

}  // namespace
}  // namespace vorelka::testing
