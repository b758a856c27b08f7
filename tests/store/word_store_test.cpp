// The word store over real files from our writer: what it reads, the two
// path rules, and the one report each call shows for a file it cannot read.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "jet/format/jet_errors.h"
#include "services/app_facts.h"
#include "services/testing/recording.h"
#include "store/word_store.h"
#include "tests/support/test_files.h"

namespace vorelka::store {
namespace {

using jet::JetFormat;
using testing::NumberedRows;
using testing::ReadBytes;
using testing::TempDir;
using testing::Words;
using testing::WriteWords;

// Runs the count and both lookups on words.mdb in `folder`: each shows one
// report that starts with `number` and " - ", gives its neutral
// result and prints nothing (which a death test's child leaves to its parent
// to check). Returns the three reports.
std::vector<std::string> ReportsOfEveryCall(const std::string& folder, int32_t number) {
  const bool capture = !::testing::internal::InDeathTestChild();
  services::FixedAppFacts facts(folder);
  services::testing::RecordingMessageBox box;
  WordStore store(facts, box);
  if (capture) ::testing::internal::CaptureStderr();
  EXPECT_EQ(store.GetWordCount(), 0);
  EXPECT_EQ(box.shown.size(), 1u);
  EXPECT_EQ(store.GetWord(1, true), "");
  EXPECT_EQ(box.shown.size(), 2u);
  EXPECT_EQ(store.GetWord(1, false), "");
  EXPECT_EQ(capture ? ::testing::internal::GetCapturedStderr() : "", "");
  std::vector<std::string> texts;
  for (const auto& shown : box.shown) {
    EXPECT_EQ(shown.text.rfind(std::to_string(number) + " - ", 0), 0u) << shown.text;
    texts.push_back(shown.text);
  }
  EXPECT_EQ(texts.size(), 3u);
  texts.resize(3);
  return texts;
}

// The file a report names between its quotes.
std::string Quoted(const std::string& text) {
  const size_t open = text.find('\'');
  return text.substr(open + 1, text.rfind('\'') - open - 1);
}

class WordStoreTest : public ::testing::Test {
 protected:
  std::string Database() const { return folder_ / "words.mdb"; }
  std::vector<std::string> Reports(int32_t number) {
    return ReportsOfEveryCall(folder_.path().string(), number);
  }
  // In Jet 3, the shipped database's format; the seek and the decoders are
  // held to both formats in their own tests.
  void Write(const std::vector<Words>& rows) { WriteWords(Database(), JetFormat::kJet3, rows); }

