// The index seek gives the rows the scan gives, for keys that are there and
// keys that are not, at the edges of every leaf, in both file formats. (The
// large table's test seeks through an index of three levels.)
#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <random>

#include "jet/read/row_lookup.h"
#include "tests/seek/seek_files.h"

namespace vorelka::jet::seek_testing {
namespace {

// Keys every third number across zero, with the extremes of the type, so
// that sign handling and both ends of the key order are exercised.
std::vector<int32_t> SignedIds() {
  std::vector<int32_t> ids = {INT_MIN, INT_MIN + 1};
  for (int32_t id = -30000; id <= 30000; id += 3) ids.push_back(id);
  ids.push_back(INT_MAX - 1);
  ids.push_back(INT_MAX);
  return ids;
}

class SeekAgreesWithScan : public ::testing::TestWithParam<JetFormat> {
 protected:
  void SetUp() override {
    WriteWords(path_, GetParam(), SignedIds());
    words_ = std::make_unique<OpenedWords>(path_);
    // One pass of the scan over every row gives each key's location.
    words_->table.ForEachRow([&](const RowLocation& location, const Row& row) {
      scanned_[*words_->table.IntegerField(row, words_->id_column)].push_back(location);
    });
  }

  // The seek answers by itself, and with the rows the scan finds.
  void ExpectAgreement(int32_t key) const {
    const SeekResult seek = words_->Seek(key);
    ASSERT_NE(seek.outcome, SeekOutcome::kUnanswered) << "key " << key;
    const auto it = scanned_.find(key);
    if (it == scanned_.end()) {
      EXPECT_EQ(seek.outcome, SeekOutcome::kNoRow) << "key " << key;
      EXPECT_TRUE(FindRowsWithLong(words_->table, words_->id_column, key).empty());
    } else {
      ASSERT_EQ(it->second.size(), 1u) << "key " << key;
      EXPECT_EQ(seek.outcome, SeekOutcome::kFound) << "key " << key;
      EXPECT_EQ((RowLocation{seek.page, seek.row}), it->second[0]) << "key " << key;
      EXPECT_EQ(FindRowsWithLong(words_->table, words_->id_column, key), it->second);
    }
  }

  TempDir folder_;
  std::filesystem::path path_ = folder_ / "words.mdb";
  std::unique_ptr<OpenedWords> words_;
  std::map<int32_t, std::vector<RowLocation>> scanned_;
};

TEST_P(SeekAgreesWithScan, ForRandomZeroNegativeExtremeAndLeafEdgeKeysPresentAndAbsent) {
  for (const int32_t key : {0, -1, 1, -3, 3, -30000, 30000, -30001, 30001, INT_MIN, INT_MIN + 1,
                            INT_MIN + 2, INT_MAX, INT_MAX - 1, INT_MAX - 2}) {
    ExpectAgreement(key);
  }
  std::mt19937 random(20240607);
  std::uniform_int_distribution<int32_t> near_zero(-31000, 31000);
  for (int i = 0; i < 150; ++i) ExpectAgreement(near_zero(random));
  std::uniform_int_distribution<int32_t> anywhere(INT_MIN, INT_MAX);
  for (int i = 0; i < 20; ++i) ExpectAgreement(anywhere(random));

  // The first and last key of every leaf, and just past each edge, where a
  // walk could go to the wrong neighbour.
  const IndexWalk walk = WalkIndex(path_);
  ASSERT_GE(walk.levels, 2) << "the index should span several pages";
  ASSERT_EQ(walk.leaf_bounds.size(), walk.leaves.size());
  for (const auto& [first, last] : walk.leaf_bounds) {
    ExpectAgreement(first);
    ExpectAgreement(last);
    if (first != INT_MIN) ExpectAgreement(first - 1);
    if (last != INT_MAX) ExpectAgreement(last + 1);
  }
}

TEST_P(SeekAgreesWithScan, OnAnEmptyTable) {
  WriteWords(path_, GetParam(), {});
  const OpenedWords empty(path_);
  for (const int32_t key : {0, 1, -1, INT_MAX}) {
    EXPECT_NE(empty.Seek(key).outcome, SeekOutcome::kFound);
    EXPECT_TRUE(FindRowsWithLong(empty.table, empty.id_column, key).empty());
  }
}

INSTANTIATE_TEST_SUITE_P(BothFormats, SeekAgreesWithScan,
                         ::testing::ValuesIn(testing::kBothFormats), testing::FormatParamName());

}  // namespace
}  // namespace vorelka::jet::seek_testing
