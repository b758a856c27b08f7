// The order of effects inside the drill's handlers, and which copy of the
// direction each one reads, seen from inside the store's error box and with
// the two copies of the direction made to disagree.
#include <QAction>

#include "tests/window/drill_harness.h"

namespace vorelka::window::testing {
namespace {

TEST_F(DrillWindowTest, Next_ClearsTheAnswerBeforeTheLookupAndWritesPanel1AfterIt) {
  WriteWords(kFiveKeyWords);
  Load({kDrawKey1, kDrawKey2});
  ClickShow();
  ASSERT_EQ(Text("txtAnswer"), "house");
  std::filesystem::remove(DatabaseFile());  // the lookup fails and shows its box

  QString answer_at_box;
  QString question_at_box;
  QString panel_at_box;
  box_.on_show = [&](const auto&) {
    answer_at_box = Text("txtAnswer");
    question_at_box = Text("txtQuestion");
    panel_at_box = Panel(1);
  };
  ClickNext();

  ASSERT_EQ(box_.shown.size(), 1u);
  EXPECT_EQ(answer_at_box, QString()) << "the answer box is cleared before the lookup";
  EXPECT_EQ(question_at_box, QString::fromUtf8("дом")) << "the question waits for the lookup";
  EXPECT_EQ(panel_at_box, "1/5") << "panel 1 is written after the lookup";
  EXPECT_EQ(Text("txtQuestion"), QString());
  EXPECT_EQ(Panel(1), "2/5");
}

// Next takes the question language from the English-to-Russian check mark;
// Show takes the answer language from the direction flag. Here the marks are
// set behind the handlers' backs, so that they disagree with the flag and
// with each other.
TEST_F(DrillWindowTest, NextReadsTheEnglishCheckMarkWhileShowReadsTheDirectionFlag) {
  struct Case {
    bool russian_to_english;  // the flag, set through the menu
    bool english_mark;
    bool russian_mark;
    bool english_question;    // what Next asks in
    bool english_answer;      // what Show answers in
  };
  const Case cases[] = {
      {true, true, false, true, true},
      {false, false, true, false, false},
      {false, false, false, false, false},
      {true, true, true, true, true},
  };
  WriteWords(kFiveKeyWords);
  Load({kDrawKey1, kDrawKey3});
  const QString english = "to read";
  const QString russian = QString::fromUtf8("читать");
  for (const Case& c : cases) {
    Choose(c.russian_to_english ? "mnuSettingsRussian" : "mnuSettingsEnglish");
    window_->findChild<QAction*>(QStringLiteral("mnuSettingsEnglish"))->setChecked(c.english_mark);
    window_->findChild<QAction*>(QStringLiteral("mnuSettingsRussian"))->setChecked(c.russian_mark);
    const auto where = ::testing::Message() << "flag " << c.russian_to_english << ", marks "
                                            << c.english_mark << c.russian_mark;

    ClickNext();
    EXPECT_EQ(Text("txtQuestion"), c.english_question ? english : russian) << where;
    ClickShow();
    EXPECT_EQ(Text("txtAnswer"), c.english_answer ? english : russian) << where;
  }
  EXPECT_TRUE(box_.shown.empty());
}

}  // namespace
}  // namespace vorelka::window::testing
