// What the word store asks of its engine, pinned with a recording engine:
// the exact query texts, the order of every step, what an error closes and
// drops, and that the engine is made once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "services/app_facts.h"
#include "services/error.h"
#include "services/testing/recording.h"
#include "store/word_store.h"
#include "tests/store/recording_engine.h"

namespace vorelka::store::testing {
namespace {

using Steps = std::vector<std::string>;

constexpr char kFolder[] = "/opt/vorelka";
constexpr char kDatabase[] = "/opt/vorelka/words.mdb";
constexpr char kScriptedReport[] = "3078 - The scripted step failed.";

const Steps kWholeCall = {kCreateEngine,   kOpenDatabase,  kOpenRecordset,
                          kEof,            kFields,        kCloseRecordset,
                          kCloseDatabase,  kDropRecordset, kDropDatabase};

class StoreContractTest : public ::testing::Test {
 protected:
  // The error reports shown so far, as their texts.
  std::vector<std::string> Reports() const {
    std::vector<std::string> texts;
    for (const auto& shown : box_.shown) {
      EXPECT_EQ(shown.style, services::MessageStyle::kExclamation);
      texts.push_back(shown.text);
    }
    return texts;
  }

  EngineLog log_;
  EngineScript script_;
  services::FixedAppFacts facts_{kFolder};
  services::testing::RecordingMessageBox box_;
  WordStore store_{facts_, box_, RecordingEngines(log_, script_)};
};

TEST_F(StoreContractTest, GetWordCount_SendsTheCountQueryAsASnapshotAndReadsCnt) {
  script_.value = jet::Value::Long(250);
  EXPECT_EQ(store_.GetWordCount(), 250);
  EXPECT_EQ(log_.steps, kWholeCall);
  EXPECT_EQ(log_.paths, Steps{kDatabase});
  EXPECT_EQ(log_.queries, Steps{"SELECT Count(*) AS Cnt FROM Words"});
  EXPECT_EQ(log_.types, std::vector<int>{jet::kDbOpenSnapshot});
  EXPECT_EQ(log_.fields, Steps{"Cnt"});
  EXPECT_TRUE(box_.shown.empty());
}

TEST_F(StoreContractTest, GetWord_SendsTheQueryWithThePlainDecimalKeyAfterTheTrailingBlank) {
  struct Case {
    int32_t key;
    bool english;
    const char* query;
  };
  const Case cases[] = {
      {17, true, "SELECT English AS sWord FROM Words WHERE Id = 17"},
      {17, false, "SELECT Russian AS sWord FROM Words WHERE Id = 17"},
      {0, true, "SELECT English AS sWord FROM Words WHERE Id = 0"},
      {-5, false, "SELECT Russian AS sWord FROM Words WHERE Id = -5"},
      {2147483647, true, "SELECT English AS sWord FROM Words WHERE Id = 2147483647"},
      {-2147483647 - 1, false, "SELECT Russian AS sWord FROM Words WHERE Id = -2147483648"},
  };
  script_.value = jet::Value::Text("house");
  for (const Case& c : cases) {
    log_ = EngineLog{};
    EXPECT_EQ(store_.GetWord(c.key, c.english), "house") << c.query;
    EXPECT_EQ(log_.queries, Steps{c.query});
    EXPECT_EQ(log_.types, std::vector<int>{jet::kDbOpenSnapshot}) << c.query;
    EXPECT_EQ(log_.fields, Steps{"sWord"}) << c.query;
    EXPECT_EQ(log_.paths, Steps{kDatabase}) << c.query;
  }
  EXPECT_TRUE(box_.shown.empty());
}

TEST_F(StoreContractTest, GetWord_GivesTheValueAsTextAndNullAsEmpty) {
  const std::pair<jet::Value, std::string> cases[] = {
      {jet::Value::Text("кошка"), "кошка"},
      {jet::Value(), ""},
      {jet::Value::Long(-42), "-42"},
      {jet::Value::Boolean(true), "True"},
      {jet::Value::Boolean(false), "False"},
  };
  for (const auto& [value, word] : cases) {
    script_.value = value;
    EXPECT_EQ(store_.GetWord(1, false), word);
  }
  EXPECT_TRUE(box_.shown.empty());
}

TEST_F(StoreContractTest, NoRow_GivesTheNeutralResultWithoutReadingAFieldAndClosesBoth) {
  script_.no_row = true;
  EXPECT_EQ(store_.GetWordCount(), 0);
  EXPECT_EQ(store_.GetWord(3, true), "");
  EXPECT_TRUE(log_.fields.empty());
  const Steps without_field = {kCreateEngine,  kOpenDatabase,  kOpenRecordset, kEof,
                               kCloseRecordset, kCloseDatabase, kDropRecordset, kDropDatabase,
                               kOpenDatabase,  kOpenRecordset, kEof,           kCloseRecordset,
                               kCloseDatabase, kDropRecordset, kDropDatabase};
  EXPECT_EQ(log_.steps, without_field);
  EXPECT_TRUE(box_.shown.empty());
}

TEST_F(StoreContractTest, AFailingCloseKeepsTheValueAlreadyRead) {
  script_.value = jet::Value::Long(9);
  script_.fail_at = kCloseRecordset;
  EXPECT_EQ(store_.GetWordCount(), 9);
  EXPECT_EQ(log_.steps, (Steps{kCreateEngine, kOpenDatabase, kOpenRecordset, kEof, kFields,
                               kCloseRecordset, kDropRecordset, kDropDatabase}))
      << "the database is not closed once the recordset's Close failed";

  log_ = EngineLog{};
  script_.value = jet::Value::Text("water");
  script_.fail_at = kCloseDatabase;
  EXPECT_EQ(store_.GetWord(2, true), "water");
  EXPECT_EQ(log_.steps, (Steps{kOpenDatabase, kOpenRecordset, kEof, kFields, kCloseRecordset,
                               kCloseDatabase, kDropRecordset, kDropDatabase}));

  EXPECT_EQ(Reports(), (Steps{kScriptedReport, kScriptedReport}));
}

TEST_F(StoreContractTest, AnErrorClosesNothingAndDropsWhatWasOpened) {
  struct Case {
    const char* fail_at;
    Steps after_failure;  // what follows the failing step
  };
  const Case cases[] = {
      {kCreateEngine, {}},
      {kOpenDatabase, {}},
      {kOpenRecordset, {kDropDatabase}},
      {kEof, {kDropRecordset, kDropDatabase}},
      {kFields, {kDropRecordset, kDropDatabase}},
  };
  for (const Case& c : cases) {
    for (const bool count : {true, false}) {
      EngineLog log;
      EngineScript script;
      script.value = jet::Value::Long(5);
      script.fail_at = c.fail_at;
      services::testing::RecordingMessageBox box;
      WordStore store(facts_, box, RecordingEngines(log, script));
      if (count) {
        EXPECT_EQ(store.GetWordCount(), 0) << c.fail_at;
      } else {
        EXPECT_EQ(store.GetWord(5, true), "") << c.fail_at;
      }
      // The log up to and including the failing step is the normal call's.
      Steps expected;
      for (const std::string& step : kWholeCall) {
        expected.push_back(step);
        if (step == c.fail_at) break;
      }
      expected.insert(expected.end(), c.after_failure.begin(), c.after_failure.end());
      EXPECT_EQ(log.steps, expected) << c.fail_at << (count ? " in the count" : " in a lookup");
      ASSERT_EQ(box.shown.size(), 1u) << c.fail_at;
      EXPECT_EQ(box.shown[0].text, kScriptedReport);
    }
  }
}

TEST_F(StoreContractTest, TheEngineIsMadeOnceAndKeptAcrossCallsAndErrors) {
  script_.value = jet::Value::Long(3);
  store_.GetWordCount();
  script_.fail_at = kOpenDatabase;
  store_.GetWord(1, true);
  script_.fail_at.clear();
  store_.GetWord(2, false);
  store_.GetWordCount();
  EXPECT_EQ(log_.engines_created, 1);
  EXPECT_EQ(std::count(log_.steps.begin(), log_.steps.end(), kOpenDatabase), 4);
}

TEST_F(StoreContractTest, AnEngineThatCouldNotBeMadeIsTriedAgainOnTheNextCall) {
  script_.value = jet::Value::Long(3);
  script_.fail_at = kCreateEngine;
  EXPECT_EQ(store_.GetWordCount(), 0);
  script_.fail_at.clear();
  EXPECT_EQ(store_.GetWordCount(), 3);
  EXPECT_EQ(log_.engines_created, 2);
  EXPECT_EQ(Reports(), Steps{kScriptedReport});
}

TEST(StoreFolderTest, AProgramFolderThatCannotBeFoundIsReportedAndNothingIsOpened) {
  EngineLog log;
  EngineScript script;
  script.value = jet::Value::Long(3);
  const services::ProcessAppFacts facts("/nonexistent/vorelka/self-link");
  services::testing::RecordingMessageBox box;
  WordStore store(facts, box, RecordingEngines(log, script));

  EXPECT_EQ(store.GetWordCount(), 0);
  EXPECT_EQ(store.GetWord(1, true), "");
  EXPECT_EQ(std::count(log.steps.begin(), log.steps.end(), kOpenDatabase), 0)
      << "no database is opened from the current folder instead";
  ASSERT_EQ(box.shown.size(), 2u);
  for (const auto& shown : box.shown) {
    EXPECT_EQ(shown.text.rfind(std::to_string(services::kErrPathNotFound) + " - ", 0), 0u)
        << shown.text;
  }
}

}  // namespace
}  // namespace vorelka::store::testing
