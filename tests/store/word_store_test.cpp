#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>

#include "services/app_facts.h"
#include "services/testing/recording.h"
#include "store/word_store.h"
#include "tests/support/test_files.h"

namespace vorelka::store {
namespace {

using testing::NumberedRows;
using testing::ReadBytes;
using testing::TempDir;
using testing::Words;
using testing::WriteWords;

class WordStoreTest : public ::testing::TestWithParam<jet::JetFormat> {
 protected:
  std::string Database() const { return folder_.Child("words.mdb"); }
  void Write(const std::vector<Words>& pairs) { WriteWords(Database(), GetParam(), pairs); }

  TempDir folder_;
  services::FixedAppFacts facts_{folder_.path().string()};
  services::testing::RecordingMessageBox box_;
  WordStore store_{facts_, box_};
};

INSTANTIATE_TEST_SUITE_P(BothFormats, WordStoreTest,
                         ::testing::Values(jet::JetFormat::kJet3, jet::JetFormat::kJet4),
                         [](const auto& info) {
                           return info.param == jet::JetFormat::kJet3 ? "Jet3" : "Jet4";
                         });

TEST_P(WordStoreTest, GetWordCount_ReturnsTheNumberOfPairsAndZeroForAnEmptyTableWithoutABox) {
  for (const int32_t count : {250, 0}) {
    Write(NumberedRows(count));
    EXPECT_EQ(store_.GetWordCount(), count);
  }
  EXPECT_TRUE(box_.shown.empty());
}

TEST_P(WordStoreTest, GetWord_ReturnsEitherWordOfAnyKeyExactlyAndNullAsEmpty) {
  std::string longest_russian;
  for (int i = 0; i < 255; ++i) longest_russian += "ж";
  const std::vector<Words> rows = {{1, "cat", "кошка"},
                                   {2, "hedgehog", "ёж"},
                                   {3, "pike", "Щука"},
                                   {4, "to be", "быть, являться"},
                                   {5, std::string(255, 'w'), longest_russian},
                                   {2147483647, "max", "максимум"},
                                   {-7, "minus seven", "минус семь"},
                                   {-2147483647 - 1, "min", "минимум"},
                                   {8, std::nullopt, "нуль"},
                                   {9, "", std::nullopt},
                                   {10, "  ", " пробел "}};
  Write(rows);
  for (const Words& row : rows) {
    EXPECT_EQ(store_.GetWord(row.id, true), row.english.value_or("")) << row.id;
    EXPECT_EQ(store_.GetWord(row.id, false), row.russian.value_or("")) << row.id;
  }
  EXPECT_TRUE(box_.shown.empty());
}

TEST_P(WordStoreTest, GetWord_ReturnsEmptyWithoutABoxForKeysWithNoRow) {
  Write({{1, "one", "один"}, {2, "two", "два"}, {4, "four", "четыре"}});
  for (const int32_t key : {3, 0, -1, 5, 2147483647, -2147483647 - 1}) {
    EXPECT_EQ(store_.GetWord(key, true), "") << key;
    EXPECT_EQ(store_.GetWord(key, false), "") << key;
  }
  EXPECT_TRUE(box_.shown.empty());
}

TEST_P(WordStoreTest, EveryCallReadsTheFileAfresh) {
  Write(NumberedRows(3));
  EXPECT_EQ(store_.GetWordCount(), 3);
  EXPECT_EQ(store_.GetWord(2, true), "english 2");
  Write({{2, "replaced", "заменено"}});
  EXPECT_EQ(store_.GetWordCount(), 1);
  EXPECT_EQ(store_.GetWord(2, true), "replaced");
}

TEST_P(WordStoreTest, ReadingLeavesTheFileAndItsFolderAsTheyWere) {
  Write(NumberedRows(20));
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
  WriteWords(other, GetParam(), {{1, "bread", "хлеб"}});
  store_.UseFile(other);
  EXPECT_EQ(store_.GetWordCount(), 1);
  EXPECT_EQ(store_.GetWord(1, false), "хлеб");
  EXPECT_TRUE(box_.shown.empty());
}

TEST(WordStoreCharset, Jet3TextIsReadInTheCodePageTheFileNamesWhateverTheEnvironmentSays) {
  TempDir folder;
  WriteWords(folder.Child("words.mdb"), jet::JetFormat::kJet3, {{1, "cat", "кошка"}});
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
  const TempDir folder;
  const std::string base = folder.path().string();
  EXPECT_EQ(ReportedPathOf(base, true), base + "/words.mdb");
  EXPECT_EQ(ReportedPathOf(base, false), base + "/words.mdb");
}

TEST_F(PathRulesTest, TheDoubledSeparatorStillFindsTheFile) {
  const TempDir folder;
  WriteWords(folder.Child("words.mdb"), jet::JetFormat::kJet4, {{1, "milk", "молоко"}});
  services::FixedAppFacts facts(folder.path().string() + "/");  // a folder that ends in one
  services::testing::RecordingMessageBox box;
  WordStore store(facts, box);
  EXPECT_EQ(store.GetWordCount(), 1);
  EXPECT_EQ(store.GetWord(1, false), "молоко");
  EXPECT_TRUE(box.shown.empty());
}

}  // namespace
}  // namespace vorelka::store
