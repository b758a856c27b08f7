#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>

#include "services/app_facts.h"
#include "services/testing/recording.h"
#include "store/word_store.h"
#include "test_databases.h"

namespace vorelka::store {
namespace {

using testing::NumberedPairs;
using testing::Pair;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteWords;

class WordStoreTest : public ::testing::TestWithParam<jet::JetFormat> {
 protected:
  std::string Database() const { return folder_.Child("words.mdb"); }
  void Write(const std::vector<Pair>& pairs) { WriteWords(Database(), pairs, GetParam()); }

  TempFolder folder_;
  services::FixedAppFacts facts_{folder_.path().string()};
  services::testing::RecordingMessageBox box_;
  WordStore store_{facts_, box_};
};

INSTANTIATE_TEST_SUITE_P(BothFormats, WordStoreTest,
                         ::testing::Values(jet::JetFormat::kJet3, jet::JetFormat::kJet4),
                         [](const auto& info) {
                           return info.param == jet::JetFormat::kJet3 ? "Jet3" : "Jet4";
                         });

TEST_P(WordStoreTest, GetWordCount_ReturnsTheNumberOfPairs) {
  Write(NumberedPairs(250));
  EXPECT_EQ(store_.GetWordCount(), 250);
  EXPECT_TRUE(box_.shown.empty());
}

TEST_P(WordStoreTest, GetWordCount_ReturnsZeroForAnEmptyTableWithoutABox) {
  Write({});
  EXPECT_EQ(store_.GetWordCount(), 0);
  EXPECT_TRUE(box_.shown.empty());
}

TEST_P(WordStoreTest, GetWord_ReturnsTheEnglishOrTheRussianWordOfTheKey) {
  Write({{1, "cat", "кошка"},
         {2, "hedgehog", "ёж"},
         {3, "pike", "Щука"},
         {4, "to be", "быть, являться"}});
  EXPECT_EQ(store_.GetWord(1, true), "cat");
  EXPECT_EQ(store_.GetWord(1, false), "кошка");
  EXPECT_EQ(store_.GetWord(2, false), "ёж");
  EXPECT_EQ(store_.GetWord(3, false), "Щука");
  EXPECT_EQ(store_.GetWord(4, true), "to be");
  EXPECT_EQ(store_.GetWord(4, false), "быть, являться");
  EXPECT_TRUE(box_.shown.empty());
}

TEST_P(WordStoreTest, GetWord_ReadsTheLongestTextAColumnHolds) {
  std::string russian;
  for (int i = 0; i < 255; ++i) russian += "ж";
  Write({{1, std::string(255, 'w'), russian}});
  EXPECT_EQ(store_.GetWord(1, true), std::string(255, 'w'));
  EXPECT_EQ(store_.GetWord(1, false), russian);
}

TEST_P(WordStoreTest, GetWord_ReturnsEmptyWithoutABoxForKeysWithNoRow) {
  Write({{1, "one", "один"}, {2, "two", "два"}, {4, "four", "четыре"}});
  for (const int32_t key : {3, 0, -1, 5, 2147483647, -2147483647 - 1}) {
    EXPECT_EQ(store_.GetWord(key, true), "") << key;
    EXPECT_EQ(store_.GetWord(key, false), "") << key;
  }
  EXPECT_TRUE(box_.shown.empty());
}

TEST_P(WordStoreTest, GetWord_FindsTheExtremeAndNegativeKeysWhereRowsHaveThem) {
  Write({{2147483647, "max", "максимум"},
         {-7, "minus seven", "минус семь"},
         {-2147483647 - 1, "min", "минимум"}});
  EXPECT_EQ(store_.GetWord(2147483647, true), "max");
  EXPECT_EQ(store_.GetWord(-7, false), "минус семь");
  EXPECT_EQ(store_.GetWord(-2147483647 - 1, true), "min");
  EXPECT_EQ(store_.GetWord(7, true), "");
  EXPECT_TRUE(box_.shown.empty());
}

TEST_P(WordStoreTest, GetWord_ReturnsEmptyForNullAndBlankWordsAndKeepsSpaces) {
  Write({{1, std::nullopt, "нуль"}, {2, "", std::nullopt}, {3, "  ", " пробел "}});
  EXPECT_EQ(store_.GetWord(1, true), "");
  EXPECT_EQ(store_.GetWord(1, false), "нуль");
  EXPECT_EQ(store_.GetWord(2, true), "");
  EXPECT_EQ(store_.GetWord(2, false), "");
  EXPECT_EQ(store_.GetWord(3, true), "  ");
  EXPECT_EQ(store_.GetWord(3, false), " пробел ");
  EXPECT_TRUE(box_.shown.empty());
}

TEST_P(WordStoreTest, EveryCallReadsTheFileAfresh) {
  Write(NumberedPairs(3));
  EXPECT_EQ(store_.GetWordCount(), 3);
  EXPECT_EQ(store_.GetWord(2, true), "english 2");
  Write({{2, "replaced", "заменено"}});
  EXPECT_EQ(store_.GetWordCount(), 1);
  EXPECT_EQ(store_.GetWord(2, true), "replaced");
}

TEST_P(WordStoreTest, ReadingLeavesTheFileAndItsFolderAsTheyWere) {
  Write(NumberedPairs(20));
  struct stat before {};
  ASSERT_EQ(::stat(Database().c_str(), &before), 0);
  const std::string bytes = ReadBytes(Database());

  EXPECT_EQ(store_.GetWordCount(), 20);
  EXPECT_EQ(store_.GetWord(7, false), "russian 7");

  struct stat after {};
  ASSERT_EQ(::stat(Database().c_str(), &after), 0);
  EXPECT_EQ(ReadBytes(Database()), bytes);
  EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  EXPECT_EQ(after.st_ctim.tv_nsec, before.st_ctim.tv_nsec);
  // No lock file or anything else beside it.
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder_.path())) {
    ++entries;
  }
  EXPECT_EQ(entries, 1);
}

