// The primary-key index, read by the independent walker (index_walk.h) and,
// for a small case, byte by byte: the layout a seek over Access's own files
// relies on. Deeper trees are walked with the round trips and the large
// table.
#include <gtest/gtest.h>

#include "jet/format/format.h"
#include "tests/writer/index_walk.h"
#include "tests/writer/writer_test_support.h"

namespace vorelka::testing {
namespace {

using jet::JetFormat;
namespace format = jet::format;

class IndexLayout : public ::testing::TestWithParam<JetFormat> {
 protected:
  const format::Format& Layout() const { return format::FormatOf(GetParam()); }

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
      reinterpret_cast<const uint8_t*>(bytes.data()) + size_t{walk.root_page} * Layout().page_size;
  const size_t entries = Layout().index.EntriesStart();
  const size_t mask = Layout().index.mask_offset;
  EXPECT_EQ(page[0], format::kIndexLeafPageType);
  EXPECT_EQ(page[1], format::kPageTypeSecondByte);
  // Key -2 (7F 7F FF FF FE) then key 1 (7F 80 00 00 01), each followed by its
  // row pointer: the first data page, 10, big-endian, row 1 and row 0.
  const std::vector<uint8_t> expected = {0x7F, 0x7F, 0xFF, 0xFF, 0xFE, 0x00, 0x00, 0x0A, 0x01,
                                         0x7F, 0x80, 0x00, 0x00, 0x01, 0x00, 0x00, 0x0A, 0x00};
  EXPECT_EQ(std::vector<uint8_t>(page + entries, page + entries + expected.size()), expected);
  // Entries end at 9 and 18: bits 9 and 18 of the mask.
  EXPECT_EQ(page[mask + 1], 0x02);
  EXPECT_EQ(page[mask + 2], 0x04);
  const unsigned free_space = page[2] | page[3] << 8;
  EXPECT_EQ(free_space, Layout().page_size - entries - 18);
}

TEST_P(IndexLayout, AFullLeafStaysTheRootAndOneMoreEntryAddsANodeAndPrefixesIt) {
  // As many whole entries of 9 bytes as fit after the mask.
  const int32_t capacity = static_cast<int32_t>(
      (Layout().page_size - Layout().index.EntriesStart()) / format::index::kLeafEntrySize);
  const IndexWalk full = BuildAndWalk(NumberedRows(capacity));
  EXPECT_EQ(full.levels, 1);
  EXPECT_EQ(full.prefixed_leaves, 0u);
  const IndexWalk more = BuildAndWalk(NumberedRows(capacity + 1));
  EXPECT_EQ(more.levels, 2);
  EXPECT_EQ(more.leaf_pages, 2u);
  EXPECT_EQ(more.node_pages, 1u);
  EXPECT_EQ(more.prefixed_leaves, 1u);  // all leaves but the last
}

INSTANTIATE_TEST_SUITE_P(BothFormats, IndexLayout, ::testing::ValuesIn(kBothFormats),
                         FormatParamName());

}  // namespace
}  // namespace vorelka::testing
