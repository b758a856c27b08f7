// The decoders over word databases our writer made and then damaged on
// purpose, one structure at a time: each damage gives the engine's
// "unrecognized database format" error naming the file, for the reason the
// damage calls for; and the undamaged files, small and large, read whole.
// (The word store's one report per call is tested with the store.)
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "jet/format/format.h"
#include "jet/format/header_page.h"
#include "jet/format/jet_errors.h"
#include "jet/read/dao.h"
#include "services/error.h"
#include "tests/support/jet_image.h"
#include "tests/support/test_files.h"

namespace vorelka::testing {
namespace {

using jet::JetFormat;
namespace format = jet::format;

constexpr uint32_t kWords = format::kTableDefinitionPage;
constexpr uint32_t kCatalog = format::kCatalogDefinitionPage;

// Where the usage map of the Words table's pages starts.
size_t OwnedMapStart(const JetImage& image) {
  return image.RowStart(image.Get(kWords, image.format().tdef.owned_map_offset, 4));
}
uint32_t OwnedMapPage(const JetImage& image) {
  return format::data::PageOfRowPointer(image.Get(kWords, image.format().tdef.owned_map_offset, 4));
}

// Where entry `i` of the variable-column offsets of row 0 on `page` lies,
// for a row of three columns (a null mask of one byte).
size_t VarOffsetAt(const JetImage& image, uint32_t page, uint32_t i) {
  const size_t before_mask = image.RowEnd(page, 0) - 1 - 1;
  return image.format().data.row_var_offset_size == 1 ? before_mask - 1 - i
                                                      : before_mask - 3 - 2 * i;
}

struct Damage {
  const char* name;
  int rows;            // of the undamaged file
  const char* reason;  // a part of the error's description
  std::function<void(JetImage&)> apply;
};

const Damage kDamages[] = {
    {"unknown version", 3, "unknown format version 80",
     [](JetImage& image) { image.Put(0, format::header::kVersionOffset, 1, 0x50); }},
    {"catalog definition of a data page's type", 3, "page 2 is not a table definition",
     [](JetImage& image) { image.Put(kCatalog, 0, 1, format::kDataPageType); }},
    {"more columns than a table may have", 3, "claims 300 columns",
     [](JetImage& image) { image.Put(kWords, image.format().tdef.column_count_offset, 2, 300); }},
    {"more variable columns than columns", 3, "counts its columns wrongly",
     [](JetImage& image) { image.Put(kWords, image.format().tdef.var_column_count_offset, 2, 4); }},
    {"definition pages in a cycle", 3, "continues in a cycle",
     [](JetImage& image) {
       image.Put(kWords, image.format().tdef.column_count_offset, 2, 250);
       image.Put(kWords, format::tdef::kNextPageOffset, 4, kWords);
     }},
    {"two columns with one number", 3, "numbers two columns alike",
     [](JetImage& image) {
       const size_t number = image.format().tdef.column_number_offset;
       image.Put(kWords, image.ColumnEntry(kWords, 1) + number, 1,
                 image.Get(kWords, image.ColumnEntry(kWords, 0) + number, 1));
     }},
    {"row count no file could hold", 3, "claims 2147483632 rows",
     [](JetImage& image) {
       image.Put(kWords, image.format().tdef.row_count_offset, 4, 0x7FFFFFF0);
     }},
    {"index counts no file could hold", 3, "runs past its last page",
     [](JetImage& image) {
       image.Put(kWords, image.format().tdef.real_index_count_offset, 4, 900);
       image.Put(kWords, image.format().tdef.index_count_offset, 4, 900);
     }},
    {"empty usage map", 3, "usage map of the table defined on page 6 is empty",
     [](JetImage& image) {
       // libmdb 1.0 reads the kind byte of a zero-length map out of bounds.
       const uint32_t pointer = image.Get(kWords, image.format().tdef.owned_map_offset, 4);
       const uint32_t row = format::data::RowOfRowPointer(pointer);
       image.Put(OwnedMapPage(image), image.RowSlot(row), 2,
                 image.RowEnd(OwnedMapPage(image), row));
     }},
    {"usage map of unknown kind", 3, "unknown kind 7",
     [](JetImage& image) { image.Put(OwnedMapPage(image), OwnedMapStart(image), 1, 7); }},
    {"inline usage map starting beyond the file", 3, "beyond the file",
     [](JetImage& image) {
       image.Put(OwnedMapPage(image), OwnedMapStart(image) + format::map::kInlineStartOffset, 4,
                 image.page_count() + 1000);
     }},
    {"usage map pointer to the catalog's definition", 3, "names page 2, which is not a data page",
     [](JetImage& image) {
       image.Put(kWords, image.format().tdef.owned_map_offset, 4,
                 format::data::MakeRowPointer(kCatalog, 0));
     }},
    {"reference map naming no map page", 100000, "page 2 is named as a usage map but is not one",
     [](JetImage& image) {
       const size_t start = OwnedMapStart(image);
       if (image.Get(OwnedMapPage(image), start, 1) != format::map::kReferenceMap) return;
       image.Put(OwnedMapPage(image), start + format::map::kReferencePagesOffset, 4, kCatalog);
     }},
    {"catalog naming a definition page beyond the file", 3, "a table definition names page",
     [](JetImage& image) {
       // Words is the last row of the catalog; its Id, the first fixed
       // column, is the page of its definition.
       const uint32_t page = format::kCatalogDataPage;
       const uint32_t words = image.Get(page, image.format().data.row_count_offset, 2) - 1;
       image.Put(page, image.RowStart(page, words) + image.format().data.row_column_count_size, 4,
                 image.page_count() + 7);
     }},
    {"row table past its page", 3, "claims more rows than it holds",
     [](JetImage& image) {
       image.Put(image.FirstDataPage(kWords), image.format().data.row_count_offset, 2, 3000);
     }},
    {"row starting after the row before it ends", 3, "row 1 of page 10 lies outside its page",
     [](JetImage& image) {
       const uint32_t page = image.FirstDataPage(kWords);
       image.Put(page, image.RowSlot(1), 2, image.RowStart(page, 0) + 8);
     }},
    {"variable columns out of order", 3, "variable-column table is out of order",
     [](JetImage& image) {
       const uint32_t page = image.FirstDataPage(kWords);
       const size_t width = image.format().data.row_var_offset_size;
       const size_t first = VarOffsetAt(image, page, 0), second = VarOffsetAt(image, page, 1);
       const uint32_t a = image.Get(page, first, width), b = image.Get(page, second, width);
       if (a >= b) return;
       image.Put(page, first, width, b);
       image.Put(page, second, width, a);
     }},
    {"fixed value beyond its row", 3, "a value lies beyond its row",
     [](JetImage& image) {
       // Id, the first column and the one fixed, moved far past every row's end.
       image.Put(kWords,
                 image.ColumnEntry(kWords, 0) + image.format().tdef.column_fixed_offset_offset, 2,
                 600);
     }},
};

class FileGuardTest : public ::testing::TestWithParam<JetFormat> {
 protected:
  // An undamaged file of `rows` rows, written once.
  std::filesystem::path Good(int rows) {
    const auto file = folder_ / ("good_" + std::to_string(rows) + ".mdb");
    if (!std::filesystem::exists(file)) WriteWords(file, GetParam(), NumberedRows(rows));
    return file;
  }

