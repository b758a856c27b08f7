#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "jet/format/jet_errors.h"
#include "services/app_facts.h"
#include "services/testing/recording.h"
#include "store/word_store.h"
#include "tests/support/test_files.h"

namespace vorelka::store {
namespace {

using testing::NumberedRows;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
using testing::WriteWords;

// Each call on a bad words.mdb shows exactly one error report, returns the
// neutral result, prints nothing of its own and leaves the file as it was.
class BadInputTest : public ::testing::Test {
 protected:
  std::string Database() const { return folder_.Child("words.mdb"); }

  void ExpectEveryCallReports(int32_t number) {
    const bool is_file = std::filesystem::is_regular_file(Database());
    const std::string bytes = is_file ? ReadBytes(Database()) : "";
    const std::string prefix = std::to_string(number) + " - ";

    ::testing::internal::CaptureStderr();
    EXPECT_EQ(store_.GetWordCount(), 0);
    ASSERT_EQ(box_.shown.size(), 1u);
    EXPECT_EQ(store_.GetWord(1, true), "");
    ASSERT_EQ(box_.shown.size(), 2u);
    EXPECT_EQ(store_.GetWord(1, false), "");
    ASSERT_EQ(box_.shown.size(), 3u);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");

    for (const auto& shown : box_.shown) {
      EXPECT_EQ(shown.text.rfind(prefix, 0), 0u) << shown.text;
      EXPECT_EQ(shown.style, services::MessageStyle::kExclamation);
    }
    if (is_file) {
      EXPECT_EQ(ReadBytes(Database()), bytes);
    }
  }

  std::string GoodDatabaseBytes() {
    const std::string good = folder_.Child("good.mdb");
    WriteWords(good, jet::JetFormat::kJet4, NumberedRows(400));
    std::string bytes = ReadBytes(good);
    std::filesystem::remove(good);
    return bytes;
  }

  TempDir folder_;
  services::FixedAppFacts facts_{folder_.path().string()};
  services::testing::RecordingMessageBox box_;
  WordStore store_{facts_, box_};
};

TEST_F(BadInputTest, AMissingFileIsReportedAsNotFoundAndNamed) {
  ExpectEveryCallReports(jet::kErrFileNotFound);
  EXPECT_NE(box_.shown[0].text.find(Database()), std::string::npos);
}

TEST_F(BadInputTest, AFolderNamedLikeTheFileCannotBeOpened) {
  std::filesystem::create_directory(Database());
  ExpectEveryCallReports(jet::kErrCannotOpenFile);
}

TEST_F(BadInputTest, AnEmptyTextRandomOrCutFileIsNotADatabase) {
  std::mt19937 generator(20261207);
  std::string random(3 * 4096, '\0');
  for (char& c : random) c = static_cast<char>(generator());
  const std::string good = GoodDatabaseBytes();
  const std::pair<const char*, std::string> files[] = {
      {"empty", ""},
      {"text", "Id\tEnglish\tRussian\n1\tcat\tкошка\n"},
      {"random bytes", random},
      {"cut inside a page", good.substr(0, good.size() / 2 + 100)},
      {"cut before its catalog", good.substr(0, 2 * 4096)},
  };
  for (const auto& [what, bytes] : files) {
    SCOPED_TRACE(what);
    WriteBytes(Database(), bytes);
    box_.shown.clear();
    ExpectEveryCallReports(jet::kErrUnrecognizedFormat);
  }
}

TEST_F(BadInputTest, AFileCutOnAPageBoundaryLosesNoRowSilently) {
  // The pages that remain still parse, but the table points past the end.
  const std::string bytes = GoodDatabaseBytes();
  const size_t pages = bytes.size() / 4096;
  WriteBytes(Database(), bytes.substr(0, (pages - 1) * 4096));
  ::testing::internal::CaptureStderr();
  const std::string word = store_.GetWord(400, true);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  // Either the last row is still there, or the damage is reported.
  if (word.empty()) {
    ASSERT_EQ(box_.shown.size(), 1u);
    EXPECT_EQ(box_.shown[0].text.rfind("3343 - ", 0), 0u) << box_.shown[0].text;
  } else {
    EXPECT_EQ(word, "english 400");
  }
}

TEST_F(BadInputTest, ADatabaseWithoutTheWordsTableNamesTheTable) {
  WriteWords(Database(), jet::JetFormat::kJet4, NumberedRows(3),
             {"Vocabulary", "Id", {"English", "Russian"}});
  ExpectEveryCallReports(jet::kErrTableNotFound);
  EXPECT_NE(box_.shown[0].text.find("'Words'"), std::string::npos);
}

TEST_F(BadInputTest, AWordsTableWithoutRussianFailsOnlyTheRussianLookup) {
  WriteWords(Database(), jet::JetFormat::kJet4, {{1, "cat", std::nullopt}},
             {"Words", "Id", {"English"}});
  EXPECT_EQ(store_.GetWordCount(), 1);
  EXPECT_EQ(store_.GetWord(1, true), "cat");
  EXPECT_TRUE(box_.shown.empty());
  EXPECT_EQ(store_.GetWord(1, false), "");
  ASSERT_EQ(box_.shown.size(), 1u);
  EXPECT_EQ(box_.shown[0].text.rfind("3061 - ", 0), 0u) << box_.shown[0].text;
  EXPECT_NE(box_.shown[0].text.find("Russian"), std::string::npos);
}

// Root reads any file whatever its permissions, so the unreadable file is
// tried by a child that has given up root for "nobody".
TEST_F(BadInputTest, AnUnreadableFileCannotBeOpened) {
  WriteWords(Database(), jet::JetFormat::kJet4, NumberedRows(3));
  std::filesystem::permissions(folder_.path(), std::filesystem::perms::all);
  std::filesystem::permissions(Database(), std::filesystem::perms::none);
  constexpr uid_t kNobody = 65534;

  int report[2];
  ASSERT_EQ(::pipe(report), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::close(report[0]);
    if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) ::_exit(2);
    services::testing::RecordingMessageBox box;
    WordStore store(facts_, box);
    const int32_t count = store.GetWordCount();
    const std::string word = store.GetWord(1, true);
    std::string summary =
        std::to_string(count) + "|" + word + "|" + std::to_string(box.shown.size());
    for (const auto& shown : box.shown) summary += "|" + shown.text.substr(0, 7);
    if (::write(report[1], summary.data(), summary.size()) < 0) ::_exit(3);
    ::_exit(0);
  }
  ::close(report[1]);
  std::string summary;
  char buffer[256];
  for (ssize_t n; (n = ::read(report[0], buffer, sizeof buffer)) > 0;) summary.append(buffer, n);
  ::close(report[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_EQ(WEXITSTATUS(status), 0) << "the child could not give up root";
  EXPECT_EQ(summary, "0||2|3051 - |3051 - ");
}

}  // namespace
}  // namespace vorelka::store
