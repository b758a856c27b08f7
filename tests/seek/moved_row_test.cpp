// A row that grew and moved keeps a pointer in its old slot; the index still
// names the old slot. The seek follows the pointer as the scan does and
// reports where the row's data now lies.
#include <gtest/gtest.h>

#include "jet/read/row_lookup.h"
#include "seek_files.h"

namespace vorelka::jet::seek_testing {
namespace {

constexpr uint16_t kDeletedFlag = 0x8000;
constexpr uint16_t kMovedFlag = 0x4000;
constexpr uint16_t kOffsetMask = 0x1FFF;

size_t RowCountOffset(JetFormat format) {
  return format == JetFormat::kJet3 ? 8 : 12;
}

uint16_t Le16(const std::vector<uint8_t>& page, size_t at) {
  return static_cast<uint16_t>(page[at] | (page[at + 1] << 8));
}
void PutLe16(std::vector<uint8_t>& page, size_t at, uint16_t value) {
  page[at] = static_cast<uint8_t>(value);
  page[at + 1] = static_cast<uint8_t>(value >> 8);
}

class MovedRow : public ::testing::TestWithParam<JetFormat> {};

TEST_P(MovedRow, SeekFollowsTheOldSlotToTheRowsNewPlace) {
  TempDir folder;
  const auto intact = folder.Child("intact.mdb");
  const auto moved = folder.Child("moved.mdb");
  // Keys 2 and 3 have rows of the same size on the same page.
  WriteWords(intact, GetParam(), {1, 2, 3, 4});
  RowLocation from;
  RowLocation to;
  uint32_t page_size = 0;
  {
    const OpenedWords words(intact);
    from = ScanRowsWithLong(words.table(), words.id_column(), 2).at(0);
    to = ScanRowsWithLong(words.table(), words.id_column(), 3).at(0);
    page_size = words.page_size();
  }
  ASSERT_EQ(from.page, to.page);

  // Key 2's row goes to key 3's slot, which is marked deleted as the
  // engine marks a moved row's new slot; key 2's slot points there.
  std::vector<uint8_t> page = ReadPage(intact, page_size, from.page);
  const size_t slots = RowCountOffset(GetParam()) + 2;
  const auto extent = [&](uint16_t row) {
    const size_t start = Le16(page, slots + 2 * row) & kOffsetMask;
    const size_t end = row == 0 ? page_size : Le16(page, slots + 2 * (row - 1)) & kOffsetMask;
    return std::make_pair(start, end - start);
  };
  const auto [from_start, from_size] = extent(from.row);
  const auto [to_start, to_size] = extent(to.row);
  ASSERT_EQ(from_size, to_size);
  std::copy_n(page.begin() + static_cast<std::ptrdiff_t>(from_start), from_size,
              page.begin() + static_cast<std::ptrdiff_t>(to_start));
  const uint32_t pointer = (to.page << 8) | to.row;
  for (size_t i = 0; i < 4; ++i) page[from_start + i] = static_cast<uint8_t>(pointer >> (8 * i));
  PutLe16(page, slots + 2 * from.row, Le16(page, slots + 2 * from.row) | kMovedFlag);
  PutLe16(page, slots + 2 * to.row, Le16(page, slots + 2 * to.row) | kDeletedFlag);
  CopyWithPatch(intact, moved, page_size, from.page, 0, page);

  const OpenedWords words(moved);
  const SeekResult seek = words.Seek(2);
  ASSERT_EQ(seek.outcome, SeekOutcome::kFound);
  EXPECT_EQ((RowLocation{seek.page, seek.row}), to);
  EXPECT_EQ(ScanRowsWithLong(words.table(), words.id_column(), 2), std::vector<RowLocation>{to});
  EXPECT_EQ(words.SeekEnglish(2), EnglishOf(2));
  // Key 3's row is gone: its slot is deleted, and the lookup finds nothing.
  EXPECT_EQ(words.Seek(3).outcome, SeekOutcome::kUnanswered);
  EXPECT_TRUE(FindRowsWithLong(words.table(), words.id_column(), 3).empty());
}

INSTANTIATE_TEST_SUITE_P(BothFormats, MovedRow,
                         ::testing::Values(JetFormat::kJet3, JetFormat::kJet4),
                         [](const auto& info) {
                           return info.param == JetFormat::kJet3 ? "Jet3" : "Jet4";
                         });

}  // namespace
}  // namespace vorelka::jet::seek_testing
