// Alt+N presses Next and Alt+W presses Show, under a Latin layout and under
// a Russian one, where the same keys produce Cyrillic letters.
#include <QKeyEvent>

#include "tests/window/drill_harness.h"
#include "window/latin_mnemonics.h"

namespace vorelka::window::testing {
namespace {

// XKB keycodes (evdev + 8) of the US keyboard's N, W and A keys, and of the
// digit 1.
constexpr quint32 kKeycodeN = 57;
constexpr quint32 kKeycodeW = 25;
constexpr quint32 kKeycodeA = 38;
constexpr quint32 kKeycode1 = 10;

// Each letter row's first and last keys, and the keys just outside them.
TEST(UsLetterOfNativeScanCode, NamesTheLetterOnTheUsKeyboard) {
  const std::pair<quint32, std::optional<char>> keys[] = {
      {0, std::nullopt},  {23, std::nullopt}, {24, 'Q'}, {33, 'P'},
      {34, std::nullopt}, {37, std::nullopt}, {38, 'A'}, {46, 'L'},
      {47, std::nullopt}, {51, std::nullopt}, {52, 'Z'}, {58, 'M'},
      {59, std::nullopt}};
  for (const auto& [code, letter] : keys) EXPECT_EQ(UsLetterOfNativeScanCode(code), letter) << code;
}

class MnemonicTest : public DrillWindowTest {
 protected:
  void SetUp() override {
    WriteWords(kFiveKeyWords);
    Load({kDrawKey1, kDrawKey2, kDrawKey3});
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    answer_ = Find<QLineEdit>("txtAnswer");
    answer_->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == answer_; }));
  }

  // A key as a Russian layout delivers it: the Cyrillic letter as key and
  // text, the physical key's scan code alongside.
  void Press(char16_t letter, quint32 scan_code, Qt::KeyboardModifiers modifiers) {
    const QChar lower(letter);
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
      QKeyEvent event(type, lower.toUpper().unicode(), modifiers, scan_code, 0, 0, QString(lower));
      QApplication::sendEvent(QApplication::focusWidget(), &event);
    }
  }
  bool Answered(const char* english) {
    return QTest::qWaitFor([&] { return Text("txtAnswer") == english; });
  }
  bool Drawn(int draws) {
    return QTest::qWaitFor([&] { return random_->draws == draws; });
  }

  QLineEdit* answer_ = nullptr;
};

TEST_F(MnemonicTest, AltW_PressesShow_AltN_PressesNext_UnderRussianAndLatinLayouts) {
  Press(u'ц', kKeycodeW, Qt::AltModifier);  // the W key under a Russian layout
  EXPECT_TRUE(Answered("house"));
  Press(u'т', kKeycodeN, Qt::AltModifier);  // the N key
  EXPECT_TRUE(Drawn(2)) << "one press, one draw";
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_W, Qt::AltModifier);
  EXPECT_TRUE(Answered("water"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::AltModifier);
  EXPECT_TRUE(Drawn(3));
}

TEST_F(MnemonicTest, OtherAltKeysPressNothing_CyrillicWithoutAltIsTyped) {
  Press(u'ф', kKeycodeA, Qt::AltModifier);  // A: no mnemonic of its own
  Press(u'ё', kKeycode1, Qt::AltModifier);  // not a letter key
  Press(u'т', kKeycodeN, Qt::NoModifier);
  QTest::qWait(200);
  EXPECT_EQ(random_->draws, 1) << "Next was pressed";
  EXPECT_FALSE(Text("txtAnswer").contains("house")) << "Show was pressed";
  EXPECT_TRUE(Text("txtAnswer").endsWith(QString::fromUtf8("т")));
}

}  // namespace
}  // namespace vorelka::window::testing
