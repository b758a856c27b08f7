// The primary-key index at the size where its root stops being a leaf,
// read by the independent walker (index_walk.h), which checks every entry,
// the mask and the free space byte by byte as Access lays them out. Deeper
// trees are walked with the round trips and the large table.
#include <gtest/gtest.h>

#include "jet/format/format.h"
#include "tests/writer/index_walk.h"
#include "tests/writer/writer_test_support.h"

namespace vorelka::testing {
namespace {

using jet::JetFormat;
namespace format = jet::format;

class IndexLayout : public ::testing::TestWithParam<JetFormat> {};

TEST_P(IndexLayout, AFullLeafStaysTheRootAndOneMoreEntryAddsANodeAndPrefixesIt) {
  TempDir dir;
  const auto build_and_walk = [&](int32_t rows) {
    WriteWords(dir / "words.mdb", GetParam(), NumberedRows(rows));
    IndexWalk walk = WalkPrimaryKey(dir / "words.mdb");
    EXPECT_TRUE(walk.faults.empty()) << walk.faults.front();
    return walk;
  };
  // As many whole entries of 9 bytes as fit after the mask.
  const format::Format& layout = format::FormatOf(GetParam());
  const auto capacity = static_cast<int32_t>((layout.page_size - layout.index.EntriesStart()) /
                                             format::index::kLeafEntrySize);
  const IndexWalk full = build_and_walk(capacity);
  EXPECT_EQ(full.levels, 1);
  EXPECT_EQ(full.prefixed_leaves, 0u);
  const IndexWalk more = build_and_walk(capacity + 1);
  EXPECT_EQ(more.levels, 2);
  EXPECT_EQ(more.leaf_pages, 2u);
  EXPECT_EQ(more.node_pages, 1u);
  EXPECT_EQ(more.prefixed_leaves, 1u);  // all leaves but the last
}

INSTANTIATE_TEST_SUITE_P(BothFormats, IndexLayout, ::testing::ValuesIn(kBothFormats),
                         FormatParamName());

}  // namespace
}  // namespace vorelka::testing
