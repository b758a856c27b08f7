// A row that grew and moved keeps a pointer in its old slot; the index still
// names the old slot. The seek follows the pointer as the scan does and
// reports where the row's data now lies.
#include <gtest/gtest.h>

#include "jet/format/format.h"
#include "jet/read/row_lookup.h"
#include "tests/seek/seek_files.h"

namespace vorelka::jet::seek_testing {
namespace {

namespace data = format::data;

class MovedRow : public ::testing::TestWithParam<JetFormat> {};

TEST_P(MovedRow, SeekFollowsTheOldSlotToTheRowsNewPlace) {
  TempDir folder;
  const auto intact = folder / "intact.mdb";
  const auto moved = folder / "moved.mdb";
  // Keys 2 and 3 have rows of the same size on the same page.
  WriteWords(intact, GetParam(), {1, 2, 3, 4});
  RowLocation from;
  RowLocation to;
  {
    const OpenedWords words(intact);
    from = ScanRowsWithLong(words.table, words.id_column, 2).at(0);
    to = ScanRowsWithLong(words.table, words.id_column, 3).at(0);
  }
  ASSERT_EQ(from.page, to.page);

  // Key 2's row goes to key 3's slot, which is marked deleted as the
  // engine marks a moved row's new slot; key 2's slot points there.
  JetImage image(intact);
  const uint32_t page = from.page;
  const size_t from_start = image.RowStart(page, from.row);
  const size_t to_start = image.RowStart(page, to.row);
  const size_t size = image.RowEnd(page, from.row) - from_start;
  ASSERT_EQ(size, image.RowEnd(page, to.row) - to_start);
  std::copy_n(image.Page(page) + from_start, size, image.Page(page) + to_start);
  image.Put(page, from_start, data::kMovedRowPointerSize, data::MakeRowPointer(to.page, to.row));
  for (const auto& [row, flag] :
       {std::pair{from.row, data::kMovedRowFlag}, std::pair{to.row, data::kDeletedRowFlag}}) {
    const size_t slot = image.RowSlot(row);
    image.Put(page, slot, data::kRowTableEntrySize,
              image.Get(page, slot, data::kRowTableEntrySize) | flag);
  }
  image.Save(moved);

  const OpenedWords words(moved);
  const SeekResult seek = words.Seek(2);
  ASSERT_EQ(seek.outcome, SeekOutcome::kFound);
  EXPECT_EQ((RowLocation{seek.page, seek.row}), to);
  EXPECT_EQ(ScanRowsWithLong(words.table, words.id_column, 2), std::vector<RowLocation>{to});
  // Key 3's row is gone: its slot is deleted, and the lookup finds nothing.
  EXPECT_EQ(words.Seek(3).outcome, SeekOutcome::kUnanswered);
  EXPECT_TRUE(FindRowsWithLong(words.table, words.id_column, 3).empty());
}

INSTANTIATE_TEST_SUITE_P(BothFormats, MovedRow, ::testing::ValuesIn(testing::kBothFormats),
                         testing::FormatParamName());

}  // namespace
}  // namespace vorelka::jet::seek_testing
