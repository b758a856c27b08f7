// Our engine and libmdb, the tests' second reader, give the same rows, value
// by value, for the files our writer makes in both formats: Null and empty
// words, Cyrillic, rows either side of Jet 3's jump-table boundaries, a
// definition that spans two pages. VORELKA_MORE_DATABASES may name a folder
// of other .mdb files (Access's own, say) to hold to the same rule.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/support/test_files.h"
#include "tests/writer/second_reader.h"

namespace vorelka::testing {
namespace {

using jet::JetFormat;

class SecondReader : public ::testing::TestWithParam<JetFormat> {
 protected:
  TempDir dir_;
  std::filesystem::path file_ = dir_ / "words.mdb";
};

TEST_P(SecondReader, AgreesOnWordsOfEveryShape) {
  std::vector<Words> rows = {{1, "cat", "кошка"}, {2, std::nullopt, ""}, {3, "", std::nullopt},
                             {-4, "ёж, Ёлка", "«ЁЖ» — hedgehog"}};
  for (int length = 200; length <= 255; length += 5) {
    rows.push_back({length, std::string(length, 'e'), Repeat("ж", length)});
    rows.push_back({1000 + length, Repeat("я", length), std::string(length - 200, 'r')});
  }
  WriteWords(file_, GetParam(), rows);
  ExpectSameRows(file_, "Words");
}

TEST_P(SecondReader, AgreesOnATableOverManyPagesAndOnTheCatalog) {
  WriteWords(file_, GetParam(), NumberedRows(3000));
  ExpectSameRows(file_, "Words");
  ExpectSameRows(file_, "MSysObjects");
}

TEST_P(SecondReader, AgreesOnADefinitionLongerThanOnePage) {
  jet::TableSchema schema{"Wide", "Key", {}};
  for (int i = 0; i < 150; ++i) schema.text_columns.push_back("Column " + std::to_string(i));
  jet::WordsTableBuilder builder(file_, GetParam(), schema);
  for (int32_t id = 1; id <= 3; ++id) {
    jet::WordRow row{id, std::vector<std::optional<std::string>>(150)};
    row.texts[0] = "first " + std::to_string(id);
    row.texts[149] = "последний";
    builder.Add(row);
  }
  ASSERT_TRUE(builder.Finish().ok()) << builder.status().message();
  ExpectSameRows(file_, "Wide");
}

INSTANTIATE_TEST_SUITE_P(BothFormats, SecondReader,
                         ::testing::Values(JetFormat::kJet3, JetFormat::kJet4),
                         [](const auto& info) {
                           return info.param == JetFormat::kJet3 ? "Jet3" : "Jet4";
                         });

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
