// The primary-key index, read by the independent walker (index_walk.h) and,
// for a small case, byte by byte: the layout a seek over Access's own files
// relies on, at every tree height the writer produces.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "tests/writer/index_walk.h"
#include "tests/writer/writer_test_support.h"

namespace vorelka::testing {
namespace {

using jet::JetFormat;

std::vector<Words> Sequential(int count, int first = 1) {
  std::vector<Words> rows;
  for (int i = 0; i < count; ++i) rows.push_back({first + i, "w", "с"});
  return rows;
}

class IndexLayout : public ::testing::TestWithParam<JetFormat> {
 protected:
  bool Jet3() const { return GetParam() == JetFormat::kJet3; }
  size_t PageSize() const { return Jet3() ? 2048 : 4096; }
  // Entries of 9 bytes a leaf holds without a shared prefix.
  int PlainLeafCapacity() const { return Jet3() ? 1800 / 9 : 3616 / 9; }

  IndexWalk BuildAndWalk(const std::vector<Words>& rows) {
    WriteWords(file_, GetParam(), rows);
    IndexWalk walk = WalkPrimaryKey(file_);
    EXPECT_TRUE(walk.faults.empty()) << walk.faults.front();
    return walk;
  }

  TempDir dir_;
  std::filesystem::path file_ = dir_ / "words.mdb";
};

TEST_P(IndexLayout, LeafRootHoldsEntriesAsAccessWritesThem) {
  const IndexWalk walk = BuildAndWalk({{1, "a", "б"}, {-2, "c", "д"}});
  ASSERT_EQ(walk.levels, 1);
  const std::string bytes = ReadBytes(file_);
  const auto* page =
      reinterpret_cast<const uint8_t*>(bytes.data()) + size_t{walk.root_page} * PageSize();
  const size_t entries = Jet3() ? 0xF8 : 0x1E0;
  const size_t mask = Jet3() ? 22 : 27;
  EXPECT_EQ(page[0], 0x04);
  EXPECT_EQ(page[1], 0x01);
  // Key -2 (7F 7F FF FF FE) then key 1 (7F 80 00 00 01), each followed by its
  // row pointer: the first data page, 10, big-endian, row 1 and row 0.
  const std::vector<uint8_t> expected = {0x7F, 0x7F, 0xFF, 0xFF, 0xFE, 0x00, 0x00, 0x0A, 0x01,
                                         0x7F, 0x80, 0x00, 0x00, 0x01, 0x00, 0x00, 0x0A, 0x00};
  EXPECT_EQ(std::vector<uint8_t>(page + entries, page + entries + expected.size()), expected);
  // Entries end at 9 and 18: bits 9 and 18 of the mask.
  EXPECT_EQ(page[mask + 1], 0x02);
  EXPECT_EQ(page[mask + 2], 0x04);
  const unsigned free_space = page[2] | page[3] << 8;
  EXPECT_EQ(free_space, PageSize() - entries - 18);
}

TEST_P(IndexLayout, AFullLeafStaysTheRootAndOneMoreEntryAddsANodeAndPrefixesIt) {
  const IndexWalk full = BuildAndWalk(Sequential(PlainLeafCapacity()));
  EXPECT_EQ(full.levels, 1);
  EXPECT_EQ(full.prefixed_leaves, 0u);
  const IndexWalk more = BuildAndWalk(Sequential(PlainLeafCapacity() + 1));
  EXPECT_EQ(more.levels, 2);
  EXPECT_EQ(more.leaf_pages, 2u);
  EXPECT_EQ(more.node_pages, 1u);
  EXPECT_EQ(more.prefixed_leaves, 1u);  // all leaves but the last
}

TEST_P(IndexLayout, ManyLeavesShareOneNodeWithATail) {
  const IndexWalk walk = BuildAndWalk(Sequential(20000, -10000));
  EXPECT_EQ(walk.levels, 2);
  EXPECT_EQ(walk.prefixed_leaves, walk.leaf_pages - 1);
  EXPECT_EQ(walk.keys.front(), -10000);
  EXPECT_EQ(walk.keys.back(), 9999);
}

TEST_P(IndexLayout, AFullNodeLevelGrowsAThirdLevel) {
  // Past one node page's children: 139 leaves (Jet 3) or 279 (Jet 4).
  const int rows = Jet3() ? 60000 : 200000;
  std::vector<Words> shuffled = Sequential(rows);
  std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
  const IndexWalk walk = BuildAndWalk(shuffled);
  EXPECT_EQ(walk.levels, 3);
  EXPECT_GE(walk.node_pages, 3u);
  std::vector<int32_t> expected(rows);
  std::iota(expected.begin(), expected.end(), 1);
  EXPECT_EQ(walk.keys, expected);
}

TEST_P(IndexLayout, SparseKeysAcrossTheSignBoundarySortAsNumbers) {
  std::vector<Words> rows;
  std::mt19937 random(3);
  std::uniform_int_distribution<int32_t> any;
  std::vector<int32_t> keys;
  while (keys.size() < 3000) {
    const int32_t k = any(random);
    if (std::find(keys.begin(), keys.end(), k) == keys.end()) keys.push_back(k);
  }
  for (int32_t k : keys) rows.push_back({k, "x", "y"});
  const IndexWalk walk = BuildAndWalk(rows);
  std::sort(keys.begin(), keys.end());
  EXPECT_EQ(walk.keys, keys);
}

INSTANTIATE_TEST_SUITE_P(BothFormats, IndexLayout,
                         ::testing::Values(JetFormat::kJet3, JetFormat::kJet4),
                         [](const auto& info) { return FormatName(info.param); });

}  // namespace
}  // namespace vorelka::testing
