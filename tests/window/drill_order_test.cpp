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
// Show takes the answer language from the direction flag. Here the mark
// says English to Russian while the flag still says Russian to English.
TEST_F(DrillWindowTest, NextReadsTheCheckMarkWhileShowReadsTheDirectionFlag) {
  WriteWords(kFiveKeyWords);
  Load({kDrawKey1, kDrawKey3});
  window_->findChild<QAction*>(QStringLiteral("mnuSettingsEnglish"))->setChecked(true);

  ClickNext();
  EXPECT_EQ(Text("txtQuestion"), "to read") << "Next asks in English when the mark is set";
  ClickShow();
  EXPECT_EQ(Text("txtAnswer"), "to read") << "Show answers in English while the flag says so";

  // And the other way round: the flag says English to Russian, no mark is set.
  Choose("mnuSettingsEnglish");
  window_->findChild<QAction*>(QStringLiteral("mnuSettingsEnglish"))->setChecked(false);
  ClickNext();
  EXPECT_EQ(Text("txtQuestion"), QString::fromUtf8("читать"));
  ClickShow();
  EXPECT_EQ(Text("txtAnswer"), QString::fromUtf8("читать"));
  EXPECT_TRUE(box_.shown.empty());
}

}  // namespace
}  // namespace vorelka::window::testing
