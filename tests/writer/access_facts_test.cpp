// Facts read from databases Access itself made (Access 97's Northwind, an
// Access 2000 file and an Access 2007 one from mdbtools' test data; the
// files are not ours to ship): the keys its catalog index holds for object
// names, which our writer must build alike for the same names. Then, on
// files from our writer, what the format says rather than what the writer
// writes: the header's facts, pages masked under a database key, deleted
// rows, and Yes/No columns.
#include <gtest/gtest.h>

#include <cstdio>

#include "jet/format/decode_header.h"
#include "jet/format/format.h"
#include "jet/format/header_page.h"
#include "jet/format/mask.h"
#include "jet/format/page_file.h"
#include "jet/read/dao.h"
#include "jet/write/system_indexes.h"
#include "tests/support/jet_image.h"
#include "tests/support/test_files.h"
#include "tests/writer/second_reader.h"

namespace vorelka::testing {
namespace {

using jet::JetFormat;
constexpr uint32_t kWords = jet::format::kTableDefinitionPage;

struct AccessKey {
  JetFormat format;
  const char* name;
  const char* key;  // the name's part of the ParentIdName key, in hex
};

// Between them the names hold every letter, digit, the blank and the
// underscore that Access's files show (Jet 3: no 0, 3, 4, 6, 7, 8, Z or _;
// Jet 4: no K or Z).
constexpr AccessKey kAccessKeys[] = {
    {JetFormat::kJet3, "Category Sales for 1995",
     "7F 62 60 77 66 68 72 75 7D 11 76 60 6D 66 76 11 67 72 75 11 57 5F 5F 5B 00"},
    {JetFormat::kJet3, "Ten Most Expensive Products",
     "7F 77 66 70 11 6F 72 76 77 11 66 7C 73 66 70 76 6A 7A 66 11 73 75 72 64 78 62 77 76 00"},
    {JetFormat::kJet3, "Northwind Help Function",
     "7F 70 72 75 77 69 7B 6A 70 64 11 69 66 6D 73 11 67 78 70 62 77 6A 72 70 00"},
    {JetFormat::kJet3, "Sample Autokeys", "7F 76 60 6F 73 6D 66 11 60 78 77 72 6C 66 7D 76 00"},
    {JetFormat::kJet3, "Quarterly Orders by Product",
     "7F 74 78 60 75 77 66 75 6D 7D 11 72 75 64 66 75 76 11 61 7D 11 73 75 72 64 78 62 77 00"},
    {JetFormat::kJet3, "Customer Orders Subform2",
     "7F 62 78 76 77 72 6F 66 75 11 72 75 64 66 75 76 11 76 78 61 67 72 75 6F 58 00"},
    {JetFormat::kJet3, "MSysObjects", "7F 6F 76 7D 76 72 61 6B 66 62 77 76 00"},
    {JetFormat::kJet4, "f_75A72A8786B149369D90EB962DAB8A2C_Data",
     "7F 53 2B 03 44 40 4A 44 3A 4A 46 44 46 42 4C 38 3E 48 3C 42 48 4F 48 36 51 4C 48 42 3A 4F "
     "4A 4C 46 4A 3A 4D 2B 03 4F 4A 6D 4A 01 00"},
    {JetFormat::kJet4, "MSysNavPaneGroupCategories",
     "7F 60 6B 76 6B 62 4A 71 66 4A 62 51 55 69 64 6F 66 4D 4A 6D 51 55 64 69 59 51 6B 01 00"},
    {JetFormat::kJet4, "MSysAccessXML", "7F 60 6B 76 6B 4A 4D 4D 51 6B 6B 75 60 5E 01 00"},
    {JetFormat::kJet4, "SummaryInfo", "7F 6B 6F 60 60 4A 69 76 59 62 53 64 01 00"},
    {JetFormat::kJet4, "MSysObjects", "7F 60 6B 76 6B 64 4C 5B 51 4D 6D 6B 01 00"},
    {JetFormat::kJet4, "Asset Items", "7F 4A 6B 6B 51 6D 07 59 6D 51 60 6B 01 00"},
    {JetFormat::kJet4, "rptAssetsGroupedByOwners",
     "7F 69 66 6D 4A 6B 6B 51 6D 6B 55 69 64 6F 66 51 4F 4C 76 64 73 62 51 69 6B 01 00"},
    {JetFormat::kJet4, "Relationships", "7F 69 51 5E 4A 6D 59 64 62 6B 57 59 66 6B 01 00"},
    {JetFormat::kJet4, "MSysQueries", "7F 60 6B 76 6B 68 6F 51 69 59 51 6B 01 00"},
};

std::string Hex(const std::string& bytes) {
  std::string out;
  char byte[4];
  for (const unsigned char c : bytes) {
    std::snprintf(byte, sizeof byte, out.empty() ? "%02X" : " %02X", c);
    out += byte;
  }
  return out;
}

TEST(AccessFacts, CatalogNameKeysAreTheKeysAccessBuiltForTheSameNames) {
  for (const AccessKey& fact : kAccessKeys) {
    std::string key;
    ASSERT_TRUE(jet::writer::CatalogNameKey(jet::format::FormatOf(fact.format), fact.name, &key))
        << fact.name;
    EXPECT_EQ(Hex(key), fact.key) << fact.name;
  }
}

class OnDisk : public ::testing::TestWithParam<JetFormat> {
 protected:
  TempDir dir_;
  std::filesystem::path file_ = dir_ / "words.mdb";
};

TEST_P(OnDisk, TheHeaderSaysWhatAccessWouldOfItsTextAndNoPassword) {
  WriteWords(file_, GetParam(), {{1, "cat", "кошка"}});
  const jet::format::PageFile file(file_.string());
  const jet::format::HeaderFacts& header = file.header();
  const bool jet3 = GetParam() == JetFormat::kJet3;
  // Access 97 in Russian: Cyrillic text and sort; Access 2000: UCS-2 text
  // under the General sort order.
  EXPECT_EQ(header.sort_order, jet3 ? 0x0419 : 0x0409);
  if (jet3) {
    EXPECT_EQ(header.code_page, 1251);
  }
  EXPECT_FALSE(header.has_password);
  EXPECT_EQ(header.database_key, 0u);
}

TEST_P(OnDisk, YesNoColumnsReadAsTrueAndFalse) {
  // A Yes/No column keeps its value in the row's null mask: our writer's
  // English column, retyped, holds Yes where a word is stored.
  WriteWords(file_, GetParam(), {{1, "cat", "кошка"}, {2, std::nullopt, "собака"}});
  JetImage image(file_);
  image.Put(kWords, image.ColumnEntry(kWords, 1), 1, jet::format::tdef::kBoolColumn);
  image.Save(file_);

  jet::DBEngine engine;
  auto db = engine.OpenDatabase(file_.string());
  const auto english = [&](int id) {
    auto rs =
        db->OpenRecordset("SELECT English AS sWord FROM Words WHERE Id = " + std::to_string(id));
    return rs->Fields("sWord").AsText();
  };
  EXPECT_EQ(english(1), "True");
  EXPECT_EQ(english(2), "False");
  ExpectSameRows(file_, "Words");
}

TEST_P(OnDisk, PagesMaskedUnderADatabaseKeyReadAsThePlainOnes) {
  WriteWords(file_, GetParam(), NumberedRows(400));
  const auto russian = [&] {
    std::vector<std::optional<std::string>> words;
    for (const auto& row : jet::ReadWordTable(file_.string(), "Words").rows) {
      words.push_back(row.russian);
    }
    return words;
  };
  const auto plain = russian();
  // The key sits in the masked part of the header; every other page is
  // masked under the key exclusive-ored with its number.
  namespace header = jet::format::header;
  constexpr uint32_t kKey = 0x5A17C3E9;
  JetImage image(file_);
  const auto page = [&](uint32_t n) { return std::span(image.Page(n), image.format().page_size); };
  const auto masked = page(0).subspan(header::kMaskStart, image.format().header_masked_size);
  jet::format::Rc4(header::kMaskKey, masked);
  image.Put(0, header::kDatabaseKeyOffset, 4, kKey);
  jet::format::Rc4(header::kMaskKey, masked);
  for (uint32_t n = 1; n < image.page_count(); ++n) {
    uint8_t key[4];
    jet::format::PutLe32(key, kKey ^ n);
    jet::format::Rc4(key, page(n));
  }
  image.Save(file_);
  EXPECT_EQ(russian(), plain);
}

TEST_P(OnDisk, ADeletedRowIsNeitherListedNorFound) {
  WriteWords(file_, GetParam(), NumberedRows(3));
  // Rows lie in key order: slot 1 holds key 2.
  JetImage image(file_);
  const uint32_t page = image.FirstDataPage(kWords);
  const size_t slot = image.RowSlot(1);
  image.Put(page, slot, 2, image.Get(page, slot, 2) | jet::format::data::kDeletedRowFlag);
  image.Save(file_);

  std::vector<int32_t> keys;
  for (const auto& row : jet::ReadWordTable(file_.string(), "Words").rows) keys.push_back(*row.id);
  EXPECT_EQ(keys, (std::vector<int32_t>{1, 3}));
  jet::DBEngine engine;
  auto db = engine.OpenDatabase(file_.string());
  EXPECT_TRUE(db->OpenRecordset("SELECT English AS sWord FROM Words WHERE Id = 2")->Eof());
  EXPECT_FALSE(db->OpenRecordset("SELECT English AS sWord FROM Words WHERE Id = 3")->Eof());
}

INSTANTIATE_TEST_SUITE_P(BothFormats, OnDisk, ::testing::ValuesIn(kBothFormats), FormatParamName());

}  // namespace
}  // namespace vorelka::testing
