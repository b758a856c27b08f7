// What a screen reader finds in the window: boxes named by their role and
// language, labels tied to their boxes, buttons named without their
// mnemonic marks, and a status bar whose panels read out their text.
#include <QAccessible>

#include "tests/window/drill_harness.h"

namespace vorelka::window::testing {
namespace {

class AccessibilityTest : public DrillWindowTest {
 protected:
  void SetUp() override {
    WriteWords(kFiveKeyWords);
    Load({kDrawKey1, kDrawKey2});
  }
  QAccessibleInterface* Accessible(const char* control) const {
    return QAccessible::queryAccessibleInterface(Find(control));
  }
  QString NameOf(const char* control) const { return Accessible(control)->text(QAccessible::Name); }
};

TEST_F(AccessibilityTest, NamesFollowTheDirectionAndTheCard) {
  EXPECT_EQ(NameOf("txtQuestion"), "Question, Russian");
  EXPECT_EQ(NameOf("txtAnswer"), "Answer, English");
  EXPECT_EQ(NameOf("StatusBar_Panel1"), "1/5");
  EXPECT_EQ(NameOf("StatusBar_Panel2"), "Russian -> English");
  EXPECT_FALSE(Accessible("StatusBar_Panel1")->text(QAccessible::Description).isEmpty());
  EXPECT_EQ(Accessible("StatusBar")->role(), QAccessible::StatusBar);
  EXPECT_EQ(NameOf("cmdAction_0"), "Next");
  EXPECT_EQ(NameOf("cmdAction_1"), "Show");

  Choose("mnuSettingsEnglish");
  EXPECT_EQ(NameOf("txtQuestion"), "Question, English");
  EXPECT_EQ(NameOf("txtAnswer"), "Answer, Russian");
  EXPECT_EQ(NameOf("StatusBar_Panel2"), "English -> Russian");
  Choose("mnuSettingsRussian");
  EXPECT_EQ(NameOf("txtQuestion"), "Question, Russian");
  EXPECT_EQ(NameOf("txtAnswer"), "Answer, English");
  // The change event itself is checked over AT-SPI (accessibility_test.sh):
  // Qt hands it to no handler while no assistive technology is active.
  ClickNext();
  EXPECT_EQ(NameOf("StatusBar_Panel1"), "2/5");
}

TEST_F(AccessibilityTest, EachBoxIsLabelledByTheLabelBesideIt) {
  for (const auto& [box, label] :
       {std::pair{"txtQuestion", "lblQuestion"}, std::pair{"txtAnswer", "lblAnswer"}}) {
    EXPECT_EQ(Find<QLabel>(label)->buddy(), Find(box)) << label;
    const auto labelled_by = Accessible(box)->relations(QAccessible::Label);
    ASSERT_EQ(labelled_by.size(), 1) << box;
    EXPECT_EQ(labelled_by[0].first->object(), Find(label)) << box;
  }
}

}  // namespace
}  // namespace vorelka::window::testing
