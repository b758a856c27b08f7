// Damaged word databases through the real word store: each call shows one
// error report with the engine's number for a damaged file and returns its
// neutral result, and the next call over a sound file works again.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "jet/format/format.h"
#include "services/app_facts.h"
#include "services/testing/recording.h"
#include "store/word_store.h"
#include "tests/reliability/damaged_file.h"

namespace vorelka::reliability {
namespace {

using jet::JetFormat;

struct Damage {
  const char* name;
  bool in_definition;  // the count reads the definition only, not the rows
  std::function<void(JetBytes&, uint32_t words, const jet::format::Format&)> apply;
};

const std::vector<Damage>& Damages() {
  static const std::vector<Damage> damages = {
      {"empty usage map", true,
       [](JetBytes& image, uint32_t words, const jet::format::Format& layout) {
         const uint32_t pointer = image.U32(words, layout.tdef.owned_map_offset);
         const uint32_t row = pointer & 0xFF;
         image.Put16(pointer >> 8, image.SlotOffset(row), image.RowStart(pointer >> 8, row - 1));
       }},
      {"definition chain in a cycle", true,
       [](JetBytes& image, uint32_t words, const jet::format::Format& layout) {
         image.Put16(words, layout.tdef.column_count_offset, 250);
         image.Put32(words, 4, words);
       }},
      {"row table past its page", false,
       [](JetBytes& image, uint32_t words, const jet::format::Format& layout) {
         image.Put16(image.FirstDataPage(words), layout.data.row_count_offset, 0xFFFF);
       }},
      {"usage map naming pages beyond the file", true,
       [](JetBytes& image, uint32_t words, const jet::format::Format& layout) {
         const uint32_t pointer = image.U32(words, layout.tdef.owned_map_offset);
         image.Put32(pointer >> 8, image.RowStart(pointer >> 8, pointer & 0xFF) + 1, 0x00FFFFF0);
       }},
      {"catalog page of the wrong type", true,
       [](JetBytes& image, uint32_t, const jet::format::Format&) { image.Put8(2, 0, 0x01); }},
  };
  return damages;
}

class DamagedStoreTest : public ::testing::TestWithParam<JetFormat> {};

TEST_P(DamagedStoreTest, EachCallReportsOnceReturnsNeutralAndTheNextSoundFileWorks) {
  TempFolder folder;
  const auto good = folder.path() / "good.mdb";
  BuildWords(good, GetParam(), 20);
  const uint32_t words = WordsDefinitionPage(good);
  const auto& layout =
      GetParam() == JetFormat::kJet3 ? jet::format::kJet3 : jet::format::kJet4;
  const services::FixedAppFacts facts(folder.path().string());
  services::testing::RecordingMessageBox box;
  store::WordStore store(facts, box);
  const auto file = folder.path() / "words.mdb";

  for (const Damage& damage : Damages()) {
    SCOPED_TRACE(damage.name);
    JetBytes image(good);
    damage.apply(image, words, layout);
    image.Save(file);
    box.shown.clear();
    EXPECT_EQ(store.GetWordCount(), damage.in_definition ? 0 : 20);
    EXPECT_EQ(store.GetWord(1, true), "");
    ASSERT_EQ(box.shown.size(), damage.in_definition ? 2u : 1u);
    for (const auto& shown : box.shown) {
      EXPECT_EQ(shown.text.rfind("3343 - ", 0), 0u) << shown.text;
      EXPECT_NE(shown.text.find(file.string()), std::string::npos) << shown.text;
    }
    // The learner puts a sound file back: the very next call reads it.
    std::filesystem::copy_file(good, file, std::filesystem::copy_options::overwrite_existing);
    box.shown.clear();
    EXPECT_EQ(store.GetWordCount(), 20);
    EXPECT_EQ(store.GetWord(7, false), "слово 7");
    EXPECT_TRUE(box.shown.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(BothFormats, DamagedStoreTest,
                         ::testing::Values(JetFormat::kJet3, JetFormat::kJet4),
                         [](const auto& info) {
                           return info.param == JetFormat::kJet3 ? "Jet3" : "Jet4";
                         });

}  // namespace
}  // namespace vorelka::reliability
