// The window's layout at its design size: every control where the form
// puts it, the fixed client area, tab order, focus, fonts and menus.
#include <QAction>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include "tests/window/drill_harness.h"
#include "window/form_scale.h"

namespace vorelka::window::testing {
namespace {

class LayoutTest : public DrillWindowTest {
 protected:
  void SetUp() override {
    ASSERT_LE(QFontMetrics(DesignFont()).height(), kDesignLineHeight);
    WriteWords(kFiveKeyWords);
    Load();
  }
  ScopedUiFont design_font_{DesignFont()};
  QRect RectOf(const char* name) const { return Find<QWidget>(name)->geometry(); }
};

TEST_F(LayoutTest, ClientAreaIs313By121BelowTheMenuBarAndFixed) {
  window_->show();
  const int menu_height = window_->menuBar()->height();
  EXPECT_GT(menu_height, 0);
  EXPECT_EQ(window_->centralWidget()->geometry(), QRect(0, menu_height, 313, 121));
  EXPECT_EQ(window_->size(), QSize(313, menu_height + 121));
  EXPECT_EQ(window_->minimumSize(), window_->maximumSize()) << "the user cannot resize";

  const Qt::WindowFlags flags = window_->windowFlags();
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_EQ(window_->windowTitle(), "Vorelka");
}

TEST_F(LayoutTest, ControlsSitWhereTheFormPutsThem) {
  // Client area.
  EXPECT_EQ(RectOf("StatusBar"), QRect(0, 104, 313, 17));
  EXPECT_EQ(RectOf("Frame1"), QRect(8, 0, 297, 73));
  EXPECT_EQ(RectOf("cmdAction_1"), QRect(168, 80, 67, 21));
  EXPECT_EQ(RectOf("cmdAction_0"), QRect(240, 80, 67, 21));
  // Inside Frame1.
  EXPECT_EQ(RectOf("txtAnswer"), QRect(80, 40, 201, 19));
  EXPECT_EQ(RectOf("txtQuestion"), QRect(80, 16, 201, 19));
  EXPECT_EQ(RectOf("lblAnswer"), QRect(8, 40, 65, 17));
  EXPECT_EQ(RectOf("lblQuestion"), QRect(8, 16, 65, 17));
  for (const char* inner : {"txtAnswer", "txtQuestion", "lblAnswer", "lblQuestion"}) {
    EXPECT_EQ(Find<QWidget>(inner)->parentWidget(), Find<QGroupBox>("Frame1")) << inner;
  }
  // Status-bar panels: the first narrower than the second, side by side.
  EXPECT_EQ(RectOf("StatusBar_Panel1"), QRect(0, 2, 147, 15));
  EXPECT_EQ(RectOf("StatusBar_Panel2"), QRect(149, 2, 163, 15));
  EXPECT_EQ(Find<QWidget>("StatusBar_Panel1")->minimumWidth(), 147);
  EXPECT_EQ(Find<QWidget>("StatusBar_Panel2")->minimumWidth(), 96);
}

TEST_F(LayoutTest, CaptionsAndAlignment) {
  EXPECT_EQ(Find<QPushButton>("cmdAction_0")->text(), "&Next");
  EXPECT_EQ(Find<QPushButton>("cmdAction_1")->text(), "Sho&w");
  EXPECT_EQ(Find<QGroupBox>("Frame1")->title(), QString());
  for (const char* label : {"lblQuestion", "lblAnswer"}) {
    EXPECT_TRUE(Find<QLabel>(label)->alignment() & Qt::AlignRight) << label;
  }
  EXPECT_LT(RectOf("lblQuestion").top(), RectOf("lblAnswer").top()) << "Russian above English";
}

TEST_F(LayoutTest, OpensCentredWithFocusOnNextAndTabsThroughFourStops) {
  window_->CentreOnScreen();
  window_->show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  // Centred before the platform's frame is known: off by at most that frame.
  const QPoint centre = window_->screen()->availableGeometry().center();
  const QSize frame = window_->frameGeometry().size() - window_->size();
  EXPECT_LE((window_->frameGeometry().center() - centre).manhattanLength(),
            frame.width() + frame.height() + 1);

  const std::vector<const char*> tab_order = {"cmdAction_0", "cmdAction_1", "txtQuestion",
                                              "txtAnswer", "cmdAction_0"};
  for (size_t i = 0; i < tab_order.size(); ++i) {
    ASSERT_EQ(QApplication::focusWidget(), Find<QWidget>(tab_order[i])) << "stop " << i;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
}

TEST_F(LayoutTest, EnterAndEscapePressNoButton) {
  for (const char* name : {"cmdAction_0", "cmdAction_1"}) {
    EXPECT_FALSE(Find<QPushButton>(name)->isDefault()) << name;
    EXPECT_FALSE(Find<QPushButton>(name)->autoDefault()) << name;
  }
  window_->show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  auto* answer = Find<QLineEdit>("txtAnswer");
  answer->setFocus();
  QTest::keyClick(answer, Qt::Key_Return);
  QTest::keyClick(answer, Qt::Key_Escape);
  QTest::qWait(200);
  EXPECT_EQ(random_->draws, 1) << "Enter or Escape pressed Next";
  EXPECT_EQ(Text("txtAnswer"), QString()) << "Enter or Escape pressed Show";
}

TEST_F(LayoutTest, TextBoxesUseTimesNewRomanFaceWithCyrillic) {
  for (const char* name : {"txtQuestion", "txtAnswer"}) {
    const QFont font = Find<QLineEdit>(name)->font();
    EXPECT_EQ(font.family(), "Times New Roman") << name;
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 9.75) << name;
    EXPECT_EQ(font.weight(), QFont::Normal) << name;
    EXPECT_FALSE(font.italic() || font.underline() || font.strikeOut()) << name;

    // The face actually drawn: Times New Roman itself, or its metric twin.
    const QString face = QFontInfo(font).family();
    EXPECT_TRUE(face == "Times New Roman" || face == "Liberation Serif") << face.toStdString();
    const QFontMetrics metrics(font);
    for (const char16_t letter : {u'Ж', u'ё', u'д', u'Я'}) {
      EXPECT_TRUE(metrics.inFont(QChar(letter))) << face.toStdString() << " lacks a Cyrillic glyph";
    }
  }
}

TEST_F(LayoutTest, QuestionIsReadOnlyAnswerTakesTyping) {
  auto* question = Find<QLineEdit>("txtQuestion");
  auto* answer = Find<QLineEdit>("txtAnswer");
  EXPECT_TRUE(question->isReadOnly());
  EXPECT_FALSE(answer->isReadOnly());
  QTest::keyClicks(question, "x");
  EXPECT_EQ(question->text(), QString::fromUtf8("дом"));
  QTest::keyClicks(answer, "house");
  EXPECT_EQ(answer->text(), "house");
}

TEST_F(LayoutTest, MenusHoldTheDirectionsAndAboutWithoutShortcuts) {
  const QList<QAction*> menus = window_->menuBar()->actions();
  ASSERT_EQ(menus.size(), 2);
  EXPECT_EQ(menus[0]->text(), "&Settings");
  EXPECT_EQ(menus[1]->text(), "&Help");

  const QList<QAction*> settings = menus[0]->menu()->actions();
  ASSERT_EQ(settings.size(), 2);
  EXPECT_EQ(settings[0]->objectName(), "mnuSettingsRussian");
  EXPECT_EQ(settings[0]->text(), "&Russian to English");
  EXPECT_EQ(settings[1]->objectName(), "mnuSettingsEnglish");
  EXPECT_EQ(settings[1]->text(), "&English to Russian");
  EXPECT_TRUE(settings[0]->isCheckable() && settings[1]->isCheckable());

  const QList<QAction*> help = menus[1]->menu()->actions();
  ASSERT_EQ(help.size(), 1);
  EXPECT_EQ(help[0]->objectName(), "mnuHelpAbout");
  EXPECT_EQ(help[0]->text(), "&About...");

  for (const QAction* item : settings + help) {
    EXPECT_TRUE(item->shortcut().isEmpty()) << item->text().toStdString();
  }
}

}  // namespace
}  // namespace vorelka::window::testing
