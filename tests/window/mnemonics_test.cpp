// Alt+N presses Next and Alt+W presses Show, under a Latin layout and under
// a Russian one, where the same keys produce Cyrillic letters.
#include <QKeyEvent>

#include "tests/window/drill_harness.h"
#include "window/latin_mnemonics.h"

namespace vorelka::window::testing {
namespace {

// XKB keycodes (evdev + 8) of the US keyboard's N, W and A keys, and of
// Escape and the digit 1.
constexpr quint32 kKeycodeN = 57;
constexpr quint32 kKeycodeW = 25;
constexpr quint32 kKeycodeA = 38;
constexpr quint32 kKeycodeEscape = 9;
constexpr quint32 kKeycode1 = 10;

TEST(UsLetterOfNativeScanCode, NamesTheLetterOnTheUsKeyboard) {
#if !defined(Q_OS_WIN)
  const std::pair<quint32, char> letters[] = {{kKeycodeN, 'N'}, {kKeycodeW, 'W'}, {kKeycodeA, 'A'},
                                              {24, 'Q'},        {33, 'P'},        {46, 'L'},
                                              {52, 'Z'},        {58, 'M'}};
  for (const auto& [scan_code, letter] : letters) {
    EXPECT_EQ(UsLetterOfNativeScanCode(scan_code), letter) << scan_code;
  }
  for (quint32 not_a_letter : {0u, 7u, kKeycodeEscape, kKeycode1, 34u, 47u, 59u, 255u}) {
    EXPECT_EQ(UsLetterOfNativeScanCode(not_a_letter), std::nullopt) << not_a_letter;
  }
#endif
}

class MnemonicTest : public DrillWindowTest {
 protected:
  void SetUp() override {
    WriteWords(kFiveKeyWords);
    Load({kDrawKey1, kDrawKey2});
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  }

  // A press as a Russian layout delivers it: the Cyrillic letter as key and
  // text, the physical key's scan code alongside.
  void PressAltCyrillic(QWidget* target, char16_t letter, quint32 scan_code) {
    const QChar lower(letter);
    QKeyEvent press(QEvent::KeyPress, lower.toUpper().unicode(), Qt::AltModifier, scan_code, 0, 0,
                    QString(lower));
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, lower.toUpper().unicode(), Qt::AltModifier, scan_code, 0,
                      0, QString(lower));
    QApplication::sendEvent(target, &release);
  }

  bool NextPressed() {
    return WaitFor([&] { return Text("txtQuestion") == QString::fromUtf8("вода"); });
  }
  bool ShowPressed() {
    return WaitFor([&] { return !Text("txtAnswer").isEmpty(); });
  }
};

TEST_F(MnemonicTest, AltN_PressesNext_AltW_PressesShow_LatinLayout) {
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_W, Qt::AltModifier);
  ASSERT_TRUE(ShowPressed());
  EXPECT_EQ(Text("txtAnswer"), "house");

  QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::AltModifier);
  ASSERT_TRUE(NextPressed());
  EXPECT_EQ(Panel(1), "2/5");
}

TEST_F(MnemonicTest, AltN_AndAltW_WorkUnderRussianLayout_FromTheAnswerBox) {
  auto* answer = Find<QLineEdit>("txtAnswer");
  answer->setFocus();
  ASSERT_TRUE(WaitFor([&] { return QApplication::focusWidget() == answer; }));

  PressAltCyrillic(answer, u'ц', kKeycodeW);  // the W key under a Russian layout
  ASSERT_TRUE(ShowPressed());
  EXPECT_EQ(Text("txtAnswer"), "house");

  PressAltCyrillic(QApplication::focusWidget(), u'т', kKeycodeN);  // the N key
  ASSERT_TRUE(NextPressed());
  EXPECT_EQ(Panel(1), "2/5");
  EXPECT_EQ(random_->draws, 2) << "one press, one draw";
}

TEST_F(MnemonicTest, AltOnOtherKeysUnderRussianLayout_PressesNoButton) {
  auto* answer = Find<QLineEdit>("txtAnswer");
  answer->setFocus();
  PressAltCyrillic(answer, u'ф', kKeycodeA);  // A: no mnemonic of its own
  PressAltCyrillic(answer, u'ё', kKeycode1);  // not a letter key
  QTest::qWait(200);
  EXPECT_EQ(random_->draws, 1) << "Next was pressed";
  EXPECT_FALSE(Text("txtAnswer").contains("house")) << "Show was pressed";
}

TEST_F(MnemonicTest, TypingCyrillicWithoutAlt_GoesIntoTheAnswer) {
  auto* answer = Find<QLineEdit>("txtAnswer");
  answer->setFocus();
  QKeyEvent press(QEvent::KeyPress, QChar(u'Т').unicode(), Qt::NoModifier, kKeycodeN, 0, 0,
                  QString(QChar(u'т')));
  QApplication::sendEvent(answer, &press);
  QTest::qWait(200);
  EXPECT_EQ(answer->text(), QString::fromUtf8("т"));
  EXPECT_EQ(random_->draws, 1);
}

}  // namespace
}  // namespace vorelka::window::testing
