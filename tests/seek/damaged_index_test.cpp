// An index that does not hold together sends the lookup to the scan: the
// answer stays right, and nothing crashes or hangs.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>

#include "jet/format/format.h"
#include "jet/read/row_lookup.h"
#include "tests/seek/seek_files.h"

namespace vorelka::jet::seek_testing {
namespace {

constexpr int32_t kRows = 5000;

// The ends of a page's entries, in order: the set bits of its entry mask.
std::vector<size_t> EntryEnds(const JetImage& image, uint32_t page) {
  const format::IndexPageLayout& index = image.format().index;
  std::vector<size_t> ends;
  for (size_t bit = 0; bit < index.mask_size * 8; ++bit) {
    if (image.Get(page, index.mask_offset + bit / 8, 1) >> (bit % 8) & 1) ends.push_back(bit);
  }
  return ends;
}

// Keys held by a leaf: its edges and its middle.
std::vector<int32_t> KeysOfLeaf(const IndexWalk& walk, size_t leaf) {
  const auto [first, last] = walk.leaf_bounds.at(leaf);
  return {first, first + (last - first) / 2, last};
}

// Overwrites one field of the index, or of its definition, and returns the
// keys whose seek goes through the damage.
using Damage = std::function<std::vector<int32_t>(JetImage&, const IndexWalk&)>;

Damage PageType(uint8_t type) {
  return [type](JetImage& image, const IndexWalk& walk) {
    image.Put(walk.root_page, format::kPageTypeOffset, 1, type);
    return std::vector<int32_t>{1, kRows / 3, kRows};
  };
}

Damage RootChild(uint32_t child) {
  return [child](JetImage& image, const IndexWalk& walk) {
    const size_t entry_end =
        image.format().index.EntriesStart() + EntryEnds(image, walk.root_page).front();
    const uint32_t to = child == 0 ? walk.root_page : child;  // 0: back to the parent
    format::PutBe32(image.Page(walk.root_page) + entry_end - format::index::kChildPointerSize, to);
    return KeysOfLeaf(walk, 0);
  };
}

const struct {
  const char* name;
  Damage damage;
} kDamages[] = {
    {"root of a data page's type", PageType(format::kDataPageType)},
    {"node root taken for a leaf", PageType(format::kIndexLeafPageType)},
    {"child page beyond the file", RootChild(0x00FFFFFF)},
    {"child page pointing back to its parent", RootChild(0)},
    {"root owned by no table",
     [](JetImage& image, const IndexWalk& walk) {
       image.Put(walk.root_page, format::kPageOwnerOffset, 4, 0xEEEE);
       return std::vector<int32_t>{1, kRows};
     }},
    {"entry reaching past the page",
     [](JetImage& image, const IndexWalk& walk) {
       // The mask's last bit marks an entry end beyond the page's last byte.
       const size_t last_byte = image.format().index.EntriesStart() - 1;
       image.Put(walk.leaves[1], last_byte, 1, image.Get(walk.leaves[1], last_byte, 1) | 0x80);
       return KeysOfLeaf(walk, 1);
     }},
    {"leaf that lost its last entry",
     [](JetImage& image, const IndexWalk& walk) {
       // Its parent still names that key as the leaf's last.
       const size_t bit = EntryEnds(image, walk.leaves[1]).back();
       const size_t byte = image.format().index.mask_offset + bit / 8;
       image.Put(walk.leaves[1], byte, 1, image.Get(walk.leaves[1], byte, 1) & ~(1u << bit % 8));
       return std::vector<int32_t>{walk.leaf_bounds[1].second};
     }},
    {"leaf with no entries",
     [](JetImage& image, const IndexWalk& walk) {
       const format::IndexPageLayout& index = image.format().index;
       std::fill_n(image.Page(walk.leaves[1]) + index.mask_offset, index.mask_size, 0);
       return KeysOfLeaf(walk, 1);
     }},
    {"keys out of order",
     [](JetImage& image, const IndexWalk& walk) {
       // A leaf's first entry is stored whole; raising its lowest key byte
       // puts it after the second entry.
       image.Put(walk.leaves[1],
                 image.format().index.EntriesStart() + format::index::kLongKeySize - 1, 1, 0xFF);
       return KeysOfLeaf(walk, 1);
     }},
    {"descending key column",
     [](JetImage& image, const IndexWalk&) {
       // The key column's slot in the index definition: its number (Id is
       // column 0), the ascending flag, then the unused slots' 0xFFFF.
       uint8_t* definition = image.Page(format::kTableDefinitionPage);
       const uint8_t slot[] = {0x00, 0x00, format::tdef::kAscendingColumnFlag, 0xFF, 0xFF};
       uint8_t* end = definition + image.format().page_size;
       uint8_t* at = std::search(definition, end, std::begin(slot), std::end(slot));
       if (at == end) throw std::runtime_error("no key column slot");
       at[2] = 0;
       return std::vector<int32_t>{1, kRows / 2, kRows};
     }},
};

class DamagedIndex : public ::testing::TestWithParam<JetFormat> {
 protected:
  void SetUp() override {
    testing::WriteWords(intact_, GetParam(), testing::NumberedRows(kRows));
    walk_ = WalkIndex(intact_);
    ASSERT_GE(walk_.levels, 2) << "the damage needs a node above the leaves";
    ASSERT_GE(walk_.leaves.size(), 3u);
  }

