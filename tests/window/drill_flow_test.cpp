// The drill as the learner drives it: load, Next, Show and the direction
// menu, over a real words.mdb.
#include <QAction>

#include "tests/window/drill_harness.h"

namespace vorelka::window::testing {
namespace {

using services::MessageStyle;

constexpr char kNoRecords[] = "No records found.  Invalid database.";

TEST_F(DrillWindowTest, Load_ShowsFirstRussianQuestionWithKeyAndCount) {
  WriteWords(kFiveKeyWords);
  Load({kDrawKey3});

  EXPECT_EQ(Text("txtQuestion"), QString::fromUtf8("читать"));
  EXPECT_EQ(Text("txtAnswer"), QString());
  EXPECT_EQ(Panel(1), "3/5");
  EXPECT_EQ(Panel(2), "Russian -> English");
  EXPECT_EQ(Caption("lblQuestion"), "Russian:");
  EXPECT_EQ(Caption("lblAnswer"), "English:");
  EXPECT_TRUE(Checked("mnuSettingsRussian"));
  EXPECT_FALSE(Checked("mnuSettingsEnglish"));
  EXPECT_TRUE(box_.shown.empty());
  EXPECT_EQ(random_->draws, 1);
  EXPECT_EQ(random_->randomize_calls, 1);
  EXPECT_FALSE(window_->isVisible()) << "loading does not show the window";
}

TEST_F(DrillWindowTest, BeforeLoad_NoDirectionIsChecked) {
  WriteWords(kFiveKeyWords);
  Create();
  EXPECT_FALSE(Checked("mnuSettingsRussian"));
  EXPECT_FALSE(Checked("mnuSettingsEnglish"));
  EXPECT_EQ(Panel(1), QString());
  EXPECT_EQ(Panel(2), QString());
}

TEST_F(DrillWindowTest, NextAndShow_RussianToEnglish) {
  WriteWords(kFiveKeyWords);
  Load({kDrawKey1, kDrawKey2, kDrawKey3});

  ClickShow();
  EXPECT_EQ(Text("txtAnswer"), "house");
  ClickShow();
  EXPECT_EQ(Text("txtAnswer"), "house") << "Show twice shows the same answer";

  ClickNext();
  EXPECT_EQ(Text("txtQuestion"), QString::fromUtf8("вода"));
  EXPECT_EQ(Text("txtAnswer"), QString()) << "Next clears the answer";
  EXPECT_EQ(Panel(1), "2/5");
  ClickShow();
  EXPECT_EQ(Text("txtAnswer"), "water");

  ClickNext();
  EXPECT_EQ(Text("txtQuestion"), QString::fromUtf8("читать"));
  EXPECT_EQ(Panel(1), "3/5");
  EXPECT_EQ(Panel(2), "Russian -> English");
  EXPECT_TRUE(box_.shown.empty());
}

TEST_F(DrillWindowTest, EnglishToRussian_ClearsBoxesThenNextAsksEnglishAndShowAnswersRussian) {
  WriteWords(kFiveKeyWords);
  Load({kDrawKey1, kDrawKey2});
  ClickShow();

  Choose("mnuSettingsEnglish");
  EXPECT_EQ(Text("txtQuestion"), QString());
  EXPECT_EQ(Text("txtAnswer"), QString());
  EXPECT_EQ(Caption("lblQuestion"), "English");
  EXPECT_EQ(Caption("lblAnswer"), "Russian");
  EXPECT_EQ(Panel(1), "1/5") << "switching draws no new pair";
  EXPECT_EQ(Panel(2), "English -> Russian");
  EXPECT_TRUE(Checked("mnuSettingsEnglish"));
  EXPECT_FALSE(Checked("mnuSettingsRussian"));

  ClickShow();
  EXPECT_EQ(Text("txtAnswer"), QString()) << "no question, no answer";

  ClickNext();
  EXPECT_EQ(Text("txtQuestion"), "water");
  EXPECT_EQ(Panel(1), "2/5");
  ClickShow();
  EXPECT_EQ(Text("txtAnswer"), QString::fromUtf8("вода"));

  Choose("mnuSettingsRussian");
  EXPECT_EQ(Caption("lblQuestion"), "Russian");
  EXPECT_EQ(Caption("lblAnswer"), "English");
  EXPECT_EQ(Panel(2), "Russian -> English");
  EXPECT_TRUE(Checked("mnuSettingsRussian"));
  EXPECT_FALSE(Checked("mnuSettingsEnglish"));
  ClickNext();
  ClickShow();
  EXPECT_EQ(Text("txtQuestion"), QString::fromUtf8("вода"));
  EXPECT_EQ(Text("txtAnswer"), "water");
  EXPECT_TRUE(box_.shown.empty());
}

TEST_F(DrillWindowTest, ChoosingTheCheckedDirection_StillClearsBoxesAndSetsCaptions) {
  WriteWords(kFiveKeyWords);
  Load({kDrawKey1});
  ClickShow();

  Choose("mnuSettingsRussian");
  EXPECT_EQ(Text("txtQuestion"), QString());
  EXPECT_EQ(Text("txtAnswer"), QString());
  EXPECT_EQ(Caption("lblQuestion"), "Russian");
  EXPECT_EQ(Caption("lblAnswer"), "English");
  EXPECT_EQ(Panel(2), "Russian -> English");
  EXPECT_TRUE(Checked("mnuSettingsRussian"));
  EXPECT_FALSE(Checked("mnuSettingsEnglish"));

  Choose("mnuSettingsEnglish");
  Choose("mnuSettingsEnglish");
  EXPECT_TRUE(Checked("mnuSettingsEnglish"));
  EXPECT_FALSE(Checked("mnuSettingsRussian"));
  EXPECT_EQ(Panel(2), "English -> Russian");
}

TEST_F(DrillWindowTest, DirectionMenu_DoesNotTouchTheDatabase) {
  WriteWords(kFiveKeyWords);
  Load();
  std::filesystem::remove(DatabaseFile());

  Choose("mnuSettingsEnglish");
  Choose("mnuSettingsRussian");
  EXPECT_TRUE(box_.shown.empty()) << "a menu handler opened the missing database";
  EXPECT_EQ(random_->draws, 1);
}

TEST_F(DrillWindowTest, Show_WithEmptyQuestion_LeavesTypedAnswerAlone) {
  WriteWords(kFiveKeyWords);
  Load();
  Choose("mnuSettingsEnglish");
  QTest::keyClicks(Find<QLineEdit>("txtAnswer"), "my guess");

  ClickShow();
  EXPECT_EQ(Text("txtAnswer"), "my guess");
}

TEST_F(DrillWindowTest, Next_OntoKeyWithNoRow_LeavesQuestionEmptyAndShowDoesNothing) {
  WriteWords(kFiveKeyWords);
  Load({kDrawKey1, kDrawMissingKey5});
  ClickShow();

  ClickNext();
  EXPECT_EQ(Text("txtQuestion"), QString());
  EXPECT_EQ(Text("txtAnswer"), QString());
  EXPECT_EQ(Panel(1), "5/5");
  ClickShow();
  EXPECT_EQ(Text("txtAnswer"), QString());
  EXPECT_TRUE(box_.shown.empty()) << "a key with no row is not an error";
}

TEST_F(DrillWindowTest, Show_WithBlankQuestion_CountsAsAQuestion) {
  WriteWords(kFiveKeyWords);
  Load({kDrawBlankKey4});
  EXPECT_EQ(Text("txtQuestion"), " ");
  ClickShow();
  EXPECT_EQ(Text("txtAnswer"), "space");
}

TEST_F(DrillWindowTest, EmptyDatabase_ShowsCriticalBoxAndEndsBeforeTheWindowShows) {
  WriteWords({});
  Create();

  EXPECT_THROW(window_->Form_Load(), ProgramEnded);
  ASSERT_EQ(box_.shown.size(), 1u);
  EXPECT_EQ(box_.shown[0].text, kNoRecords);
  EXPECT_EQ(box_.shown[0].style, MessageStyle::kCritical);
  EXPECT_EQ(end_.calls, 1);
  EXPECT_EQ(random_->randomize_calls, 0) << "nothing runs after the end";
  EXPECT_EQ(Panel(1), QString());
  EXPECT_FALSE(window_->isVisible());
}

TEST_F(DrillWindowTest, MissingDatabase_ShowsStoreErrorThenCriticalBoxAndEnds) {
  Create();
  bool ended_while_box_open = false;
  box_.on_show = [&](const auto&) { ended_while_box_open |= end_.calls > 0; };

  EXPECT_THROW(window_->Form_Load(), ProgramEnded);
  ASSERT_EQ(box_.shown.size(), 2u);
  EXPECT_EQ(box_.shown[0].style, MessageStyle::kExclamation);
  EXPECT_NE(box_.shown[0].text.find(" - "), std::string::npos) << box_.shown[0].text;
  EXPECT_EQ(box_.shown[1].text, kNoRecords);
  EXPECT_EQ(box_.shown[1].style, MessageStyle::kCritical);
  EXPECT_FALSE(ended_while_box_open) << "the program ends only after the box is dismissed";
  EXPECT_EQ(end_.calls, 1);
  EXPECT_FALSE(window_->isVisible());
}

TEST_F(DrillWindowTest, DatabaseRemovedWhileRunning_NextAndShowReportAndGoOnEmpty) {
  WriteWords(kFiveKeyWords);
  Load({kDrawKey1, kDrawKey2});
  std::filesystem::remove(DatabaseFile());

  ClickNext();
  EXPECT_EQ(Text("txtQuestion"), QString());
  EXPECT_EQ(Panel(1), "2/5");
  ASSERT_EQ(box_.shown.size(), 1u);
  EXPECT_EQ(box_.shown[0].style, MessageStyle::kExclamation);
  EXPECT_EQ(end_.calls, 0);
}

}  // namespace
}  // namespace vorelka::window::testing
