// A table of 1,000,000 rows in both formats, built once for all the cases of
// this program (registered as one ctest test): every row read back through
// our engine, libmdb and mdb-reader, the index walked and every leaf's edge
// keys sought through it, the usage maps past their inline size.
#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <numeric>

#include "jet/format/format.h"
#include "jet/read/catalog_lookup.h"
#include "jet/read/index_seek.h"
#include "tests/support/jet_image.h"
#include "tests/writer/index_walk.h"
#include "tests/writer/second_reader.h"
#include "tests/writer/system_definition.h"
#include "tests/writer/writer_test_support.h"

namespace vorelka::testing {
namespace {

using jet::JetFormat;

constexpr int kRows = 1000000;

std::vector<Words> LargeList() {
  std::vector<Words> rows;
  rows.reserve(kRows);
  for (int i = 1; i <= kRows; ++i) {
    Words w{i, "word " + std::to_string(i), "слово " + std::to_string(i)};
    if (i % 1000 == 0) w.english.reset();
    if (i % 1001 == 0) w.russian = "";
    rows.push_back(std::move(w));
  }
  return rows;
}

class LargeTable : public ::testing::TestWithParam<JetFormat> {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    rows_ = new std::vector<Words>(LargeList());
    for (JetFormat format : {JetFormat::kJet3, JetFormat::kJet4}) {
      const auto start = std::chrono::steady_clock::now();
      WriteWords(File(format), format, *rows_);
      const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
      std::printf("%s: %d rows in %.2f s, %ju bytes\n", FormatName(format).c_str(), kRows,
                  took.count(), static_cast<uintmax_t>(std::filesystem::file_size(File(format))));
    }
  }
  static void TearDownTestSuite() {
    delete rows_;
    delete dir_;
  }
  static std::filesystem::path File(JetFormat format) {
    return *dir_ / (FormatName(format) + ".mdb");
  }

  static TempDir* dir_;
  static std::vector<Words>* rows_;
};

TempDir* LargeTable::dir_ = nullptr;
std::vector<Words>* LargeTable::rows_ = nullptr;

TEST_P(LargeTable, EveryReaderReadsEveryRowBack) {
  EXPECT_TRUE(ReadWords(File(GetParam())) == *rows_);
  ExpectSameRows(File(GetParam()), "Words");
  EXPECT_TRUE(RowsByMdbReader(File(GetParam())) == AsTsv(*rows_));
}

TEST_P(LargeTable, IndexHoldsEveryKeyInThreeLevelsFoundByTheSeekAndMappedThroughMapPages) {
  const IndexWalk walk = WalkPrimaryKey(File(GetParam()));
  ASSERT_TRUE(walk.faults.empty()) << walk.faults.front() << " (" << walk.faults.size() << ")";
  std::vector<int32_t> expected(kRows);
  std::iota(expected.begin(), expected.end(), 1);
  EXPECT_TRUE(walk.keys == expected);
  EXPECT_EQ(walk.levels, 3);
  EXPECT_EQ(walk.prefixed_leaves, walk.leaf_pages - 1);

  jet::format::PageFile pages(File(GetParam()).string());
  const jet::CatalogEntry entry = jet::FindTable(pages, "Words");
  const jet::OpenTable table(pages, entry.definition_page, entry.name);
  auto seek = [&](int32_t key) {
    const jet::SeekResult found = jet::SeekLongKey(table, 0, key);
    if (found.outcome != jet::SeekOutcome::kFound) return std::string("no row");
    return table.FieldValue(*table.ReadRow({found.page, found.row}), 2).AsText();
  };
  for (const auto& [first, last] : walk.leaf_bounds) {
    for (const int32_t key : {first, last}) {
      ASSERT_EQ(seek(key), (*rows_)[static_cast<size_t>(key - 1)].russian.value_or("")) << key;
    }
  }
  for (const int32_t key : {0, -1, kRows + 1, INT_MAX, INT_MIN}) EXPECT_EQ(seek(key), "no row");

  // The table's pages and its index's, past what an inline map covers, are
  // mapped through usage map pages.
  JetImage image(File(GetParam()));
  const Definition words =
      ReadDefinition(image.bytes(), GetParam(), jet::format::kTableDefinitionPage);
  for (const uint32_t map : {words.owned_pages_map, words.indexes.at(0).usage_map}) {
    EXPECT_EQ(image.Get(jet::format::data::PageOfRowPointer(map), image.RowStart(map), 1),
              jet::format::map::kReferenceMap);
  }
}

INSTANTIATE_TEST_SUITE_P(BothFormats, LargeTable, ::testing::ValuesIn(kBothFormats),
                         FormatParamName());

}  // namespace
}  // namespace vorelka::testing
