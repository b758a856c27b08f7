// The decoders over word databases our writer made and then damaged on
// purpose, one structure at a time: each damage gives the engine's
// "unrecognized database format" error naming the file, and the undamaged
// files, small and large, read whole.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "jet/format/decode_table_definition.h"
#include "jet/format/format.h"
#include "jet/format/jet_errors.h"
#include "jet/read/dao.h"
#include "services/error.h"
#include "tests/reliability/damaged_file.h"

namespace vorelka::reliability {
namespace {

using jet::JetFormat;

constexpr uint32_t kCatalogDefinition = 2;
constexpr uint32_t kNextDefinitionOffset = 4;

class FileGuardTest : public ::testing::TestWithParam<JetFormat> {
 protected:
  void SetUp() override { Use(3); }

  // Starts over from an undamaged file of `rows` rows.
  void Use(int rows) {
    good_ = folder_.path() / ("good_" + std::to_string(rows) + ".mdb");
    if (!std::filesystem::exists(good_)) BuildWords(good_, GetParam(), rows);
    words_ = WordsDefinitionPage(good_);
    image_ = std::make_unique<JetBytes>(good_);
    layout_ = image_->jet3() ? &jet::format::kJet3 : &jet::format::kJet4;
  }

  // Saves the image and reads it as far as any reader goes: the catalog,
  // the Words definition and every row of both tables.
  std::optional<services::Error> Check() {
    damaged_ = folder_.path() / "damaged.mdb";
    image_->Save(damaged_);
    try {
      jet::ReadWordTable(damaged_.string(), "Words");
    } catch (const services::ErrorRaised& raised) {
      return raised.error();
    }
    return std::nullopt;
  }

  void ExpectRejected() {
    const auto error = Check();
    ASSERT_TRUE(error.has_value()) << "the damaged file passed";
    EXPECT_EQ(error->number, jet::kErrUnrecognizedFormat);
    EXPECT_NE(error->description.find("'" + damaged_.string() + "'"), std::string::npos)
        << error->description;
  }

  // The reason given for rejecting the current image ("" if it passed).
  std::string Why() {
    const auto error = Check();
    return error ? error->description : std::string();
  }

  // Where the Words definition's first column entry starts.
  uint32_t FirstColumnEntry() const {
    return layout_->tdef.header_size +
           image_->U32(words_, layout_->tdef.real_index_count_offset) * layout_->tdef.real_index_count_size;
  }

  // Where a row's table of variable-column starts keeps entry `i`.
  uint32_t VarOffsetAt(uint32_t page, uint32_t row, uint32_t i) const {
    const uint32_t end = row == 0 ? image_->page_size() : image_->RowStart(page, row - 1);
    const uint32_t row_end = end - 1;
    constexpr uint32_t kMaskSize = 1;  // three columns
    return image_->jet3() ? row_end - kMaskSize - 1 - i : row_end - kMaskSize - 3 - 2 * i;
  }

