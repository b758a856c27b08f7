// What a screen reader finds in the window: boxes named by their role and
// language, labels tied to their boxes, a status bar whose panels read out
// their text, and the change of panel 1 announced on Next.
#include <QAccessible>

#include "tests/window/drill_harness.h"

namespace vorelka::window::testing {
namespace {

class AccessibilityTest : public DrillWindowTest {
 protected:
  void SetUp() override {
    WriteWords(kFiveKeyWords);
    Load({kDrawKey1, kDrawKey2, kDrawKey3});
  }
  static QAccessibleInterface* Accessible(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget);
  }
  QString NameOf(const char* control) const {
    return Accessible(Find<QWidget>(control))->text(QAccessible::Name);
  }
};

TEST_F(AccessibilityTest, BoxNamesSayRoleAndLanguageAndFollowTheDirection) {
  EXPECT_EQ(NameOf("txtQuestion"), "Question, Russian");
  EXPECT_EQ(NameOf("txtAnswer"), "Answer, English");
  Choose("mnuSettingsEnglish");
  EXPECT_EQ(NameOf("txtQuestion"), "Question, English");
  EXPECT_EQ(NameOf("txtAnswer"), "Answer, Russian");
  Choose("mnuSettingsRussian");
  EXPECT_EQ(NameOf("txtQuestion"), "Question, Russian");
  EXPECT_EQ(NameOf("txtAnswer"), "Answer, English");
}

TEST_F(AccessibilityTest, EachBoxIsLabelledByTheLabelBesideIt) {
  const struct {
    const char* box;
    const char* label;
  } pairs[] = {{"txtQuestion", "lblQuestion"}, {"txtAnswer", "lblAnswer"}};
  for (const auto& pair : pairs) {
    EXPECT_EQ(Find<QLabel>(pair.label)->buddy(), Find<QWidget>(pair.box)) << pair.label;
    const auto labelled_by = Accessible(Find<QWidget>(pair.box))->relations(QAccessible::Label);
    ASSERT_EQ(labelled_by.size(), 1) << pair.box;
    EXPECT_EQ(labelled_by[0].first->object(), Find<QLabel>(pair.label)) << pair.box;
  }
}

TEST_F(AccessibilityTest, StatusBarIsAStatusBarWhosePanelsReadTheirText) {
  EXPECT_EQ(Accessible(Find<QWidget>("StatusBar"))->role(), QAccessible::StatusBar);
  EXPECT_EQ(NameOf("StatusBar_Panel1"), "1/5");
  EXPECT_EQ(NameOf("StatusBar_Panel2"), "Russian -> English");
  EXPECT_FALSE(
      Accessible(Find<QWidget>("StatusBar_Panel1"))->text(QAccessible::Description).isEmpty());
  Choose("mnuSettingsEnglish");
  EXPECT_EQ(NameOf("StatusBar_Panel2"), "English -> Russian");
}

// The change event itself is checked over AT-SPI (accessibility_test.sh):
// Qt hands it to no handler while no assistive technology is active.
TEST_F(AccessibilityTest, NextGivesPanel1TheNewCardAndCount) {
  ClickNext();
  EXPECT_EQ(NameOf("StatusBar_Panel1"), "2/5");
}

TEST_F(AccessibilityTest, ButtonsKeepTheirNamesAndMnemonics) {
  EXPECT_EQ(NameOf("cmdAction_0"), "Next");
  EXPECT_EQ(NameOf("cmdAction_1"), "Show");
  EXPECT_EQ(Find<QPushButton>("cmdAction_0")->text(), "&Next");
  EXPECT_EQ(Find<QPushButton>("cmdAction_1")->text(), "Sho&w");
}

}  // namespace
}  // namespace vorelka::window::testing
