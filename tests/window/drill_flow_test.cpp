// The drill as the learner drives it: load, Next, Show and the direction
// menu, over a real words.mdb; and the order of effects inside the handlers,
// seen from inside the store's error box.
#include "tests/window/drill_harness.h"

namespace vorelka::window::testing {
namespace {

using services::MessageStyle;

constexpr char kNoRecords[] = "No records found.  Invalid database.";

TEST_F(DrillWindowTest, Load_SetsRussianToEnglishAndAsksTheFirstDrawnCard) {
  WriteWords(kFiveKeyWords);
  Load({kDrawKey3});
  EXPECT_EQ(Text("txtQuestion"), QString::fromUtf8("читать"));
  EXPECT_EQ(Text("txtAnswer"), QString());
  EXPECT_EQ(Panel(1), "3/5");
  EXPECT_EQ(Panel(2), "Russian -> English");
  EXPECT_TRUE(Checked("mnuSettingsRussian"));
  EXPECT_FALSE(Checked("mnuSettingsEnglish"));
  EXPECT_TRUE(box_.shown.empty());
  EXPECT_EQ(random_->draws, 1);
  EXPECT_EQ(random_->randomize_calls, 1);
  EXPECT_FALSE(window_->isVisible()) << "loading does not show the window";
}

TEST_F(DrillWindowTest, NextShowAndBothDirections_TheMenuNeverReadsTheDatabase) {
  WriteWords(kFiveKeyWords);
  Load({kDrawKey1, kDrawKey2, kDrawKey3});
  ClickShow();
  ClickShow();
  EXPECT_EQ(Text("txtAnswer"), "house");
  ClickNext();
  EXPECT_EQ(Text("txtQuestion"), QString::fromUtf8("вода"));
  EXPECT_EQ(Text("txtAnswer"), QString());
  EXPECT_EQ(Panel(1), "2/5");
  ClickShow();
  EXPECT_EQ(Text("txtAnswer"), "water");

  Choose("mnuSettingsRussian");  // the direction already checked
  EXPECT_TRUE(Checked("mnuSettingsRussian"));
  EXPECT_EQ(Text("txtQuestion"), QString());
  EXPECT_EQ(Text("txtAnswer"), QString());
  EXPECT_EQ(Caption("lblQuestion"), "Russian");
  EXPECT_EQ(Caption("lblAnswer"), "English");

  Choose("mnuSettingsEnglish");
  EXPECT_EQ(Caption("lblQuestion"), "English");
  EXPECT_EQ(Caption("lblAnswer"), "Russian");
  EXPECT_EQ(Panel(1), "2/5") << "switching draws no new pair";
  EXPECT_EQ(Panel(2), "English -> Russian");
  EXPECT_TRUE(Checked("mnuSettingsEnglish"));
  EXPECT_FALSE(Checked("mnuSettingsRussian"));
  QTest::keyClicks(Find<QLineEdit>("txtAnswer"), "my guess");
  ClickShow();
  EXPECT_EQ(Text("txtAnswer"), "my guess") << "no question, no answer";

  ClickNext();
  ClickShow();
  EXPECT_EQ(Text("txtQuestion"), "to read");
  EXPECT_EQ(Text("txtAnswer"), QString::fromUtf8("читать"));
  EXPECT_TRUE(box_.shown.empty());

  std::filesystem::remove(DatabaseFile());
  Choose("mnuSettingsEnglish");
  Choose("mnuSettingsRussian");
  EXPECT_TRUE(box_.shown.empty()) << "a menu handler opened the database";
  EXPECT_EQ(random_->draws, 3);
  EXPECT_EQ(Panel(2), "Russian -> English");
  EXPECT_TRUE(Checked("mnuSettingsRussian"));
  EXPECT_FALSE(Checked("mnuSettingsEnglish"));
}

// A blank word is a question all the same; a key with no row leaves the
// question empty without an error.
TEST_F(DrillWindowTest, Next_OntoABlankWordOrAKeyWithNoRow) {
  WriteWords(kFiveKeyWords);
  Load({kDrawBlankKey4, kDrawMissingKey5});
  EXPECT_EQ(Text("txtQuestion"), " ");
  ClickShow();
  EXPECT_EQ(Text("txtAnswer"), "space");
  ClickNext();
  EXPECT_EQ(Text("txtQuestion"), QString());
  EXPECT_EQ(Panel(1), "5/5");
  EXPECT_TRUE(box_.shown.empty());
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
}

TEST_F(DrillWindowTest, DatabaseGoneAtNext_ClearsAnswerBeforeTheLookupReportsAndGoesOn) {
  WriteWords(kFiveKeyWords);
  Load({kDrawKey1, kDrawKey2});
  ClickShow();
  std::filesystem::remove(DatabaseFile());

  QString answer_at_box, question_at_box, panel_at_box;
  box_.on_show = [&](const auto&) {
    answer_at_box = Text("txtAnswer");
    question_at_box = Text("txtQuestion");
    panel_at_box = Panel(1);
  };
  ClickNext();
  ASSERT_EQ(box_.shown.size(), 1u);
  EXPECT_EQ(box_.shown[0].style, MessageStyle::kExclamation);
  EXPECT_EQ(answer_at_box, QString()) << "the answer box is cleared before the lookup";
  EXPECT_EQ(question_at_box, QString::fromUtf8("дом")) << "the question waits for the lookup";
  EXPECT_EQ(panel_at_box, "1/5") << "panel 1 is written after the lookup";
  EXPECT_EQ(Text("txtQuestion"), QString());
  EXPECT_EQ(Panel(1), "2/5");
  EXPECT_EQ(end_.calls, 0);
}

// Next takes the question language from the English-to-Russian check mark;
// Show takes the answer language from the direction flag. Here the marks are
// set behind the handlers' backs, so that they disagree with the flag.
TEST_F(DrillWindowTest, NextReadsTheEnglishCheckMarkWhileShowReadsTheDirectionFlag) {
  const struct {
    bool russian_to_english, english_mark, russian_mark;
  } cases[] = {
      {true, true, false}, {false, false, true}, {false, false, false}, {true, true, true}};
  WriteWords(kFiveKeyWords);
  Load({kDrawKey1, kDrawKey3});
  const QString english = "to read";
  const QString russian = QString::fromUtf8("читать");
  for (const auto& c : cases) {
    Choose(c.russian_to_english ? "mnuSettingsRussian" : "mnuSettingsEnglish");
    Find<QAction>("mnuSettingsEnglish")->setChecked(c.english_mark);
    Find<QAction>("mnuSettingsRussian")->setChecked(c.russian_mark);
    ClickNext();
    EXPECT_EQ(Text("txtQuestion"), c.english_mark ? english : russian) << c.russian_to_english;
    ClickShow();
    EXPECT_EQ(Text("txtAnswer"), c.russian_to_english ? english : russian) << c.english_mark;
  }
  EXPECT_TRUE(box_.shown.empty());
}

}  // namespace
}  // namespace vorelka::window::testing