  // Reads `file` as far as any reader goes: the catalog, the Words
  // definition and every row.
  static std::optional<services::Error> Check(const std::filesystem::path& file) {
    try {
      jet::ReadWordTable(file.string(), "Words");
    } catch (const services::ErrorRaised& raised) {
      return raised.error();
    }
    return std::nullopt;
  }

  TempDir folder_;
  std::filesystem::path damaged_ = folder_ / "damaged.mdb";
};

TEST_P(FileGuardTest, SoundFilesPassAndEachDamageIsRejectedForItsReason) {
  for (const int rows : {0, 3, 2000}) {
    const auto error = Check(Good(rows));
    EXPECT_FALSE(error.has_value()) << rows << " rows: " << error->description;
  }
  for (const Damage& damage : kDamages) {
    SCOPED_TRACE(damage.name);
    JetImage image(Good(damage.rows));
    damage.apply(image);
    image.Save(damaged_);
    const auto error = Check(damaged_);
    if (!error) {
      ADD_FAILURE() << "the damaged file passed";
      continue;
    }
    EXPECT_EQ(error->number, jet::kErrUnrecognizedFormat);
    EXPECT_NE(error->description.find("'" + damaged_.string() + "'"), std::string::npos)
        << error->description;
    EXPECT_NE(error->description.find(damage.reason), std::string::npos) << error->description;
  }
}

TEST_P(FileGuardTest, ADatabaseKeepsReadingTheFileItOpenedWhenTheNameIsReplaced) {
  // A sync tool or a second build may put a new file under the name while a
  // database is open: its reads must still come from the file it checked.
  const auto file = Good(3);
  jet::DBEngine engine;
  auto db = engine.OpenDatabase(file.string());
  const auto other = folder_ / "other.mdb";
  WriteWords(other, GetParam(), NumberedRows(1));
  std::filesystem::rename(other, file);
  auto count = db->OpenRecordset("SELECT Count(*) AS Cnt FROM Words");
  EXPECT_EQ(count->Fields("Cnt").AsLong(), 3);
  auto word = db->OpenRecordset("SELECT English AS sWord FROM Words WHERE Id = 3");
  ASSERT_FALSE(word->Eof());
  EXPECT_EQ(word->Fields("sWord").AsText(), "english 3");
}

INSTANTIATE_TEST_SUITE_P(BothFormats, FileGuardTest, ::testing::ValuesIn(kBothFormats),
                         FormatParamName());

}  // namespace
}  // namespace vorelka::testing