  TempDir folder_;
  std::filesystem::path intact_ = folder_ / "intact.mdb";
  std::filesystem::path damaged_ = folder_ / "damaged.mdb";
  IndexWalk walk_;
};

TEST_P(DamagedIndex, EachDamageSendsTheKeysThroughItToTheScanWhichAnswersRight) {
  for (const auto& [name, damage] : kDamages) {
    SCOPED_TRACE(name);
    JetImage image(intact_);
    std::vector<int32_t> keys = damage(image, walk_);
    image.Save(damaged_);
    const OpenedWords words(damaged_);
    for (const int32_t key : keys) {
      EXPECT_EQ(words.Seek(key).outcome, SeekOutcome::kUnanswered) << "key " << key;
    }
    keys.insert(keys.end(), {1, kRows / 2, kRows, 0, -1, kRows + 1});
    for (const int32_t key : keys) {
      const auto found = FindRowsWithLong(words.table, words.id_column, key);
      EXPECT_EQ(found, ScanRowsWithLong(words.table, words.id_column, key)) << "key " << key;
      EXPECT_EQ(found.size(), key >= 1 && key <= kRows ? 1u : 0u) << "key " << key;
    }
  }
}

TEST_P(DamagedIndex, RowOnAPageTheUsageMapLeavesOutIsLeftToTheScan) {
  // The scan reads only the pages the table's usage map names; take the
  // page holding one key out of the (inline) map.
  constexpr int32_t kKey = kRows / 2;
  const RowLocation where = [&] {
    const OpenedWords words(intact_);
    return ScanRowsWithLong(words.table, words.id_column, kKey).at(0);
  }();
  JetImage image(intact_);
  const uint32_t pointer =
      image.Get(format::kTableDefinitionPage, image.format().tdef.owned_map_offset, 4);
  const uint32_t map_page = format::data::PageOfRowPointer(pointer);
  const size_t map_start = image.RowStart(pointer);
  ASSERT_EQ(image.Get(map_page, map_start, 1), format::map::kInlineMap);
  const uint32_t bit =
      where.page - image.Get(map_page, map_start + format::map::kInlineStartOffset, 4);
  const size_t byte = map_start + format::map::kInlineBitsOffset + bit / 8;
  image.Put(map_page, byte, 1, image.Get(map_page, byte, 1) & ~(1u << bit % 8));
  image.Save(damaged_);

  const OpenedWords words(damaged_);
  EXPECT_EQ(words.Seek(kKey).outcome, SeekOutcome::kUnanswered);
  // The scan no longer sees the row, and neither does the lookup.
  EXPECT_TRUE(ScanRowsWithLong(words.table, words.id_column, kKey).empty());
  EXPECT_TRUE(FindRowsWithLong(words.table, words.id_column, kKey).empty());
}

INSTANTIATE_TEST_SUITE_P(BothFormats, DamagedIndex, ::testing::ValuesIn(testing::kBothFormats),
                         testing::FormatParamName());

}  // namespace
}  // namespace vorelka::jet::seek_testing
