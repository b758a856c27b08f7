// The index seek gives the rows the scan gives, for keys that are there and
// keys that are not, at the edges of every leaf, in both file formats.
#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <random>

#include "jet/read/row_lookup.h"
#include "seek_files.h"

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
  static void SetUpTestSuite() {
    folder_ = new TempDir;
    for (const JetFormat format : {JetFormat::kJet3, JetFormat::kJet4}) {
      const auto path = folder_->Child(format == JetFormat::kJet3 ? "jet3.mdb" : "jet4.mdb");
      WriteWords(path, format, SignedIds());
      paths_[format] = path;
    }
  }
  static void TearDownTestSuite() {
    delete folder_;
    folder_ = nullptr;
  }

  void SetUp() override {
    words_ = std::make_unique<OpenedWords>(paths_[GetParam()]);
    // One pass of the scan over every row gives each key's location.
    words_->table().ForEachRow([&](const RowLocation& location, const Row& row) {
      scanned_[*words_->table().IntegerField(row, words_->id_column())].push_back(location);
    });
  }

  // The seek answers by itself, and with the rows the scan finds.
  void ExpectAgreement(int32_t key) const {
    const SeekResult seek = words_->Seek(key);
    ASSERT_NE(seek.outcome, SeekOutcome::kUnanswered) << "key " << key;
    const auto it = scanned_.find(key);
    if (it == scanned_.end()) {
      EXPECT_EQ(seek.outcome, SeekOutcome::kNoRow) << "key " << key;
      EXPECT_TRUE(FindRowsWithLong(words_->table(), words_->id_column(), key).empty());
    } else {
      ASSERT_EQ(it->second.size(), 1u) << "key " << key;
      EXPECT_EQ(seek.outcome, SeekOutcome::kFound) << "key " << key;
      EXPECT_EQ((RowLocation{seek.page, seek.row}), it->second[0]) << "key " << key;
      EXPECT_EQ(FindRowsWithLong(words_->table(), words_->id_column(), key), it->second);
    }
  }

  static inline TempDir* folder_ = nullptr;
  static inline std::map<JetFormat, std::filesystem::path> paths_;
  std::unique_ptr<OpenedWords> words_;
  std::map<int32_t, std::vector<RowLocation>> scanned_;
};

TEST_P(SeekAgreesWithScan, ForRandomKeysPresentAndAbsent) {
  std::mt19937 random(20240607);
  std::uniform_int_distribution<int32_t> near_zero(-31000, 31000);
  for (int i = 0; i < 150; ++i) ExpectAgreement(near_zero(random));
  std::uniform_int_distribution<int32_t> anywhere(INT_MIN, INT_MAX);
  for (int i = 0; i < 20; ++i) ExpectAgreement(anywhere(random));
}

TEST_P(SeekAgreesWithScan, ForZeroNegativeAndExtremeKeys) {
  for (const int32_t key : {0, -1, 1, -3, 3, -30000, 30000, -30001, 30001, INT_MIN, INT_MIN + 1,
                            INT_MIN + 2, INT_MAX, INT_MAX - 1, INT_MAX - 2}) {
    ExpectAgreement(key);
    // And the lookup's own scan, key by key.
    EXPECT_EQ(FindRowsWithLong(words_->table(), words_->id_column(), key),
              ScanRowsWithLong(words_->table(), words_->id_column(), key))
        << "key " << key;
  }
}

TEST_P(SeekAgreesWithScan, ForTheFirstAndLastKeyOfEveryLeaf) {
  const IndexShape shape = ShapeOfIdIndex(*words_);
  ASSERT_GE(shape.depth, 2) << "the index should span several pages";
  ASSERT_EQ(shape.leaf_bounds.size(), shape.leaves.size());
  for (const auto& [first, last] : shape.leaf_bounds) {
    ExpectAgreement(first);
    ExpectAgreement(last);
    // Just past each edge, where a walk could go to the wrong neighbour.
    if (first != INT_MIN) ExpectAgreement(first - 1);
    if (last != INT_MAX) ExpectAgreement(last + 1);
  }
}

TEST_P(SeekAgreesWithScan, OnAnEmptyTable) {
  TempDir folder;
  const auto path = folder.Child("empty.mdb");
  WriteWords(path, GetParam(), {});
  const OpenedWords empty(path);
  for (const int32_t key : {0, 1, -1, INT_MAX}) {
    EXPECT_NE(empty.Seek(key).outcome, SeekOutcome::kFound);
    EXPECT_TRUE(FindRowsWithLong(empty.table(), empty.id_column(), key).empty());
  }
}

INSTANTIATE_TEST_SUITE_P(BothFormats, SeekAgreesWithScan,
                         ::testing::Values(JetFormat::kJet3, JetFormat::kJet4),
                         [](const auto& info) {
                           return info.param == JetFormat::kJet3 ? "Jet3" : "Jet4";
                         });

// A million rows take an index of three levels or more; every leaf's edge
// keys are found through it, with the words stored for them.
TEST(SeekOnAMillionRows, FindsTheEdgeKeysOfEveryLeafWithTheirWords) {
  TempDir folder;
  const auto path = folder.Child("million.mdb");
  std::vector<int32_t> ids(1000000);
  for (size_t i = 0; i < ids.size(); ++i) ids[i] = static_cast<int32_t>(i + 1);
  WriteWords(path, JetFormat::kJet4, ids);
  const OpenedWords words(path);
  const IndexShape shape = ShapeOfIdIndex(words);
  ASSERT_GE(shape.depth, 3);
  for (const auto& [first, last] : shape.leaf_bounds) {
    ASSERT_EQ(words.SeekEnglish(first), EnglishOf(first));
    ASSERT_EQ(words.SeekEnglish(last), EnglishOf(last));
  }
  for (const int32_t key : {0, -1, 1000001, INT_MAX, INT_MIN}) {
    EXPECT_EQ(words.Seek(key).outcome, SeekOutcome::kNoRow) << key;
  }
  // The lookup answers through the index (the scan's agreement is shown on
  // the smaller tables above, where it is affordable).
  const SeekResult seek = words.Seek(777777);
  ASSERT_EQ(seek.outcome, SeekOutcome::kFound);
  const std::vector<RowLocation> expected = {RowLocation{seek.page, seek.row}};
  EXPECT_EQ(FindRowsWithLong(words.table(), words.id_column(), 777777), expected);
}

}  // namespace
}  // namespace vorelka::jet::seek_testing
