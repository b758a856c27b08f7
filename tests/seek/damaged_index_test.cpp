// An index page that does not hold together sends the lookup to the scan:
// the answer stays right, and nothing crashes or hangs.
#include <gtest/gtest.h>

#include <algorithm>

#include "jet/format/format.h"
#include "jet/read/row_lookup.h"
#include "seek_files.h"

namespace vorelka::jet::seek_testing {
namespace {

constexpr int32_t kRows = 5000;

const format::Format& LayoutFor(uint32_t page_size) {
  return page_size == format::kJet3.page_size ? format::kJet3 : format::kJet4;
}

// Where the first entry of an index page ends: its first set mask bit.
size_t FirstEntryEnd(const std::vector<uint8_t>& page, const format::Format& layout) {
  for (size_t bit = 0; bit < layout.index.mask_size * 8; ++bit) {
    if (page[layout.index.mask_offset + bit / 8] & (1u << (bit % 8))) return bit;
  }
  throw std::runtime_error("index page without entries");
}

std::vector<uint8_t> BigEndian32(uint32_t value) {
  return {static_cast<uint8_t>(value >> 24), static_cast<uint8_t>(value >> 16),
          static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
}

class DamagedIndex : public ::testing::TestWithParam<JetFormat> {
 protected:
  void SetUp() override {
    std::vector<int32_t> ids(kRows);
    for (int32_t i = 0; i < kRows; ++i) ids[static_cast<size_t>(i)] = i + 1;
    WriteWords(intact_, GetParam(), ids);
    const OpenedWords words(intact_);
    shape_ = ShapeOfIdIndex(words);
    ASSERT_GE(shape_.depth, 2) << "the damage needs a node above the leaves";
    ASSERT_GE(shape_.leaves.size(), 3u);
  }

  const format::Format& layout() const { return LayoutFor(shape_.page_size); }

  void Damage(uint32_t page, size_t offset, const std::vector<uint8_t>& bytes) {
    CopyWithPatch(intact_, damaged_, shape_.page_size, page, offset, bytes);
  }

  // Keys in the damaged part go to the scan and still find their rows;
  // every key gets the answer the scan gives.
  void ExpectScanAnswers(const std::vector<int32_t>& routed_through_damage) {
    const OpenedWords words(damaged_);
    for (const int32_t key : routed_through_damage) {
      EXPECT_EQ(words.Seek(key).outcome, SeekOutcome::kUnanswered) << "key " << key;
    }
    std::vector<int32_t> keys = routed_through_damage;
    keys.insert(keys.end(), {1, kRows / 2, kRows, 0, -1, kRows + 1});
    for (const int32_t key : keys) {
      const auto found = FindRowsWithLong(words.table(), words.id_column(), key);
      EXPECT_EQ(found, ScanRowsWithLong(words.table(), words.id_column(), key)) << "key " << key;
      EXPECT_EQ(found.size(), key >= 1 && key <= kRows ? 1u : 0u) << "key " << key;
    }
  }

  // Keys held by leaf number `leaf`: its edges and its middle.
  std::vector<int32_t> KeysOfLeaf(size_t leaf) const {
    const auto [first, last] = shape_.leaf_bounds.at(leaf);
    return {first, first + (last - first) / 2, last};
  }

  TempDir folder_;
  std::filesystem::path intact_ = folder_.Child("intact.mdb");
  std::filesystem::path damaged_ = folder_.Child("damaged.mdb");
  IndexShape shape_;
};

TEST_P(DamagedIndex, RootOfTheWrongPageTypeOrANodeTakenForALeafFallsBackToTheScan) {
  for (const uint8_t type : {format::kDataPageType, format::kIndexLeafPageType}) {
    SCOPED_TRACE(type);
    Damage(shape_.root, 0, {type});
    ExpectScanAnswers({1, kRows / 3, kRows});
  }
}

TEST_P(DamagedIndex, EntryReachingPastThePageFallsBackToTheScan) {
  // The mask's last bit marks an entry end beyond the page's last byte.
  const uint32_t leaf = shape_.leaves[1];
  const size_t last_mask_byte =
      layout().index.mask_offset + layout().index.mask_size - 1;
  const uint8_t old = ReadPage(intact_, shape_.page_size, leaf)[last_mask_byte];
  Damage(leaf, last_mask_byte, {static_cast<uint8_t>(old | 0x80)});
  ExpectScanAnswers(KeysOfLeaf(1));
}

TEST_P(DamagedIndex, LeafThatLostItsLastEntryFallsBackToTheScan) {
  // Clearing the mask's last set bit drops the leaf's last entry; its
  // parent still names that key as the leaf's last.
  const uint32_t leaf = shape_.leaves[1];
  auto page = ReadPage(intact_, shape_.page_size, leaf);
  size_t last_bit = 0;
  for (size_t bit = 0; bit < layout().index.mask_size * 8; ++bit) {
    if (page[layout().index.mask_offset + bit / 8] & (1u << (bit % 8))) last_bit = bit;
  }
  const size_t byte = layout().index.mask_offset + last_bit / 8;
  Damage(leaf, byte, {static_cast<uint8_t>(page[byte] & ~(1u << (last_bit % 8)))});
  ExpectScanAnswers({shape_.leaf_bounds[1].second});
}

TEST_P(DamagedIndex, LeafWithNoEntriesFallsBackToTheScan) {
  const uint32_t leaf = shape_.leaves[1];
  Damage(leaf, layout().index.mask_offset,
         std::vector<uint8_t>(layout().index.mask_size, 0));
  ExpectScanAnswers(KeysOfLeaf(1));
}

TEST_P(DamagedIndex, ChildPageBeyondTheFileOrPointingBackToItsParentFallsBackToTheScan) {
  const auto root = ReadPage(intact_, shape_.page_size, shape_.root);
  const size_t child_at = layout().index.EntriesStart() + FirstEntryEnd(root, layout()) -
                          format::index::kChildPointerSize;
  for (const uint32_t child : {0x00FFFFFFu, shape_.root}) {
    SCOPED_TRACE(child);
    Damage(shape_.root, child_at, BigEndian32(child));
    ExpectScanAnswers(KeysOfLeaf(0));
  }
}

TEST_P(DamagedIndex, KeysOutOfOrderFallBackToTheScan) {
  // The first entry of a leaf is stored whole; raising its lowest key byte
  // puts it after the second entry.
  const uint32_t leaf = shape_.leaves[1];
  Damage(leaf, layout().index.EntriesStart() + format::index::kLongKeySize - 1, {0xFF});
  ExpectScanAnswers(KeysOfLeaf(1));
}

TEST_P(DamagedIndex, IndexRootOutsideTheTableFallsBackToTheScan) {
  // A root that belongs to another table (here: to none) is not followed.
  Damage(shape_.root, format::kPageOwnerOffset, {0xEE, 0xEE, 0x00, 0x00});
  ExpectScanAnswers({1, kRows});
}

TEST_P(DamagedIndex, DescendingIndexIsLeftToTheScan) {
  // The key column's slot in the index definition: its number (Id is
  // column 0), the ascending flag, then the unused slots' 0xFFFF.
  const uint32_t definition = [&] {
    const OpenedWords words(intact_);
    return words.table().definition().page;
  }();
  const auto page = ReadPage(intact_, shape_.page_size, definition);
  const std::vector<uint8_t> slot = {0x00, 0x00, 0x01, 0xFF, 0xFF};
  const auto at = std::search(page.begin(), page.end(), slot.begin(), slot.end());
  ASSERT_NE(at, page.end());
  Damage(definition, static_cast<size_t>(at - page.begin()) + 2, {0x00});
  {
    const OpenedWords words(damaged_);
    const auto& indexes = words.table().definition().physical_indexes;
    ASSERT_TRUE(indexes.size() == 1 && indexes.at(0).columns.size() == 1);
    ASSERT_FALSE(indexes.at(0).columns[0].ascending);
  }
  ExpectScanAnswers({1, kRows / 2, kRows});
}

TEST_P(DamagedIndex, RowOnAPageTheUsageMapLeavesOutIsLeftToTheScan) {
  // The scan reads only the pages the table's usage map names; take the
  // page holding one key out of the (inline) map.
  constexpr int32_t kKey = kRows / 2;
  RowLocation where;
  uint32_t definition = 0;
  {
    const OpenedWords words(intact_);
    where = ScanRowsWithLong(words.table(), words.id_column(), kKey).at(0);
    definition = words.table().definition().page;
  }
  const bool jet3 = GetParam() == JetFormat::kJet3;
  const size_t map_pointer_offset = jet3 ? 35 : 55;
  const size_t row_table = (jet3 ? 8 : 12) + 2;
  const auto definition_bytes = ReadPage(intact_, shape_.page_size, definition);
  const uint32_t pointer = format::GetLe32(definition_bytes.data() + map_pointer_offset);
  const uint32_t map_page = pointer >> 8;
  const uint32_t map_row = pointer & 0xFF;
  auto page = ReadPage(intact_, shape_.page_size, map_page);
  const size_t map_start = format::GetLe16(page.data() + row_table + 2 * map_row) & 0x1FFF;
  ASSERT_EQ(page[map_start], 0) << "an inline map";
  const uint32_t first_page = format::GetLe32(page.data() + map_start + 1);
  const uint32_t bit = where.page - first_page;
  page[map_start + 5 + bit / 8] &= static_cast<uint8_t>(~(1u << (bit % 8)));
  CopyWithPatch(intact_, damaged_, shape_.page_size, map_page, 0, page);

  const OpenedWords words(damaged_);
  EXPECT_EQ(words.Seek(kKey).outcome, SeekOutcome::kUnanswered);
  // The scan no longer sees the row, and neither does the lookup.
  EXPECT_TRUE(ScanRowsWithLong(words.table(), words.id_column(), kKey).empty());
  EXPECT_TRUE(FindRowsWithLong(words.table(), words.id_column(), kKey).empty());
}

INSTANTIATE_TEST_SUITE_P(BothFormats, DamagedIndex,
                         ::testing::Values(JetFormat::kJet3, JetFormat::kJet4),
                         [](const auto& info) {
                           return info.param == JetFormat::kJet3 ? "Jet3" : "Jet4";
                         });

}  // namespace
}  // namespace vorelka::jet::seek_testing