  TempDir folder_;
  services::FixedAppFacts facts_{folder_.path().string()};
  services::testing::RecordingMessageBox box_;
  WordStore store_{facts_, box_};
};

TEST_F(WordStoreTest, ReadsTheCountAndEitherWordOfAnyKeyExactly_NullOrNoRowAsEmpty) {
  const std::vector<Words> rows = {{1, "cat", "кошка"},
                                   {2147483647, "max", "максимум"},
                                   {-2147483647 - 1, "min", "минимум"},
                                   {8, std::nullopt, "нуль"},
                                   {9, "", std::nullopt},
                                   {10, "  ", " пробел "}};
  Write(rows);
  EXPECT_EQ(store_.GetWordCount(), 6);
  for (const Words& row : rows) {
    EXPECT_EQ(store_.GetWord(row.id, true), row.english.value_or("")) << row.id;
    EXPECT_EQ(store_.GetWord(row.id, false), row.russian.value_or("")) << row.id;
  }
  for (const int32_t key : {4, 0, -1, 11, 2147483646, -2147483647}) {
    EXPECT_EQ(store_.GetWord(key, true), "") << key;
    EXPECT_EQ(store_.GetWord(key, false), "") << key;
  }
  Write({});
  EXPECT_EQ(store_.GetWordCount(), 0);
  EXPECT_EQ(store_.GetWord(1, true), "");
  EXPECT_TRUE(box_.shown.empty());
}

TEST_F(WordStoreTest, EveryCallReadsTheNamedFileAfreshAndLeavesItAndItsFolderAsTheyWere) {
  Write(NumberedRows(250));  // over several data pages
  const std::string bytes = ReadBytes(Database());
  EXPECT_EQ(store_.GetWordCount(), 250);
  EXPECT_EQ(store_.GetWord(7, false), "russian 7");
  EXPECT_EQ(ReadBytes(Database()), bytes);
  EXPECT_EQ(folder_.FileNames(), std::vector<std::string>{"words.mdb"}) << "no lock file";

  Write({{7, "replaced", "заменено"}});
  EXPECT_EQ(store_.GetWordCount(), 1);
  EXPECT_EQ(store_.GetWord(7, false), "заменено");

  const std::string other = folder_ / "elsewhere.mdb";
  WriteWords(other, JetFormat::kJet3, {{1, "bread", "хлеб"}, {2, "salt", "соль"}});
  store_.UseFile(other);
  EXPECT_EQ(store_.GetWordCount(), 2);
  EXPECT_EQ(store_.GetWord(1, false), "хлеб");
  EXPECT_TRUE(box_.shown.empty());
}

TEST_F(WordStoreTest, AMissingFileIsNamedByTheCountAndTheLookupAlikeOutsideTheRoot) {
  const std::vector<std::string> reports = Reports(jet::kErrFileNotFound);
  for (const std::string& text : reports) EXPECT_EQ(Quoted(text), Database());
}

TEST_F(WordStoreTest, AtTheRootTheCountAddsNoSeparatorAndTheLookupDoublesIt) {
  if (std::filesystem::exists("/words.mdb")) GTEST_SKIP() << "/words.mdb exists on this machine";
  const std::vector<std::string> reports = ReportsOfEveryCall("/", jet::kErrFileNotFound);
  EXPECT_EQ(Quoted(reports[0]), "/words.mdb");
  EXPECT_EQ(Quoted(reports[1]), "//words.mdb");
}

// Root reads any file whatever its permissions, so the unreadable file is
// tried by a child that has given up root for "nobody".
TEST_F(WordStoreTest, AFolderNamedLikeTheFileOrAnUnreadableFileCannotBeOpened) {
  std::filesystem::create_directory(Database());
  Reports(jet::kErrCannotOpenFile);
  std::filesystem::remove(Database());
  WriteWords(Database(), JetFormat::kJet4, NumberedRows(3));
  std::filesystem::permissions(folder_.path(), std::filesystem::perms::all);
  std::filesystem::permissions(Database(), std::filesystem::perms::none);
  constexpr uid_t kNobody = 65534;
  EXPECT_EXIT(
      {
        if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) ::_exit(2);
        Reports(jet::kErrCannotOpenFile);
        ::_exit(HasFailure() ? 1 : 0);
      },
      ::testing::ExitedWithCode(0), "^$");
}

TEST_F(WordStoreTest, AnEmptyTextOrCutFileIsNotADatabaseAndIsLeftAsItWas) {
  WriteWords(Database(), JetFormat::kJet4, NumberedRows(400));
  const std::string good = ReadBytes(Database());
  const std::pair<const char*, std::string> files[] = {
      {"empty", ""},
      {"text", "Id\tEnglish\tRussian\n1\tcat\tкошка\n"},
      {"cut inside a page", good.substr(0, good.size() / 2 + 100)},
      {"cut before its catalog", good.substr(0, 2 * 4096)},
  };
  for (const auto& [what, bytes] : files) {
    SCOPED_TRACE(what);
    testing::WriteBytes(Database(), bytes);
    Reports(jet::kErrUnrecognizedFormat);
    EXPECT_EQ(ReadBytes(Database()), bytes);
  }
  // The learner puts a sound file back: the very next call reads it.
  EXPECT_EQ(store_.GetWordCount(), 0);
  testing::WriteBytes(Database(), good);
  EXPECT_EQ(store_.GetWordCount(), 400);
  EXPECT_EQ(box_.shown.size(), 1u);
}

}  // namespace
}  // namespace vorelka::store