  TempFolder folder_;
  std::filesystem::path good_;
  std::filesystem::path damaged_;
  uint32_t words_ = 0;
  std::unique_ptr<JetBytes> image_;
  const jet::format::Format* layout_ = nullptr;
};

TEST_P(FileGuardTest, SoundFilesPass_EmptySmallAndMultiLevel) {
  for (const int rows : {0, 3, 2000}) {
    Use(rows);
    EXPECT_FALSE(Check().has_value()) << rows << " rows: " << Check()->description;
  }
}

TEST_P(FileGuardTest, RejectsHeaderDamage_LengthPageCountVersion) {
  image_->bytes().resize(image_->bytes().size() - 100);
  ExpectRejected();
  Use(3);
  image_->bytes().resize(size_t{image_->page_size()} * 2);
  ExpectRejected();
  Use(3);
  image_->Put8(0, 0x14, 0x50);
  ExpectRejected();
}

TEST_P(FileGuardTest, RejectsDefinitionPagesOfTheWrongType) {
  image_->Put8(kCatalogDefinition, 0, 0x01);
  ExpectRejected();
  Use(3);
  image_->Put8(words_, 0, 0x04);
  ExpectRejected();
}

TEST_P(FileGuardTest, RejectsATablePageBeyondTheFile) {
  jet::format::PageFile file(good_.string());
  try {
    jet::format::DecodeTableDefinition(file, image_->page_count() + 7);
    FAIL() << "a page beyond the file passed";
  } catch (const services::ErrorRaised& raised) {
    EXPECT_EQ(raised.error().number, jet::kErrUnrecognizedFormat);
  }
}

TEST_P(FileGuardTest, RejectsColumnCountsTheDefinitionCannotHold) {
  image_->Put16(words_, layout_->tdef.column_count_offset, 300);  // more than a table may have
  ExpectRejected();
  Use(3);
  image_->Put16(words_, layout_->tdef.var_column_count_offset, 3 + 1);
  ExpectRejected();
}

TEST_P(FileGuardTest, RejectsADefinitionThatRunsPastItsPagesOrLoops) {
  // Column entries, each with its own number, that fill the page and run
  // past it: first with no page to continue on, then with a chain of
  // definition pages that leads back to itself.
  const uint32_t first = FirstColumnEntry();
  const uint32_t count = (image_->page_size() - first) / layout_->tdef.column_size + 2;
  for (uint32_t i = 3;
       i < count && first + (i + 1) * layout_->tdef.column_size <= image_->page_size(); ++i) {
    const uint32_t entry = first + i * layout_->tdef.column_size;
    image_->Put8(words_, entry, 0x0A);  // Text
    image_->Put8(words_, entry + layout_->tdef.column_number_offset, i);
  }
  image_->Put16(words_, layout_->tdef.column_count_offset, count);
  EXPECT_NE(Why().find("runs past its last page"), std::string::npos) << Why();
  image_->Put32(words_, kNextDefinitionOffset, words_);
  EXPECT_NE(Why().find("continues in a cycle"), std::string::npos) << Why();
}

TEST_P(FileGuardTest, RejectsTwoColumnsWithOneNumber) {
  // The second column entry takes the first one's number.
  const uint32_t first = FirstColumnEntry();
  const uint32_t number = image_->U16(words_, first + layout_->tdef.column_number_offset) & 0xFF;
  image_->Put8(words_, first + layout_->tdef.column_size + layout_->tdef.column_number_offset, number);
  ExpectRejected();
}

TEST_P(FileGuardTest, RejectsCountsOfRowsAndIndexesNoFileCouldHold) {
  image_->Put32(words_, layout_->tdef.row_count_offset, 0x7FFFFFF0);
  ExpectRejected();
  Use(3);
  image_->Put32(words_, layout_->tdef.real_index_count_offset, 900);
  image_->Put32(words_, layout_->tdef.index_count_offset, 900);
  ExpectRejected();
}

TEST_P(FileGuardTest, RejectsAnEmptyUsageMap) {
  // libmdb 1.0 reads the kind byte of a zero-length map out of bounds. A row
  // ends where the one before it starts (row 0 at the page end): start it
  // there.
  const uint32_t pointer = image_->U32(words_, layout_->tdef.owned_map_offset);
  const uint32_t page = pointer >> 8;
  const uint32_t row = pointer & 0xFF;
  const uint32_t end = row == 0 ? layout_->page_size : image_->RowStart(page, row - 1);
  image_->Put16(page, image_->SlotOffset(row), end);
  ExpectRejected();
}

TEST_P(FileGuardTest, RejectsUsageMapsOfUnknownKindOrPointingAway) {
  const uint32_t pointer = image_->U32(words_, layout_->tdef.owned_map_offset);
  const uint32_t map_page = pointer >> 8;
  const uint32_t map_start = image_->RowStart(map_page, pointer & 0xFF);
  image_->Put8(map_page, map_start, 7);
  ExpectRejected();
  Use(3);
  // An inline map whose first page lies far beyond the file.
  image_->Put32(map_page, map_start + 1, image_->page_count() + 1000);
  ExpectRejected();
  Use(3);
  // A map pointer to a row of the catalog's definition page.
  image_->Put32(words_, layout_->tdef.owned_map_offset, kCatalogDefinition << 8);
  ExpectRejected();
}

TEST_P(FileGuardTest, RejectsReferenceMapsThatNameNoMapPageOrPagesBeyondTheFile) {
  Use(100000);  // large enough for a map of map pages
  const uint32_t pointer = image_->U32(words_, layout_->tdef.owned_map_offset);
  const uint32_t map_page = pointer >> 8;
  const uint32_t map_start = image_->RowStart(map_page, pointer & 0xFF);
  ASSERT_EQ(image_->bytes()[size_t{map_page} * image_->page_size() + map_start], 1)
      << "expected a reference map";
  const uint32_t bitmap_page = image_->U32(map_page, map_start + 1);
  image_->Put32(map_page, map_start + 1, kCatalogDefinition);
  ExpectRejected();
  Use(100000);
  // A bit for a page past the end of the file.
  const uint32_t beyond = image_->page_count() + 5;
  const uint32_t byte = 4 + beyond / 8;
  image_->Put8(bitmap_page, byte, image_->U16(bitmap_page, byte) | 1u << (beyond % 8));
  ExpectRejected();
}

TEST_P(FileGuardTest, RejectsRowTablesAndRowsOutsideTheirPage) {
  const uint32_t data = image_->FirstDataPage(words_);
  image_->Put16(data, layout_->data.row_count_offset, 3000);
  ExpectRejected();
  Use(3);
  // The second row starting after the first one ends.
  image_->Put16(data, image_->SlotOffset(1), image_->RowStart(data, 0) + 8);
  ExpectRejected();
}

TEST_P(FileGuardTest, RejectsVariableColumnsOutOfOrder) {
  const uint32_t data = image_->FirstDataPage(words_);
  const uint32_t first = VarOffsetAt(data, 0, 1);
  const uint32_t second = VarOffsetAt(data, 0, 2);
  const uint32_t width = image_->jet3() ? 1 : 2;
  const uint32_t a = width == 1 ? image_->bytes()[size_t{data} * image_->page_size() + first]
                                : image_->U16(data, first);
  const uint32_t b = width == 1 ? image_->bytes()[size_t{data} * image_->page_size() + second]
                                : image_->U16(data, second);
  ASSERT_LT(a, b);
  if (width == 1) {
    image_->Put8(data, first, b);
    image_->Put8(data, second, a);
  } else {
    image_->Put16(data, first, b);
    image_->Put16(data, second, a);
  }
  ExpectRejected();
}

TEST_P(FileGuardTest, RejectsAFixedValueThatLiesBeyondItsRow) {
  // The key column's fixed offset moved far past every row's end.
  const uint32_t first = FirstColumnEntry();
  for (uint32_t i = 0; i < 3; ++i) {
    const uint32_t entry = first + i * layout_->tdef.column_size;
    if (image_
            ->bytes()[size_t{words_} * image_->page_size() + entry + layout_->tdef.column_flags_offset] &
        1) {
      image_->Put16(words_, entry + layout_->tdef.column_fixed_offset_offset, 600);
    }
  }
  ExpectRejected();
}

TEST_P(FileGuardTest, ADatabaseKeepsReadingTheFileItOpenedWhenTheNameIsReplaced) {
  // A sync tool or a second build may put a new file under the name while a
  // database is open: its reads must still come from the file it checked.
  BuildWords(good_, GetParam(), 3);
  jet::DBEngine engine;
  auto db = engine.OpenDatabase(good_.string());
  const auto other = folder_.path() / "other.mdb";
  BuildWords(other, GetParam(), 1);
  std::filesystem::rename(other, good_);
  auto count = db->OpenRecordset("SELECT Count(*) AS Cnt FROM Words");
  EXPECT_EQ(count->Fields("Cnt").AsLong(), 3);
  auto word = db->OpenRecordset("SELECT English AS sWord FROM Words WHERE Id = 3");
  ASSERT_FALSE(word->Eof());
  EXPECT_EQ(word->Fields("sWord").AsText(), "word 3");
}

INSTANTIATE_TEST_SUITE_P(BothFormats, FileGuardTest,
                         ::testing::Values(JetFormat::kJet3, JetFormat::kJet4),
                         [](const auto& info) {
                           return info.param == JetFormat::kJet3 ? "Jet3" : "Jet4";
                         });

}  // namespace
}  // namespace vorelka::reliability
