// What the word store asks of its engine, pinned with a recording engine:
// the exact query texts, the order of every step, what an error closes and
// drops, and that the engine is made once.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "services/app_facts.h"
#include "services/testing/recording.h"
#include "store/word_store.h"
#include "tests/store/recording_engine.h"

namespace vorelka::store::testing {
namespace {

using Steps = std::vector<std::string>;

constexpr char kCount[] = "SELECT Count(*) AS Cnt FROM Words";

// The steps of one call on /opt/vorelka/words.mdb that sends `query` and
// reads `field` ("" for none), after the engine was made if `first`.
Steps Call(bool first, const std::string& query, const std::string& field) {
  Steps steps;
  if (first) steps.emplace_back(kCreateEngine);
  steps.push_back(std::string(kOpenDatabase) + " /opt/vorelka/words.mdb");
  steps.push_back(std::string(kOpenSnapshot) + " " + query);
  steps.emplace_back(kEof);
  if (!field.empty()) steps.push_back(std::string(kFields) + " " + field);
  steps.insert(steps.end(), {kCloseRecordset, kCloseDatabase, kDropRecordset, kDropDatabase});
  return steps;
}

Steps operator+(Steps a, const Steps& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

int CountOf(const Steps& log, const char* step) {
  return std::count_if(log.begin(), log.end(),
                       [&](const auto& s) { return s.rfind(step, 0) == 0; });
}

class StoreContractTest : public ::testing::Test {
 protected:
  Steps Reports() const {
    Steps texts;
    for (const auto& shown : box_.shown) texts.push_back(shown.text);
    return texts;
  }

  Steps log_;
  EngineScript script_;
  services::FixedAppFacts facts_{"/opt/vorelka"};
  services::testing::RecordingMessageBox box_;
  WordStore store_{facts_, box_, RecordingEngines(log_, script_)};
};

// Each call sends its query, the key in plain decimals, and reads its field;
// with no row, it gives its neutral result without reading a field.
TEST_F(StoreContractTest, EachCallSendsItsQueryAsASnapshotReadsItsFieldAndClosesBoth) {
  script_.value = jet::Value::Long(250);
  EXPECT_EQ(store_.GetWordCount(), 250);
  script_.value = jet::Value::Text("house");
  EXPECT_EQ(store_.GetWord(17, true), "house");
  EXPECT_EQ(store_.GetWord(-2147483647 - 1, false), "house");
  script_.no_row = true;
  EXPECT_EQ(store_.GetWordCount(), 0);
  EXPECT_EQ(store_.GetWord(3, true), "");
  EXPECT_EQ(log_,
            Call(true, kCount, "Cnt") +
                Call(false, "SELECT English AS sWord FROM Words WHERE Id = 17", "sWord") +
                Call(false, "SELECT Russian AS sWord FROM Words WHERE Id = -2147483648", "sWord") +
                Call(false, kCount, "") +
                Call(false, "SELECT English AS sWord FROM Words WHERE Id = 3", ""));
  EXPECT_TRUE(box_.shown.empty());
}

// An error is reported once; what was opened is then dropped without being
// closed, and the call gives its neutral result unless the value was read.
TEST_F(StoreContractTest, AnErrorClosesNothingMoreDropsWhatWasOpenedAndShowsOneBox) {
  const Steps drop_both = {kDropRecordset, kDropDatabase};
  const std::tuple<const char*, Steps, bool> cases[] = {
      {kCreateEngine, {}, false},
      {kOpenDatabase, {}, false},
      {kOpenSnapshot, {kDropDatabase}, false},
      {kEof, drop_both, false},
      {kFields, drop_both, false},
      {kCloseRecordset, drop_both, true},
      {kCloseDatabase, drop_both, true},
  };
  for (const auto& [fail_at, after_failure, keeps_value] : cases) {
    for (const bool count : {true, false}) {
      Steps log;
      const EngineScript script{jet::Value::Long(5), false, fail_at};
      services::testing::RecordingMessageBox box;
      WordStore store(facts_, box, RecordingEngines(log, script));
      EXPECT_EQ(count ? std::to_string(store.GetWordCount()) : store.GetWord(5, true),
                keeps_value ? "5" : (count ? "0" : ""))
          << fail_at;
      // Up to and including the failing step, the log is the normal call's.
      const Steps whole =
          Call(true, count ? kCount : "SELECT English AS sWord FROM Words WHERE Id = 5",
               count ? "Cnt" : "sWord");
      const std::string step = fail_at;  // clang 14 cannot capture a structured binding
      const auto failed = std::find_if(whole.begin(), whole.end(),
                                       [&](const auto& s) { return s.rfind(step, 0) == 0; });
      EXPECT_EQ(log, Steps(whole.begin(), failed + 1) + after_failure)
          << fail_at << (count ? " in the count" : " in a lookup");
      ASSERT_EQ(box.shown.size(), 1u) << fail_at;
      EXPECT_EQ(box.shown[0].text, kScriptedReport);
      EXPECT_EQ(box.shown[0].style, services::MessageStyle::kExclamation);
    }
  }
}

TEST_F(StoreContractTest, TheEngineIsMadeOnceKeptAcrossErrorsAndRetriedOnlyIfMakingItFailed) {
  script_.value = jet::Value::Long(3);
  script_.fail_at = kCreateEngine;
  EXPECT_EQ(store_.GetWordCount(), 0);
  script_.fail_at.clear();
  EXPECT_EQ(store_.GetWordCount(), 3);
  script_.fail_at = kOpenDatabase;
  store_.GetWord(1, true);
  script_.fail_at.clear();
  store_.GetWord(2, false);
  EXPECT_EQ(CountOf(log_, kCreateEngine), 2);
  EXPECT_EQ(CountOf(log_, kOpenDatabase), 3);
  EXPECT_EQ(Reports(), (Steps{kScriptedReport, kScriptedReport}));
}

TEST(StoreFolderTest, AProgramFolderThatCannotBeFoundIsReportedAndNothingIsOpened) {
  Steps log;
  const EngineScript script{jet::Value::Long(3), false, ""};
  const services::ProcessAppFacts facts("/nonexistent/vorelka/self-link");
  services::testing::RecordingMessageBox box;
  WordStore store(facts, box, RecordingEngines(log, script));
  EXPECT_EQ(store.GetWordCount(), 0);
  EXPECT_EQ(store.GetWord(1, true), "");
  EXPECT_EQ(CountOf(log, kOpenDatabase), 0)
      << "no database is opened from the current folder instead";
  ASSERT_EQ(box.shown.size(), 2u);
  for (const auto& shown : box.shown) EXPECT_EQ(shown.text.rfind("76 - ", 0), 0u) << shown.text;
}

}  // namespace
}  // namespace vorelka::store::testing
