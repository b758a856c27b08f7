// A table of 1,000,000 rows in both formats, built once for all the cases of
// this program (registered as one ctest test): every row read back through
// our engine, libmdb and mdb-reader, the index walked, the usage maps past
// their inline size.
#include <gtest/gtest.h>

#include <chrono>
#include <numeric>

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

TEST_P(LargeTable, TheEngineReadsEveryRowBackAsLibmdbDoes) {
  EXPECT_TRUE(ReadWords(File(GetParam())) == *rows_);
  ExpectSameRows(File(GetParam()), "Words");
}

TEST_P(LargeTable, IndexHoldsEveryKeyInThreeLevels) {
  const IndexWalk walk = WalkPrimaryKey(File(GetParam()));
  ASSERT_TRUE(walk.faults.empty()) << walk.faults.front() << " (" << walk.faults.size() << ")";
  std::vector<int32_t> expected(kRows);
  std::iota(expected.begin(), expected.end(), 1);
  EXPECT_TRUE(walk.keys == expected);
  EXPECT_EQ(walk.levels, 3);
  EXPECT_EQ(walk.prefixed_leaves, walk.leaf_pages - 1);
}

TEST_P(LargeTable, MapsTheDataAndIndexPagesThroughUsageMapPages) {
  // The maps of the table's pages and of its index's pages (the definition
  // is on page 6) are reference maps (type 1) at this size.
  const std::string bytes = ReadBytes(File(GetParam()));
  const bool jet3 = GetParam() == JetFormat::kJet3;
  const Definition words = ReadDefinition(bytes, GetParam(), 6);
  auto map_kind = [&](uint32_t pointer) {
    const size_t page = size_t{pointer >> 8} * (jet3 ? 2048 : 4096);
    const size_t offset = page + (jet3 ? 10 : 14) + 2 * (pointer & 0xFF);
    return bytes[page + (static_cast<uint8_t>(bytes[offset]) |
                         (static_cast<uint8_t>(bytes[offset + 1]) & 0x1F) << 8)];
  };
  EXPECT_EQ(map_kind(words.owned_pages_map), 1);
  ASSERT_EQ(words.indexes.size(), 1u);
  EXPECT_EQ(map_kind(words.indexes[0].usage_map), 1);
}

TEST_P(LargeTable, MdbReaderReadsEveryRowBack) {
  const RunResult r = RunProgram(
      {"node", VORELKA_DUMP_ROWS_SCRIPT, VORELKA_NODE_MODULES, File(GetParam()).string()});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_TRUE(r.out == AsTsv(*rows_));
}

TEST_P(LargeTable, MdbToolsCountAndFindRows) {
  EXPECT_EQ(RunProgram({"mdb-count", File(GetParam()).string(), "Words"}).out, "1000000\n");
  const RunResult word = MdbSql(File(GetParam()), "SELECT Russian FROM Words WHERE Id = 999998");
  EXPECT_EQ(word.out, "слово 999998\n");
  EXPECT_EQ(word.err, "");
}

INSTANTIATE_TEST_SUITE_P(BothFormats, LargeTable,
                         ::testing::Values(JetFormat::kJet3, JetFormat::kJet4),
                         [](const auto& info) { return FormatName(info.param); });

}  // namespace
}  // namespace vorelka::testing