TEST_P(WordStoreTest, UseFileReadsTheNamedFileForBothQuestions) {
  const std::string other = folder_.Child("elsewhere.mdb");
  WriteWords(other, {{1, "bread", "хлеб"}}, GetParam());
  store_.UseFile(other);
  EXPECT_EQ(store_.GetWordCount(), 1);
  EXPECT_EQ(store_.GetWord(1, false), "хлеб");
  EXPECT_TRUE(box_.shown.empty());
}

TEST(WordStoreCharset, Jet3TextIsReadInTheCodePageTheFileNamesWhateverTheEnvironmentSays) {
  TempFolder folder;
  WriteWords(folder.Child("words.mdb"), {{1, "cat", "кошка"}}, jet::JetFormat::kJet3);
  // libmdb would otherwise take its character sets from these.
  ::setenv("MDB_JET3_CHARSET", "CP1252", 1);
  ::setenv("MDBICONV", "ISO-8859-1", 1);
  services::FixedAppFacts facts(folder.path().string());
  services::testing::RecordingMessageBox box;
  WordStore store(facts, box);
  const std::string word = store.GetWord(1, false);
  ::unsetenv("MDB_JET3_CHARSET");
  ::unsetenv("MDBICONV");
  EXPECT_EQ(word, "кошка");
  EXPECT_TRUE(box.shown.empty());
}

// The two path rules, seen in the file name each call reports missing.
class PathRulesTest : public ::testing::Test {
 protected:
  std::string ReportedPathOf(const std::string& folder, bool count) {
    services::FixedAppFacts facts(folder);
    services::testing::RecordingMessageBox box;
    WordStore store(facts, box);
    if (count) {
      EXPECT_EQ(store.GetWordCount(), 0);
    } else {
      EXPECT_EQ(store.GetWord(1, true), "");
    }
    EXPECT_EQ(box.shown.size(), 1u);
    if (box.shown.empty()) return "";
    const std::string& text = box.shown[0].text;
    EXPECT_EQ(text.rfind("3024 - ", 0), 0u) << text;
    const size_t open = text.find('\'');
    const size_t close = text.rfind('\'');
    return text.substr(open + 1, close - open - 1);
  }
};

TEST_F(PathRulesTest, AtTheRootTheCountAddsNoSeparatorAndTheLookupDoublesIt) {
  if (std::filesystem::exists("/words.mdb")) GTEST_SKIP() << "/words.mdb exists on this machine";
  EXPECT_EQ(ReportedPathOf("/", true), "/words.mdb");
  EXPECT_EQ(ReportedPathOf("/", false), "//words.mdb");
}

TEST_F(PathRulesTest, InAnyOtherFolderBothAddOneSeparator) {
  const TempFolder folder;
  const std::string base = folder.path().string();
  EXPECT_EQ(ReportedPathOf(base, true), base + "/words.mdb");
  EXPECT_EQ(ReportedPathOf(base, false), base + "/words.mdb");
}

TEST_F(PathRulesTest, TheDoubledSeparatorStillFindsTheFile) {
  const TempFolder folder;
  WriteWords(folder.Child("words.mdb"), {{1, "milk", "молоко"}});
  services::FixedAppFacts facts(folder.path().string() + "/");  // a folder that ends in one
  services::testing::RecordingMessageBox box;
  WordStore store(facts, box);
  EXPECT_EQ(store.GetWordCount(), 1);
  EXPECT_EQ(store.GetWord(1, false), "молоко");
  EXPECT_TRUE(box.shown.empty());
}

}  // namespace
}  // namespace vorelka::store
